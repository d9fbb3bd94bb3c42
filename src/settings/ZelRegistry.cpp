#include "settings/ZelRegistry.h"

#include "settings/Registru.h"
#include "text/Eroare.h"

#include <algorithm>
#include <exception>

TStocare StocareaTipului(TTipProprietate tip)
{
    switch (tip) {
    case TTipProprietate::Intreg:
    case TTipProprietate::Enumerare:
    case TTipProprietate::Multime:
    case TTipProprietate::Int64:
        return TStocare::Intreg;
    case TTipProprietate::Caracter:
    case TTipProprietate::TextScurt:
    case TTipProprietate::CaracterLat:
    case TTipProprietate::TextLung:
    case TTipProprietate::TextLat:
        return TStocare::Text;
    default:
        return TStocare::Nimic;
    }
}

// ---- TObiectPublicat -------------------------------------------------------------

TObiectPublicat::TObiectPublicat(const TInfoClasa &clasa) : m_clasa(&clasa)
{
    for (const TDeclaratieProprietate &p : TZelRTTIShell::ListaProprietati(clasa))
        m_valori.insert(p.nume.toLower(), Proprietate{p.tip, Normalizeaza(p.tip, QVariant())});
}

QVariant TObiectPublicat::Normalizeaza(TTipProprietate tip, const QVariant &valoare)
{
    switch (tip) {
    case TTipProprietate::Intreg:
        // A 32-bit property keeps only what fits, as an assignment to it would.
        return QVariant(qint64(static_cast<int32_t>(valoare.toLongLong())));
    case TTipProprietate::Enumerare:
    case TTipProprietate::Multime:
    case TTipProprietate::Int64:
        return QVariant(valoare.toLongLong());
    case TTipProprietate::Caracter:
    case TTipProprietate::CaracterLat:
        return QVariant(valoare.toString().left(1));
    case TTipProprietate::TextScurt:
    case TTipProprietate::TextLung:
    case TTipProprietate::TextLat:
        return QVariant(valoare.toString());
    case TTipProprietate::Real:
        return QVariant(valoare.toDouble());
    default:
        return valoare;
    }
}

TObiectPublicat::Proprietate &TObiectPublicat::Gaseste(const QString &nume)
{
    return const_cast<Proprietate &>(std::as_const(*this).Gaseste(nume));
}

const TObiectPublicat::Proprietate &TObiectPublicat::Gaseste(const QString &nume) const
{
    const auto it = m_valori.constFind(nume.toLower());
    if (it == m_valori.constEnd())
        throw EZel(QStringLiteral("Clasa %1 nu are proprietatea publicata %2").arg(m_clasa->nume, nume));
    return *it;
}

QString TObiectPublicat::Text(const QString &nume) const
{
    return Gaseste(nume).valoare.toString();
}

void TObiectPublicat::SeteazaText(const QString &nume, const QString &valoare)
{
    Proprietate &p = Gaseste(nume);
    p.valoare = Normalizeaza(p.tip, valoare);
}

qint64 TObiectPublicat::Ordinal(const QString &nume) const
{
    return Gaseste(nume).valoare.toLongLong();
}

void TObiectPublicat::SeteazaOrdinal(const QString &nume, qint64 valoare)
{
    Proprietate &p = Gaseste(nume);
    p.valoare = Normalizeaza(p.tip, valoare);
}

double TObiectPublicat::Real(const QString &nume) const
{
    return Gaseste(nume).valoare.toDouble();
}

void TObiectPublicat::SeteazaReal(const QString &nume, double valoare)
{
    Proprietate &p = Gaseste(nume);
    p.valoare = Normalizeaza(p.tip, valoare);
}

// ---- TZelRTTIShell ---------------------------------------------------------------

QList<TDeclaratieProprietate> TZelRTTIShell::ListaProprietati(const TInfoClasa &clasa)
{
    QList<TDeclaratieProprietate> lista;
    auto prezent = [&lista](const QString &nume) {
        return std::any_of(lista.cbegin(), lista.cend(), [&nume](const TDeclaratieProprietate &p) {
            return p.nume.compare(nume, Qt::CaseInsensitive) == 0;
        });
    };
    for (const TInfoClasa *c = &clasa; c; c = c->parinte)
        for (const TDeclaratieProprietate &p : c->proprietati)
            if (!prezent(p.nume))
                lista.append(p);
    std::stable_sort(lista.begin(), lista.end(), [](const TDeclaratieProprietate &a, const TDeclaratieProprietate &b) {
        return a.nume.compare(b.nume, Qt::CaseInsensitive) < 0;
    });
    return lista;
}

TZelRTTIShell::TZelRTTIShell(TObiectPublicat &tinta) : m_tinta(tinta), m_lista(ListaProprietati(tinta.Clasa()))
{
}

QVariant TZelRTTIShell::Valoare(int i) const
{
    return m_tinta.Gaseste(m_lista.at(i).nume).valoare;
}

void TZelRTTIShell::SeteazaValoare(int i, const QVariant &valoare)
{
    TObiectPublicat::Proprietate &p = m_tinta.Gaseste(m_lista.at(i).nume);
    p.valoare = TObiectPublicat::Normalizeaza(p.tip, valoare);
}

// ---- TZelRegistryClass -----------------------------------------------------------

const TInfoClasa &TZelRegistryClass::InfoClasa()
{
    static const TInfoClasa info{QStringLiteral("TZelRegistryClass"), nullptr, {}};
    return info;
}

TZelRegistryClass::TZelRegistryClass(const QString &caleCheie, const TInfoClasa &clasa)
    : TObiectPublicat(clasa), m_caleCheie(caleCheie), m_exceptiiLaCreare(std::uncaught_exceptions())
{
    Incarca();
}

TZelRegistryClass::~TZelRegistryClass() noexcept(false)
{
    Registru::SalveazaLaDistrugere(m_exceptiiLaCreare, [this] { Salveaza(); }, "Setarile nu au putut fi salvate:");
}

void TZelRegistryClass::Incarca()
{
    TZelRTTIShell shell(*this);
    TCheieRegistru cheie(m_caleCheie);
    for (int i = 0; i < shell.Numar(); ++i) {
        const QString nume = shell.Nume(i);
        const TStocare stocare = StocareaTipului(shell.Tip(i));
        if (stocare == TStocare::Nimic || !cheie.ExistaValoare(nume))
            continue;
        if (stocare == TStocare::Intreg)
            shell.SeteazaValoare(i, qint64(cheie.CitesteIntreg(nume)));
        else
            shell.SeteazaValoare(i, cheie.CitesteText(nume));
    }
}

void TZelRegistryClass::Salveaza()
{
    TZelRTTIShell shell(*this);
    TCheieRegistru cheie(m_caleCheie);
    for (int i = 0; i < shell.Numar(); ++i) {
        switch (StocareaTipului(shell.Tip(i))) {
        case TStocare::Intreg:
            cheie.ScrieIntreg(shell.Nume(i), static_cast<int32_t>(shell.Valoare(i).toLongLong()));
            break;
        case TStocare::Text:
            cheie.ScrieText(shell.Nume(i), shell.Valoare(i).toString());
            break;
        case TStocare::Nimic:
            break;
        }
    }
}
