#pragma once

#include "widgets/ZelGrids.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QReadWriteLock>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>
#include <vector>

// A grid that stores no cell values: for every cell it paints it asks the program for a
// typed value, formats it by the column's type and styles it by the line's style number.
// It adds a fading hover highlight, a pop-up editor chosen by the value's kind and, for
// text cells, a filtered list of proposed values.

class TZelVirtualGrid;
class TZelVirtualGridColumn;
class TZelVirtualGridColumns;
class TZelVirtualGridList;
class TZelVGridEditorForm;

// ---------------------------------------------------------------------------------------
// Typed cell values

enum TZelTipDeDateColoana : int {
    atCurrency,
    atInteger,
    atIntegerDouaZecimale,
    atString,
    atDataScurtFaraAn,
    atDataScurtCuAn,
    atDataLung,
    atAuto,
    atAsk,
};

// "Currency", "Integer", ... ; any other number is "#" followed by it.
QString NumeTipDeDate(int tip);

// The money text of the grid: thousands grouped by ".", "," and two decimals cut, not
// rounded (value in ten-thousandths: 12345678 -> "1.234,56").
QString TextCurrencyGrid(qint64 zecimiiDeMii);
// An integer count of hundredths: 42189 -> "421,89", -5 -> "-0,05".
QString TextIntegerDouaZecimale(qint64 sutimi);

class TZelValoareDate {
public:
    TZelValoareDate() = default;

    TZelTipDeDateColoana Tip() const { return m_tip; }
    // Back to atAuto (no value set).
    void Goleste();
    // The cell has no data.
    void SetAsk();

    // Readers throw EZel "Tip incorect" when the value holds another kind.
    qint64 AsCurrency() const;            // ten-thousandths
    void SetAsCurrency(qint64 zecimiiDeMii);
    qint64 AsInteger() const;
    void SetAsInteger(qint64 v);
    qint64 AsIntegerDouaZecimale() const; // hundredths
    void SetAsIntegerDouaZecimale(qint64 sutimi);
    QString AsString() const;
    void SetAsString(const QString &s);
    QDate AsDataScurtFaraAn() const;
    void SetAsDataScurtFaraAn(const QDate &d);
    QDate AsDataScurtCuAn() const;
    void SetAsDataScurtCuAn(const QDate &d);
    QDate AsDataLung() const;
    void SetAsDataLung(const QDate &d);
    // The date of any of the three date kinds.
    QDate AsData() const;

    // The value formatted by its kind; "!NoData!" for atAsk; throws EZel
    // "Bug! Nu stiu citi tipul de date!" for a kind without a format (atAuto).
    QString Text() const;

private:
    void Cere(TZelTipDeDateColoana tip) const;

    TZelTipDeDateColoana m_tip = atAuto;
    qint64 m_numar = 0;
    QString m_text;
    QDate m_data;
};

// ---------------------------------------------------------------------------------------
// Styles

// A font with its colour, as a cell or caption is drawn with.
struct TZelFont {
    QFont Font;
    QColor Culoare;
};

// Window, highlight and the other system colours, as the grid paints with them.
QColor ZelCuloareDinTColor(int tcolor); // 0x00BBGGRR
// The background remap every cell and header colour passes (RGB 243, 250, 220 becomes the
// header blue).
QColor RemapeazaCuloareGrid(const QColor &c);
// The hover colour at intensity i (above 1): (i-1)/10 of the way from the background to its
// tint (red and green lowered by 20), linearly in hue, saturation and value.
QColor CuloareHover(const QColor &fundal, int intensitate);

class TZelCuloriColoana {
public:
    explicit TZelCuloriColoana(TZelVirtualGridColumn *coloana = nullptr);

