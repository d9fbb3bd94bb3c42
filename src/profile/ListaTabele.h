#pragma once
#include <QString>
#include <memory>
#include <vector>

class TListaLiniiTabel;

// One entity table a document uses: its name and a short description shown after the name
// in the record editor's link captions.
struct TLinieTabel {
    QString NUME_TABEL;
    QString EXP_DENUMIRE;
};

// Class reference of an entity table list: what gets registered, and its virtual
// constructor.
class TClasaListaTabele {
public:
    virtual ~TClasaListaTabele() = default;
    virtual QString NumeClasa() const = 0;
    virtual std::unique_ptr<TListaLiniiTabel> Create() const = 0;
};

// Owning list of table descriptions. A name already present is appended like any other.
class TListaLiniiTabel {
public:
    TListaLiniiTabel() = default;
    virtual ~TListaLiniiTabel() = default;

    // The class reference of the base: an empty list.
    static const TClasaListaTabele &Clasa();

    void AdaugaTabel(const QString &nume, const QString &descriere);
    int Count() const { return static_cast<int>(m_linii.size()); }
    const TLinieTabel &operator[](int i) const { return m_linii.at(static_cast<size_t>(i)); }

private:
    std::vector<TLinieTabel> m_linii;
};

// Single program-wide slot. A second registration raises
// "Am inregistrat deja un profil de diploma: " + the registered class's name.
void InregistreazaListaTabele(const TClasaListaTabele *clasa);
// The registered class, or nullptr.
const TClasaListaTabele *ListaTabeleInregistrata();
// Empties the slot; for tests that register their own classes.
void AnuleazaInregistrareaListeiTabele();
