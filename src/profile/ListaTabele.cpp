#include "profile/ListaTabele.h"

#include "text/Eroare.h"

namespace {
const TClasaListaTabele *g_listaTabele = nullptr;

class TClasaListaLiniiTabel final : public TClasaListaTabele {
public:
    QString NumeClasa() const override { return QStringLiteral("TListaLiniiTabel"); }
    std::unique_ptr<TListaLiniiTabel> Create() const override { return std::make_unique<TListaLiniiTabel>(); }
};
} // namespace

const TClasaListaTabele &TListaLiniiTabel::Clasa()
{
    static const TClasaListaLiniiTabel clasa;
    return clasa;
}

void TListaLiniiTabel::AdaugaTabel(const QString &nume, const QString &descriere)
{
    m_linii.push_back(TLinieTabel{nume, descriere});
}

void InregistreazaListaTabele(const TClasaListaTabele *clasa)
{
    if (g_listaTabele)
        throw EZel(QStringLiteral("Am inregistrat deja un profil de diploma: ") + g_listaTabele->NumeClasa());
    g_listaTabele = clasa;
}

const TClasaListaTabele *ListaTabeleInregistrata() { return g_listaTabele; }

void AnuleazaInregistrareaListeiTabele() { g_listaTabele = nullptr; }
