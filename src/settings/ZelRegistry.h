#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// Settings objects that persist their published properties one-to-one as values of one
// key of the per-user store (settings/Registru.h).
//
// A settings class declares a table of its published properties (name and type kind)
// and the key path; the values live in the base object, so the base constructor can load
// them before the derived class runs and the base destructor can save them after it,
// and a derived class has no loading or saving code of its own.

// Type kinds of a published property. How each kind is stored: see StocareaTipului.
enum class TTipProprietate {
    Intreg,        // 32-bit integer
    Enumerare,     // enumerations, booleans included (the ordinal)
    Multime,       // set (its bits)
    Int64,
    Caracter,
    TextScurt,
    CaracterLat,
    TextLung,
    TextLat,
    Real,
    Clasa,
    Metoda,
    Varianta,
    Tablou,
    Inregistrare,
    Interfata,
    TablouDinamic,
};

enum class TStocare { Intreg, Text, Nimic };
TStocare StocareaTipului(TTipProprietate tip);

struct TDeclaratieProprietate {
    QString nume;
    TTipProprietate tip;
};

// The type information of one class: its published properties as declared and its
// parent class (nullptr at the root).
struct TInfoClasa {
    QString nume;
    const TInfoClasa *parinte;
    QList<TDeclaratieProprietate> proprietati;
};

// An object with published properties. The values are held here, by property.
class TObiectPublicat {
public:
    TObiectPublicat(const TObiectPublicat &) = delete;
    TObiectPublicat &operator=(const TObiectPublicat &) = delete;

    const TInfoClasa &Clasa() const { return *m_clasa; }

protected:
    explicit TObiectPublicat(const TInfoClasa &clasa);
    ~TObiectPublicat() = default;

    // Typed access for the derived classes' getters and setters; an undeclared name is
    // a programming error (EZel).
    QString Text(const QString &nume) const;
    void SeteazaText(const QString &nume, const QString &valoare);
    qint64 Ordinal(const QString &nume) const;
    void SeteazaOrdinal(const QString &nume, qint64 valoare);
    bool Boolean(const QString &nume) const { return Ordinal(nume) != 0; }
    void SeteazaBoolean(const QString &nume, bool valoare) { SeteazaOrdinal(nume, valoare ? 1 : 0); }
    double Real(const QString &nume) const;
    void SeteazaReal(const QString &nume, double valoare);

private:
    friend class TZelRTTIShell;
    struct Proprietate {
        TTipProprietate tip;
        QVariant valoare;
    };
    Proprietate &Gaseste(const QString &nume);
    const Proprietate &Gaseste(const QString &nume) const;
    static QVariant Normalizeaza(TTipProprietate tip, const QVariant &valoare);

    const TInfoClasa *m_clasa;
    QHash<QString, Proprietate> m_valori; // by the name in lower case
};

// The published properties of an object, sorted by name without regard to case; walks
// the class chain from the object's class to the root, a redeclared name counting once
// (with the kind of the most derived declaration).
class TZelRTTIShell {
public:
    explicit TZelRTTIShell(TObiectPublicat &tinta);

    int Numar() const { return int(m_lista.size()); }
    QString Nume(int i) const { return m_lista.at(i).nume; }
    TTipProprietate Tip(int i) const { return m_lista.at(i).tip; }
    // An integer (qint64) for the ordinal kinds, a text for the text kinds, a double for
    // floating point, nothing for the other kinds.
    QVariant Valoare(int i) const;
    void SeteazaValoare(int i, const QVariant &valoare);

    // The sorted list for a class, as the shell builds it.
    static QList<TDeclaratieProprietate> ListaProprietati(const TInfoClasa &clasa);

private:
    TObiectPublicat &m_tinta;
    QList<TDeclaratieProprietate> m_lista;
};

// Base of the settings objects. The constructor loads every property from the key
// (creating the key); the destructor writes every property back, changed or not.
// Errors of the store propagate from both: create settings objects on the stack or free
// them with plain delete (a smart pointer's destructor cannot pass an error on). While
// another error is already travelling, a failed save is only logged.
class TZelRegistryClass : public TObiectPublicat {
public:
    virtual ~TZelRegistryClass() noexcept(false);

    const QString &CaleCheie() const { return m_caleCheie; }

    static const TInfoClasa &InfoClasa();

protected:
    TZelRegistryClass(const QString &caleCheie, const TInfoClasa &clasa);

private:
    void Incarca();
    void Salveaza();

    QString m_caleCheie;
    int m_exceptiiLaCreare;
};
