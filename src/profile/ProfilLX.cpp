#include "profile/ProfilLX.h"

namespace {
class TClasaProfilLX final : public TClasaProfilDiploma {
public:
    QString NumeClasa() const override { return QStringLiteral("TListaLiniiProfilLX"); }
    std::unique_ptr<TListaLiniiProfilDiploma> Create() const override { return std::make_unique<TListaLiniiProfilLX>(); }
    QString NumeProfil() const override { return QStringLiteral("LX2008"); }
    QString ListaCampuriElev() const override { return QStringLiteral("{Lauridex.FATA.C_NUME}"); }
};

class TClasaListaTabeleLX final : public TClasaListaTabele {
public:
    QString NumeClasa() const override { return QStringLiteral("TListaLiniiTabelLX"); }
    std::unique_ptr<TListaLiniiTabel> Create() const override { return std::make_unique<TListaLiniiTabelLX>(); }
};
} // namespace

TListaLiniiProfilLX::TListaLiniiProfilLX() { IncarcaDinFisier(CaleFisierBinprof(Clasa())); }

const TClasaProfilDiploma &TListaLiniiProfilLX::Clasa()
{
    static const TClasaProfilLX clasa;
    return clasa;
}

TListaLiniiTabelLX::TListaLiniiTabelLX()
{
    AdaugaTabel(QStringLiteral("CANDIDAT"), QString());
    AdaugaTabel(QStringLiteral("INSTITUTIA"), QStringLiteral("Denumirea scolii"));
}

const TClasaListaTabele &TListaLiniiTabelLX::Clasa()
{
    static const TClasaListaTabeleLX clasa;
    return clasa;
}

void InregistreazaProfilulLX()
{
    if (ProfilInregistrat() != &TListaLiniiProfilLX::Clasa())
        InregistreazaProfil(&TListaLiniiProfilLX::Clasa());
    if (ListaTabeleInregistrata() != &TListaLiniiTabelLX::Clasa())
        InregistreazaListaTabele(&TListaLiniiTabelLX::Clasa());
}