    QColor CuloareBackgroundNormal() const { return m_bkNormal; }
    void SetCuloareBackgroundNormal(const QColor &c);
    QColor CuloareBackgroundSelectat() const { return m_bkSelectat; }
    void SetCuloareBackgroundSelectat(const QColor &c);
    const TZelFont &FontNormal() const { return m_fontNormal; }
    void SetFontNormal(const TZelFont &f);
    const TZelFont &FontSelectat() const { return m_fontSelectat; }
    void SetFontSelectat(const TZelFont &f);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int i);
    int Indent() const { return m_indent; }
    void SetIndent(int i);
    Qt::Alignment Aliniere() const { return m_aliniere; }
    void SetAliniere(Qt::Alignment a);
    bool Activ() const { return m_activ; }
    void SetActiv(bool a);

private:
    void Schimbat();

    TZelVirtualGridColumn *m_coloana;
    QColor m_bkNormal;
    QColor m_bkSelectat;
    TZelFont m_fontNormal;
    TZelFont m_fontSelectat;
    int m_imageIndex = -1;
    int m_indent = -1;
    Qt::Alignment m_aliniere = Qt::AlignLeft;
    bool m_activ = false;
};

// ---------------------------------------------------------------------------------------
// Lines

class TZelVirtualGridLine {
public:
    TZelVirtualGridLine() = default;
    virtual ~TZelVirtualGridLine() = default;
    TZelVirtualGridLine(const TZelVirtualGridLine &) = delete;
    TZelVirtualGridLine &operator=(const TZelVirtualGridLine &) = delete;

    TZelVirtualGridList *Lista() const { return m_lista; }

    int Stil() const { return m_stil; }
    // Throws EZel "Stil trebuie sa fie de la 1 la 10" outside 1..10 (the style stays).
    void SetStil(int stil);
    // Invalid colour = none.
    QColor CuloareBackground;
    QColor CuloareFont;
    // Bit 0 adds bold, 1 removes it, 2 adds italic, 3 removes it, 4..7 set the size to
    // 6, 8, 10, 11 points; applied in that order.
    quint8 Atribute = 0;
    // Row height in pixels before scaling; 0 = the default of 24.
    quint8 Inaltime = 0;

    // The font after the attribute bits.
    static void AplicaAtribute(quint8 atribute, QFont &font);

private:
    friend class TZelVirtualGridList;
    TZelVirtualGridList *m_lista = nullptr;
    int m_stil = 1;
};

// The sample line shown while a window is being designed.
class TZelDTVirtualGridLine : public TZelVirtualGridLine {};

// The grid's owning list of lines.
class TZelVirtualGridList {
public:
    explicit TZelVirtualGridList(TZelVirtualGrid *grid);
    ~TZelVirtualGridList();
    TZelVirtualGridList(const TZelVirtualGridList &) = delete;
    TZelVirtualGridList &operator=(const TZelVirtualGridList &) = delete;

    // Appends a line (taking ownership) inside its own update bracket.
    TZelVirtualGridLine *Add(TZelVirtualGridLine *linie);
    template <class T> T *Add(std::unique_ptr<T> linie) { return static_cast<T *>(Add(linie.release())); }
    // Frees every line, inside its own update bracket.
    void Clear();
    int Count() const { return int(m_linii.size()); }
    TZelVirtualGridLine *Items(int index) const;

private:
    TZelVirtualGrid *m_grid;
    std::vector<std::unique_ptr<TZelVirtualGridLine>> m_linii;
};

// ---------------------------------------------------------------------------------------
// Columns

class TZelVirtualGridColumn {
public:
    explicit TZelVirtualGridColumn(TZelVirtualGridColumns *colectie);
    ~TZelVirtualGridColumn();
    TZelVirtualGridColumn(const TZelVirtualGridColumn &) = delete;
    TZelVirtualGridColumn &operator=(const TZelVirtualGridColumn &) = delete;

    int Index() const;
    // "[index] title", or "[index] <fara nume>" for an empty title.
    QString DisplayName() const;
    TZelVirtualGrid *Grid() const;

