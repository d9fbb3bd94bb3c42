#pragma once
#include <QString>
#include <memory>

class TListaLiniiProfilDiploma;

// A profile class reference: what the program registers at module initialisation is the
// class, not an instance. The class-level operations and the virtual constructor live here.
class TClasaProfilDiploma {
public:
    virtual ~TClasaProfilDiploma() = default;
    virtual QString NumeClasa() const = 0;
    // Virtual constructor: a new, filled list of the class.
    virtual std::unique_ptr<TListaLiniiProfilDiploma> Create() const = 0;
    // Names the database file and the ".binprof" file.
    virtual QString NumeProfil() const { return QString(); }
    // Braced field list that names a pupil; the base raises.
    virtual QString ListaCampuriElev() const;
    // The naming fields of an entity table come from the database, not from the class:
    // ListaCampuriOnorate in db/ValoriCampuri.h.
};

// Single program-wide slot. A second registration raises
// "Am inregistrat deja un profil de diploma: " + the registered class's name.
void InregistreazaProfil(const TClasaProfilDiploma *clasa);
// The registered class, or nullptr.
const TClasaProfilDiploma *ProfilInregistrat();
// Empties the slot; for tests that register their own classes.
void AnuleazaInregistrareaProfilului();
