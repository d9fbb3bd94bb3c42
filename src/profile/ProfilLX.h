#pragma once
#include "profile/ListaTabele.h"
#include "profile/ProfilDiploma.h"

// The certificate's own profile: profile name "LX2008" (the database DB/LX2008.FDB and the
// profile file LX2008.binprof beside the program), pupils named by their C_NUME value.
// Its lines all come from the profile file, read when the list is created.
class TListaLiniiProfilLX : public TListaLiniiProfilDiploma {
public:
    // Reads CaleFisierBinprof(Clasa()); a missing file raises an EZel naming it.
    TListaLiniiProfilLX();
    static const TClasaProfilDiploma &Clasa();
};

// The certificate's entity tables besides those the blank database lists:
// CANDIDAT (no description) and INSTITUTIA ("Denumirea scolii").
class TListaLiniiTabelLX : public TListaLiniiTabel {
public:
    TListaLiniiTabelLX();
    static const TClasaListaTabele &Clasa();
};

// Module initialisation of the certificate: registers the two classes above in their
// single-slot registries. Called once at start-up, before the data module is created;
// an explicit call so that the linker cannot drop it from the static library.
// Calling it again when these very classes are registered does nothing; a different
// class already in a slot raises the registry's error.
void InregistreazaProfilulLX();