    TZelTipDeDateColoana TipDeDate() const { return m_tip; }
    void SetTipDeDate(TZelTipDeDateColoana t);
    QString NumeColoana() const { return m_nume; }
    void SetNumeColoana(const QString &s);
    int Width() const { return m_width; }
    void SetWidth(int w);
    QColor CuloareHeader() const { return m_culoareHeader; }
    void SetCuloareHeader(const QColor &c);
    Qt::Alignment AliniereTextInHeader() const { return m_aliniereHeader; }
    void SetAliniereTextInHeader(Qt::Alignment a);
    QString Umbrela1() const { return m_umbrela1; }
    void SetUmbrela1(const QString &s);
    QString Umbrela2() const { return m_umbrela2; }
    void SetUmbrela2(const QString &s);
    const TZelFont &FontUmbrela1() const { return m_fontUmbrela1; }
    void SetFontUmbrela1(const TZelFont &f);
    const TZelFont &FontUmbrela2() const { return m_fontUmbrela2; }
    void SetFontUmbrela2(const TZelFont &f);
    // Invalid colour = none (the header colour).
    QColor CuloareUmbrela1() const { return m_culoareUmbrela1; }
    void SetCuloareUmbrela1(const QColor &c);
    QColor CuloareUmbrela2() const { return m_culoareUmbrela2; }
    void SetCuloareUmbrela2(const QColor &c);
    bool AllowMultiLineGridPrint() const { return m_multiLinePrint; }
    void SetAllowMultiLineGridPrint(bool v);

    // Styles 1..10; throws EZel "Sunt definite stiluri de la 1 la 10" for other numbers.
    TZelCuloriColoana &Stil(int nr);
    const TZelCuloriColoana &Stil(int nr) const;
    TZelCuloriColoana &Stil1() { return Stil(1); }
    TZelCuloriColoana &Stil2() { return Stil(2); }
    TZelCuloriColoana &Stil3() { return Stil(3); }
    TZelCuloriColoana &Stil4() { return Stil(4); }
    TZelCuloriColoana &Stil5() { return Stil(5); }
    TZelCuloriColoana &Stil6() { return Stil(6); }
    TZelCuloriColoana &Stil7() { return Stil(7); }
    TZelCuloriColoana &Stil8() { return Stil(8); }
    TZelCuloriColoana &Stil9() { return Stil(9); }
    TZelCuloriColoana &Stil10() { return Stil(10); }

    std::function<void(TZelVirtualGridLine *, QString &)> OnGetText;
    std::function<void(TZelVirtualGridLine *, int, int &)> OnGetImageIndex;
    std::function<void(TZelVirtualGridLine *, bool &)> OnApeleazaEditor;
    // Kept for stored layouts; the grid never calls it.
    std::function<void(TZelVirtualGridLine *, TZelTipDeDateColoana &)> OnGetTipDeDate;

private:
    friend class TZelCuloriColoana;
    void Schimbat();

    TZelVirtualGridColumns *m_colectie;
    TZelTipDeDateColoana m_tip = atString;
    QString m_nume;
    int m_width = 128;
    QColor m_culoareHeader;
    Qt::Alignment m_aliniereHeader = Qt::AlignHCenter;
    QString m_umbrela1, m_umbrela2;
    TZelFont m_fontUmbrela1, m_fontUmbrela2;
    QColor m_culoareUmbrela1, m_culoareUmbrela2;
    bool m_multiLinePrint = false;
    std::vector<std::unique_ptr<TZelCuloriColoana>> m_stiluri;
};

class TZelVirtualGridColumns {
public:
    explicit TZelVirtualGridColumns(TZelVirtualGrid *grid);
    ~TZelVirtualGridColumns();
    TZelVirtualGridColumns(const TZelVirtualGridColumns &) = delete;
    TZelVirtualGridColumns &operator=(const TZelVirtualGridColumns &) = delete;

    TZelVirtualGridColumn *Add();
    void Delete(int index);
    void Clear();
    int Count() const { return int(m_coloane.size()); }
    TZelVirtualGridColumn *Items(int index) const;
    int IndexOf(const TZelVirtualGridColumn *c) const;
    TZelVirtualGrid *Grid() const { return m_grid; }

private:
    TZelVirtualGrid *m_grid;
    std::vector<std::unique_ptr<TZelVirtualGridColumn>> m_coloane;
};

// ---------------------------------------------------------------------------------------
// Proposed values of a text cell

