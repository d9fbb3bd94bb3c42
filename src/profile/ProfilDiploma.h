#pragma once
#include "profile/ClasaProfil.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TCititorValori;
class TScriitorValori;

// ---------------------------------------------------------------------------------------
// Field keys: "Formular.Pagina.Camp"; in field lists and expressions "{Formular.Pagina.Camp}".

struct TCheieCamp {
    QString COD_FORMULAR;
    QString COD_PAGINA;
    QString COD_CAMP;
};

// Every "." starts the next part; a fourth part and beyond are dropped, missing parts stay
// empty ("A.B" gives A, B and an empty field code).
TCheieCamp DescompuneCheie(const QString &cheie);
void DescompuneCheie(const QString &cheie, QString &formular, QString &pagina, QString &camp);
// The three codes joined by ".".
QString CompuneCheie(const QString &formular, const QString &pagina, const QString &camp);

// ---------------------------------------------------------------------------------------
// Data types, compared exactly (case and blanks count), in the order they go into
// TIPURI_DE_DATE.

namespace TipDeDate {
inline const QString Text = QStringLiteral("TEXT");
inline const QString CF = QStringLiteral("CF");
inline const QString Sirues = QStringLiteral("SIRUES");
inline const QString CNP = QStringLiteral("CNP");
inline const QString Nota = QStringLiteral("NOTA");
inline const QString Calificativ = QStringLiteral("CALIFICATIV");
inline const QString NotaSauCalificativ = QStringLiteral("NOTA sau CALIFICATIV");
// The seven names in their order.
const QStringList &Toate();
bool EsteCunoscut(const QString &nume);
} // namespace TipDeDate

// ---------------------------------------------------------------------------------------
// One profile line: one printable field. Members are named after the PROFIL_DIPLOMA
// columns they fill.

struct TLinieProfilDiploma {
    QString COD_FORMULAR;
    QString COD_PAGINA;
    QString COD_CAMP;
    QString SIMILAR_CU;
    // Read from the file and kept, never written to the database: ONOREZ_SIMILAR belongs
    // to the user once a line is in the database.
    QString ONOREZ_SIMILAR_FISIER;
    QString ETICHETA_EDITOR;
    QString FORMULA;
    QString VIZIBIL;
    QString TIP_DE_DATE;
    QString ASOCIAT_CU;
    QString GRUP;
    int32_t ORDINE = 0;
    int32_t LATIME_SUGERATA = 0;
    QString COD_LINIE;

    QString Cheie() const { return CompuneCheie(COD_FORMULAR, COD_PAGINA, COD_CAMP); }
    bool operator==(const TLinieProfilDiploma &) const = default;
};

// ---------------------------------------------------------------------------------------
// Form and page descriptions of version 1 files: kept as read, used nowhere else.

struct TInfoPaginaFormularDiploma {
    QString Text1;
    QString Text2;
    bool operator==(const TInfoPaginaFormularDiploma &) const = default;
};

using TListaInfoPaginiFormularDiploma = std::vector<TInfoPaginaFormularDiploma>;

struct TInfoFormularDiploma {
    QString Text1;
    QString Text2;
    TListaInfoPaginiFormularDiploma Pagini;
    bool operator==(const TInfoFormularDiploma &) const = default;
};

using TListaFormulareDiploma = std::vector<TInfoFormularDiploma>;

// ---------------------------------------------------------------------------------------
// The profile: an owning list of lines plus its form descriptions.
//
// A profile class is reached through its class reference (TClasaProfilDiploma): the
// reference is what gets registered and what makes new lists (virtual constructor).

class TListaLiniiProfilDiploma {
public:
    TListaLiniiProfilDiploma() = default;
    virtual ~TListaLiniiProfilDiploma() = default;
    TListaLiniiProfilDiploma(const TListaLiniiProfilDiploma &) = default;
    TListaLiniiProfilDiploma &operator=(const TListaLiniiProfilDiploma &) = default;

    // The class reference of the base: empty list, empty profile name, and a
    // ListaCampuriElev that raises.
    static const TClasaProfilDiploma &Clasa();

    int Count() const { return static_cast<int>(m_linii.size()); }
    const TLinieProfilDiploma &operator[](int i) const { return m_linii.at(static_cast<size_t>(i)); }
    TLinieProfilDiploma &operator[](int i) { return m_linii.at(static_cast<size_t>(i)); }
    void Adauga(TLinieProfilDiploma linie) { m_linii.push_back(std::move(linie)); }
    void Goleste() { m_linii.clear(); }
    const std::vector<TLinieProfilDiploma> &Linii() const { return m_linii; }

    const TListaFormulareDiploma &Formulare() const { return m_formulare; }
    TListaFormulareDiploma &Formulare() { return m_formulare; }

    // Reads a ".binprof" file. A file that cannot be opened raises an EZel naming it.
    void IncarcaDinFisier(const QString &cale);
    // Reads the list from a reader positioned after the header text.
    //   "Invalid stream":  version other than 0 or 1, or a form/page whose leading
    //                      integer is not 0;
    //   "Invalid Stream!": a line whose leading integer is not 0;
    //   plus the reader's own "Invalid property value" and "Stream read error".
    // On an error the list keeps the lines read so far.
    void CitesteDinReader(TCititorValori &cititor);

    // The writer of the same format: the header text, then version 1 when there are form
    // descriptions, version 0 otherwise.
    void ScrieInScriitor(TScriitorValori &scriitor, const QString &antet) const;
    QByteArray Serializeaza(const QString &antet) const;
    // Writes the file atomically.
    void SalveazaInFisier(const QString &cale, const QString &antet) const;

private:
    std::vector<TLinieProfilDiploma> m_linii;
    TListaFormulareDiploma m_formulare;
};

// The profile file of a class: the program's folder, the profile name and ".binprof",
// with uniform separators (a leading pair of separators, as in a network path, stays;
// any other doubled separator becomes one).
QString CaleFisierBinprof(const TClasaProfilDiploma &clasa);
