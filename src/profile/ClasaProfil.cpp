#include "profile/ClasaProfil.h"

#include "text/Eroare.h"

namespace {
const TClasaProfilDiploma *g_profil = nullptr;
}

QString TClasaProfilDiploma::ListaCampuriElev() const
{
    throw EZel(QStringLiteral("Nu ai definit %1.ListaCampuriElev; Lista trebuie sa fie de tipul "
                              "\"{FORMULAR.PAG.CAMP} {FORMULAR.PAG.CAMP}\"")
                   .arg(NumeClasa()));
}

void InregistreazaProfil(const TClasaProfilDiploma *clasa)
{
    if (g_profil)
        throw EZel(QStringLiteral("Am inregistrat deja un profil de diploma: ") + g_profil->NumeClasa());
    g_profil = clasa;
}

const TClasaProfilDiploma *ProfilInregistrat() { return g_profil; }

void AnuleazaInregistrareaProfilului() { g_profil = nullptr; }