class TLinieDeDateFiltrareCautare {
public:
    int Id = -1;
    QStringList Celule;
    // The cells without dots, trimmed, lower-cased, joined by blanks.
    QString TextCautare() const;
};

class TListaLiniiDeDateFiltrareCautare {
public:
    TLinieDeDateFiltrareCautare *Add(int id, const QStringList &celule);
    void Clear();
    int Count() const { return int(m_linii.size()); }
    TLinieDeDateFiltrareCautare *Items(int index) const { return m_linii[size_t(index)].get(); }

    QStringList TitluriColoane;
    QList<int> LatimiColoane;
    // Strict: only a proposal may be accepted.
    bool Strict = false;

    // The words of a typed filter text.
    static QStringList CuvinteFiltru(const QString &text);
    // Indexes of the lines holding every word of the text, in order.
    QList<int> Filtreaza(const QString &text) const;

private:
    std::vector<std::unique_ptr<TLinieDeDateFiltrareCautare>> m_linii;
};

// The handle through which OnGetVarianteText fills the proposal list.
class TListaLiniiDeDateFiltrareCautareLink {
public:
    explicit TListaLiniiDeDateFiltrareCautareLink(TListaLiniiDeDateFiltrareCautare *lista) : m_lista(lista) {}
    TListaLiniiDeDateFiltrareCautare *Lista() const { return m_lista; }
    TLinieDeDateFiltrareCautare *Add(int id, const QStringList &celule) { return m_lista->Add(id, celule); }
    void SeteazaColoane(const QStringList &titluri, const QList<int> &latimi)
    {
        m_lista->TitluriColoane = titluri;
        m_lista->LatimiColoane = latimi;
    }
    void SetStrict(bool strict) { m_lista->Strict = strict; }

private:
    TListaLiniiDeDateFiltrareCautare *m_lista;
};

// ---------------------------------------------------------------------------------------
// The grid

// A hovered cell.
struct TZelCelulaGrid {
    int Coloana = 0;
    int Rand = 0;
    int Intensitate = 0;
};

enum TZelGridOption : int {
    goSelectezLinia = 0x1,
    goNuAfisezLiniiVerticale = 0x2,
    goNuAfisezLiniiOrizontale = 0x4,
};

// Posts a tick to the grid every 100 ms while ticking is on; the grid switches ticking
// under the write lock, the thread reads it under the read lock.
class TZelVGridTickThread : public QThread {
    Q_OBJECT
public:
    struct TStare {
        QReadWriteLock Lacat;
        bool Ticaie = false;
        bool Termina = false;
        QObject *Tinta = nullptr;
    };
    explicit TZelVGridTickThread(std::shared_ptr<TStare> stare);

protected:
    void run() override;

private:
    std::shared_ptr<TStare> m_stare;
};

