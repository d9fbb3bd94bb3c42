#include "text/ScriptFunctii.h"

#include "text/Eroare.h"

#include <vector>

namespace ScriptFunctii {

namespace {

std::vector<std::unique_ptr<TModulFunctii>> &Module()
{
    static std::vector<std::unique_ptr<TModulFunctii>> module;
    return module;
}

} // namespace

QString TDeclaratieFunctie::Nume() const
{
    // "function Name(...)..." or "procedure Name(...)": the word before the bracket.
    QString t = Declaratie.trimmed();
    const qsizetype paranteza = t.indexOf(QLatin1Char('('));
    const qsizetype douaPuncte = t.indexOf(QLatin1Char(':'));
    qsizetype sfarsit = paranteza >= 0 ? paranteza : (douaPuncte >= 0 ? douaPuncte : t.size());
    t = t.left(sfarsit).trimmed();
    const qsizetype blanc = t.lastIndexOf(QLatin1Char(' '));
    return blanc >= 0 ? t.mid(blanc + 1) : t;
}

void InregistreazaModul(std::unique_ptr<TModulFunctii> modul)
{
    if (!modul)
        return;
    if (EsteInregistrat(modul->NumeModul()))
        throw EZel(QStringLiteral("Am inregistrat deja modulul de functii ") + modul->NumeModul());
    Module().push_back(std::move(modul));
}

bool EsteInregistrat(const QString &numeModul)
{
    for (const auto &m : Module())
        if (m->NumeModul().compare(numeModul, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QList<TDeclaratieFunctie> Declaratii()
{
    QList<TDeclaratieFunctie> toate;
    for (const auto &m : Module())
        toate += m->Declaratii();
    return toate;
}

QVariant ApeleazaFunctia(const QString &nume, const QVariantList &argumente)
{
    const QString majuscule = nume.trimmed().toUpper();
    for (const auto &m : Module())
        for (const TDeclaratieFunctie &d : m->Declaratii())
            if (d.Nume().toUpper() == majuscule)
                return m->Apeleaza(majuscule, argumente);
    return QVariant(majuscule + QLatin1Char('?'));
}

void GolesteRegistrul()
{
    Module().clear();
}

} // namespace ScriptFunctii
