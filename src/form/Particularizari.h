#pragma once
#include "form/FontFormular.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class TFormularTextArea;

// One user's adjustment of how one text area prints, keyed by the component names of
// the window and of the area. A new record changes nothing.
class TParticularizareTextArea {
public:
    QString FormName;
    QString AreaName;
    int AlignmentOverride = 0; // 0 keep, 1 left, 2 centre, 3 right
    int ShiftX = 0;            // half millimetres, -1 left, 1 right
    int ShiftY = 0;            // half millimetres, -1 up, 1 down
    QString FontComponent;     // name of a form font of the same window; empty = keep
    QString TextOverride;
    int ItalicOverride = 0; // 0 keep, 1 italic, 2 not italic
    int BoldOverride = 0;   // 0 keep, 1 bold, 2 not bold
    QString FaceOverride;

    // The font FontComponent named at the last AdjustmentFor; never stored.
    TFontFormular *Font() const { return m_font.data(); }
    void SeteazaFont(TFontFormular *f);

private:
    QPointer<TFontFormular> m_font;
};

// Every adjustment of the installation, kept in "licenta.lic" beside the program.
class TListaParticularizareTextArea {
public:
    // Loads the file when it exists; a damaged file fails with "Invalid format" or the
    // reader's error, and nothing is created.
    explicit TListaParticularizareTextArea(QString fisier);
    // Saves; an error at this point only goes to the standard error.
    ~TListaParticularizareTextArea();
    TListaParticularizareTextArea(const TListaParticularizareTextArea &) = delete;
    TListaParticularizareTextArea &operator=(const TListaParticularizareTextArea &) = delete;

    // The list of this run, created and loaded from FolderulProgramului() on first use.
    static TListaParticularizareTextArea &Lista();
    // Forgets the list of this run without saving it (tests that change the program folder).
    static void UitaLista();

    // The last record with exactly these names; when none and create, a new one is
    // appended and the whole list saved at once.
    TParticularizareTextArea *Lookup(const QString &formName, const QString &areaName, bool create);

    // Replaces the file with every record in format 2, atomically.
    void Save() const;
    QByteArray Serializeaza() const;

    int Count() const { return int(m_linii.size()); }
    TParticularizareTextArea &operator[](int i) const { return *m_linii[size_t(i)]; }
    const QString &Fisier() const { return m_fisier; }

private:
    void Incarca(const QByteArray &date);

    QString m_fisier;
    std::vector<std::unique_ptr<TParticularizareTextArea>> m_linii;
};

// The area's record (Lookup by its owner's and its own component names); the record's
// font is resolved among the owner's form fonts.
TParticularizareTextArea *AdjustmentFor(const TFormularTextArea *area, bool create);

// Passed along by the page print call; the text areas do not consult it.
class TDirectorModificari {
public:
    virtual ~TDirectorModificari() = default;
    virtual double DeltaX() const = 0;
    virtual double DeltaY() const = 0;
};

class TDirectorModificariGeneric : public TDirectorModificari {
public:
    double DeltaX() const override { return 0.0; }
    double DeltaY() const override { return 0.0; }
};

// The default director, created with the text-area module.
TDirectorModificari &DirectorModificariImplicit();