class TZelVirtualGrid : public TZelCustomDrawGrid {
    Q_OBJECT
    Q_PROPERTY(int HeaderHeight READ HeaderHeight WRITE SetHeaderHeight)
    Q_PROPERTY(int NrColoaneFixe READ NrColoaneFixe WRITE SetNrColoaneFixe)
    Q_PROPERTY(int Optiuni READ Optiuni WRITE SetOptiuni)
    Q_PROPERTY(QString TitluMare MEMBER TitluMare)
    Q_PROPERTY(QString TitluMic MEMBER TitluMic)
    Q_PROPERTY(QString AntetLinia1 MEMBER AntetLinia1)
    Q_PROPERTY(QString AntetLinia2 MEMBER AntetLinia2)
    Q_PROPERTY(QString AntetLinia3 MEMBER AntetLinia3)
    Q_PROPERTY(QString TitluDreaptaSus MEMBER TitluDreaptaSus)
    Q_PROPERTY(QString TitluDreaptaSus2 MEMBER TitluDreaptaSus2)
    Q_PROPERTY(QString TitluDreaptaSus3 MEMBER TitluDreaptaSus3)
    Q_PROPERTY(QString InfoSemnaturi MEMBER InfoSemnaturi)
    Q_PROPERTY(QString InfoSemnaturi_nume1 MEMBER InfoSemnaturi_nume1)
    Q_PROPERTY(QString InfoSemnaturi_nume2 MEMBER InfoSemnaturi_nume2)
    Q_PROPERTY(QString InfoSemnaturi_nume3 MEMBER InfoSemnaturi_nume3)
    Q_PROPERTY(QString InfoSemnaturi_func1 MEMBER InfoSemnaturi_func1)
    Q_PROPERTY(QString InfoSemnaturi_func2 MEMBER InfoSemnaturi_func2)
    Q_PROPERTY(QString InfoSemnaturi_func3 MEMBER InfoSemnaturi_func3)
    Q_PROPERTY(QString InfoSemnaturi_func1_bis MEMBER InfoSemnaturi_func1_bis)
    Q_PROPERTY(QString InfoSemnaturi_func2_bis MEMBER InfoSemnaturi_func2_bis)
    Q_PROPERTY(QString InfoSemnaturi_func3_bis MEMBER InfoSemnaturi_func3_bis)
    Q_PROPERTY(bool PrintPortrait MEMBER PrintPortrait)
    Q_PROPERTY(bool MarginiSubtiri MEMBER MarginiSubtiri)
    Q_PROPERTY(QString _BuildVersion READ BuildVersion WRITE SetBuildVersion)
public:
    explicit TZelVirtualGrid(QWidget *parent = nullptr);
    ~TZelVirtualGrid() override;

    TZelVirtualGridColumns &Coloane() { return *m_coloane; }
    TZelVirtualGridList &Linii() { return *m_linii; }

    // Height of row 0 in pixels (not scaled); -1 when the grid has no row or no column.
    int HeaderHeight() const;
    void SetHeaderHeight(int h);
    int NrColoaneFixe() const { return m_nrColoaneFixe; }
    void SetNrColoaneFixe(int n);
    int Optiuni() const { return m_optiuni; }
    void SetOptiuni(int optiuni);
    // Images cells may show at their left; empty = none.
    QList<QPixmap> ListaDeImagini() const { return m_imagini; }
    void SetListaDeImagini(const QList<QPixmap> &imagini);

    QString BuildVersion() const { return QStringLiteral("#1"); }
    void SetBuildVersion(const QString &) {}

    // Listing settings, stored with the window only.
    QString TitluMare = QStringLiteral("TITLUL MARE");
    QString TitluMic = QStringLiteral("TITLUL MIC");
    QString AntetLinia1 = QStringLiteral("Linia #1 din antet");
    QString AntetLinia2 = QStringLiteral("Linia #2 din antet");
    QString AntetLinia3 = QStringLiteral("Linia #3 din antet");
    QString TitluDreaptaSus, TitluDreaptaSus2, TitluDreaptaSus3;
    QString InfoSemnaturi;
    QString InfoSemnaturi_nume1, InfoSemnaturi_nume2, InfoSemnaturi_nume3;
    QString InfoSemnaturi_func1, InfoSemnaturi_func2, InfoSemnaturi_func3;
    QString InfoSemnaturi_func1_bis, InfoSemnaturi_func2_bis, InfoSemnaturi_func3_bis;
    bool PrintPortrait = false;
    bool MarginiSubtiri = false;

    // Events.
    std::function<void(TZelVirtualGridLine *, int, TZelValoareDate &)> OnGetCellValue;
    std::function<void(TZelVirtualGridLine *, int, const TZelValoareDate &)> OnSetCellValue;
    std::function<void(TZelVirtualGridLine *, int, bool &)> OnPotEdita;
    std::function<void(TZelVirtualGridLine *, int, QColor &, TZelFont &)> OnFormatCell;
    std::function<void(TZelVirtualGridLine *, const TZelValoareDate &, int, QString &)> OnCustomText;
    std::function<void(TZelVirtualGridLine *, int, int &)> OnGetImageIndex;
    std::function<void(TZelVirtualGridLine *, int, TListaLiniiDeDateFiltrareCautareLink &, QString &)> OnGetVarianteText;

