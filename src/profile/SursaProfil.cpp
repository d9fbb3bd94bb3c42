#include "profile/SursaProfil.h"

#include "text/Eroare.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSet>

namespace {
[[noreturn]] void Eroare(int linie, const QString &mesaj)
{
    throw EZel(QStringLiteral("Sursa profilului, linia %1: %2").arg(linie).arg(mesaj));
}

int32_t Intreg(int linie, const QString &text, const char *coloana)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        Eroare(linie, QStringLiteral("%1 trebuie sa fie un numar intreg, nu \"%2\"").arg(QLatin1StringView(coloana), text));
    return v;
}
} // namespace

TSursaProfil CitesteSursaProfil(const QString &text)
{
    TSursaProfil sursa;
    QSet<QString> chei;
    QList<QPair<int, QString>> legaturi; // line number, SIMILAR_CU
    const QStringList randuri = text.split(u'\n');
    for (qsizetype r = 0; r < randuri.size(); ++r) {
        const int nr = static_cast<int>(r + 1);
        const QString rand = randuri.at(r).trimmed();
        if (rand.isEmpty() || rand.startsWith(u'#'))
            continue;
        QStringList col = rand.split(u'|');
        for (QString &c : col)
            c = c.trimmed();
        const QString tip = col.takeFirst();
        auto cere = [&](qsizetype n) {
            if (col.size() != n)
                Eroare(nr, QStringLiteral("%1 cere %2 coloane dupa nume, nu %3").arg(tip).arg(n).arg(col.size()));
        };
        if (tip == u"ANTET") {
            cere(1);
            sursa.Antet = col.at(0);
        } else if (tip == u"FORMULAR") {
            cere(2);
            sursa.Profil.Formulare().push_back(TInfoFormularDiploma{col.at(0), col.at(1), {}});
        } else if (tip == u"PAGINA") {
            cere(2);
            if (sursa.Profil.Formulare().empty())
                Eroare(nr, QStringLiteral("PAGINA inaintea oricarui FORMULAR"));
            sursa.Profil.Formulare().back().Pagini.push_back(TInfoPaginaFormularDiploma{col.at(0), col.at(1)});
        } else if (tip == u"CAMP") {
            cere(12);
            const QString &cheie = col.at(0);
            if (cheie.count(u'.') != 2 || cheie.contains(u'{') || cheie.contains(u'}'))
                Eroare(nr, QStringLiteral("cheia \"%1\" trebuie sa aiba forma Formular.Pagina.Camp").arg(cheie));
            const TCheieCamp k = DescompuneCheie(cheie);
            if (k.COD_FORMULAR.isEmpty() || k.COD_PAGINA.isEmpty() || k.COD_CAMP.isEmpty())
                Eroare(nr, QStringLiteral("cheia \"%1\" are un cod gol").arg(cheie));
            if (chei.contains(cheie))
                Eroare(nr, QStringLiteral("campul %1 apare de doua ori").arg(cheie));
            chei.insert(cheie);
            TLinieProfilDiploma l;
            l.COD_FORMULAR = k.COD_FORMULAR;
            l.COD_PAGINA = k.COD_PAGINA;
            l.COD_CAMP = k.COD_CAMP;
            l.SIMILAR_CU = col.at(1);
            if (!l.SIMILAR_CU.isEmpty())
                legaturi.append({nr, l.SIMILAR_CU});
            l.ONOREZ_SIMILAR_FISIER = col.at(2);
            l.ETICHETA_EDITOR = col.at(3);
            l.FORMULA = col.at(4);
            l.VIZIBIL = col.at(5);
            l.TIP_DE_DATE = col.at(6);
            if (!TipDeDate::EsteCunoscut(l.TIP_DE_DATE))
                Eroare(nr, QStringLiteral("tipul de date \"%1\" nu exista").arg(l.TIP_DE_DATE));
            l.ASOCIAT_CU = col.at(7);
            l.GRUP = col.at(8);
            l.ORDINE = Intreg(nr, col.at(9), "ORDINE");
            l.LATIME_SUGERATA = Intreg(nr, col.at(10), "LATIME_SUGERATA");
            l.COD_LINIE = col.at(11);
            sursa.Profil.Adauga(std::move(l));
        } else {
            Eroare(nr, QStringLiteral("nu stiu ce inseamna \"%1\"").arg(tip));
        }
    }
    // A link to a field the file does not describe is a typo, not a choice.
    for (const auto &[nr, similar] : legaturi)
        if (!chei.contains(similar))
            Eroare(nr, QStringLiteral("SIMILAR_CU \"%1\" nu este un camp al profilului").arg(similar));
    return sursa;
}

TSursaProfil CitesteFisierSursaProfil(const QString &cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        throw EZel(QStringLiteral("Nu pot deschide fisierul %1: %2").arg(QDir::toNativeSeparators(cale), f.errorString()));
    return CitesteSursaProfil(QString::fromUtf8(f.readAll()));
}