    // Throws EZel "EndUpdate fara BeginUpdate" without a matching BeginUpdate.
    void BeginUpdate();
    void EndUpdate();
    int NivelUpdate() const { return m_update; }
    // Counts, sizes and fixed cells from the columns and lines, then a repaint.
    void RefaLayout();

    // The line of a grid row (row 1 = line 0), nullptr for the header or beyond.
    TZelVirtualGridLine *LiniaRandului(int row) const;
    // The text a data cell shows (throws the mismatch and format errors).
    QString TextCelula(int col, int row) const;
    struct TStilCelula {
        QColor Fundal;
        TZelFont Font;
        QColor CuloareLinii;
        Qt::Alignment Aliniere;
        int ImageIndex = -1;
        int Indent = -1;
    };
    // Colours and font of a data cell (throws "Sunt definite stiluri de la 1 la 10").
    TStilCelula StilCelula(int col, int row, bool selectat) const;
    // The style of a column a line uses: from its Stil down to 2 the first active one, else Stil1.
    static const TZelCuloriColoana &StilFolosit(const TZelVirtualGridColumn &c, const TZelVirtualGridLine &l);

    // Sample texts instead of asking for values, as while a window is designed.
    void SetModProiectare(bool v);
    bool ModProiectare() const { return m_proiectare; }

    // Hover: the listed cells and their intensities.
    QList<TZelCelulaGrid> CeluleHover() const { return m_hover; }
    // Intensity of a listed cell, 0 when it is not listed.
    int IntensitateHover(int col, int row) const;
    // Marks the cell (or with goSelectezLinia its line) under the mouse, as a mouse move does.
    void MouseLaCelula(int col, int row);
    // One tick of the fade.
    void Tick();
    bool Ticaie() const;
    // Ticks come only from Tick() (callers that drive the time themselves); no thread.
    void SetTickuriManuale(bool v) { m_tickuriManuale = v; }

    // Opens the pop-up editor on the current cell with the given typed text, after the
    // checks of the keys; returns whether it opened.
    bool DeschideEditorul(const QString &textTastat);
    TZelVGridEditorForm *Editor() const;
    // The identifier of the proposal chosen in the last accepted edit; -1 when none.
    int IdPropunereAleasa() const { return m_idPropunere; }

    QString UltimaDimensiuneVizibila() const { return m_dimensiune; }

protected:
    void DrawCell(QPainter &p, int col, int row, const QRect &rect, int stare) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool event(QEvent *e) override;
    bool viewportEvent(QEvent *e) override;

private:
    friend class TZelVirtualGridColumn;
    friend class TZelVirtualGridColumns;
    friend class TZelVGridEditorForm;

    void CerereLayout();
    void DeseneazaHeader(QPainter &p, int col, const QRect &rect);
    void DeseneazaDate(QPainter &p, int col, int row, const QRect &rect, int stare);
    void PornesteTickuri(bool porneste);
    void RaporteazaEroarea(const QString &mesaj) const;
    bool EditorPermis(int col, int row, TZelValoareDate &v) const;
    void EditorInchis(bool acceptat, const TZelValoareDate &v, int idPropunere);
    int ScaleazaCuCache(int a) const;
    void FaVizibilaCelula(int col, int row);
    void TrateazaTasta(QKeyEvent *e);

    std::unique_ptr<TZelVirtualGridColumns> m_coloane;
    std::unique_ptr<TZelVirtualGridList> m_linii;
    int m_headerHeight = 48;
    int m_nrColoaneFixe = 1;
    int m_optiuni = 0;
    QList<QPixmap> m_imagini;
    int m_update = 0;
    bool m_layoutCerut = false;
    bool m_distrugere = false;
    bool m_proiectare = false;
    QList<TZelCelulaGrid> m_hover;
    int m_mouseCol = -1;
    int m_mouseRow = -1;
    std::shared_ptr<TZelVGridTickThread::TStare> m_stareTickuri;
    QPointer<TZelVGridTickThread> m_fir;
    bool m_tickuriManuale = false;
    QString m_dimensiune;
    QPointer<TZelVGridEditorForm> m_editor;
    int m_idPropunere = -1;
    mutable QStringList m_eroriRaportate;
};
