#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QThread>
#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;
class QPainter;

// Single-line edit boxes that draw everything themselves (frame, text, selection, caret),
// so a number box can paint its own thousands marks without inserting characters.

// ---------------------------------------------------------------------------------------
// Colours and styles

enum TZelColorVariationEnum : int {
    cvNoVariation,
    cvLiteBlue,
    cvLiteGreen,
    cvLiteRed,
    cvLiteLiteBlue,
    cvLiteLiteGreen,
    cvLiteLiteRed,
    cvLite,
    cvLiteLite,
};

// The colours of the current palette the boxes are drawn with.
namespace CuloriSistem {
QColor Fereastra();      // window (edit background)
QColor TextFereastra();  // window text
QColor UmbraButon();     // button shadow
QColor FataButon();      // button face
QColor Evidentiere();    // highlight
QColor TextEvidentiat(); // highlighted text
} // namespace CuloriSistem

class TZelColorVariation {
public:
    TZelColorVariation();
    TZelColorVariation(const QColor &baza, TZelColorVariationEnum variatie = cvNoVariation);

    QColor BaseColor;
    TZelColorVariationEnum Variation = cvNoVariation;

    // The base colour with the variation's shift, each component clamped to 0..255.
    // Throws EZel "Don't know variation" for a value outside the enumeration.
    QColor Culoare() const;
};

class TZelTextEditStyle {
public:
    TZelTextEditStyle();

    TZelColorVariation BkColor;
    TZelColorVariation BorderColor;
    TZelColorVariation FontColor;
    int BorderWidth = 1;
    QFont Font;
};

class TZelTextEditStyleRepository {
public:
    TZelTextEditStyleRepository();

    TZelTextEditStyle Cold;
    TZelTextEditStyle Hot;
    TZelTextEditStyle Hover;
    TZelTextEditStyle ReadOnlyCold;
    TZelTextEditStyle ReadOnlyHot;
    TZelTextEditStyle ReadOnlyHover;
};

// The one repository every box paints with: the installed one, else a default made on first use.
TZelTextEditStyleRepository *ZelTextEditStyleRepository();
// Installs the application's own repository (not owned); nullptr goes back to the default.
void InstaleazaZelTextEditStyleRepository(TZelTextEditStyleRepository *repository);

// ---------------------------------------------------------------------------------------
// Pointer watcher

// Polls the pointer every 100 ms and posts one event of type `mesaj` to the widget as soon
// as the pointer is outside the widget's screen rectangle, then ends. It ends without posting
// when the widget is destroyed first. It starts itself and deletes itself when it ends.
class TZelMouseInWindowThread : public QThread {
    Q_OBJECT
public:
    struct TStare;

    TZelMouseInWindowThread(QWidget *fereastra, int mesaj);
    ~TZelMouseInWindowThread() override;

    // Tests replace where the pointer is read from; an empty function restores QCursor::pos().
    static void InlocuiestePozitiaPointerului(std::function<QPoint()> pozitie);

Q_SIGNALS:
    // Emitted from the watcher's thread right before it ends.
    void SaTerminat(bool notificareTrimisa);

protected:
    void run() override;

private:
    std::shared_ptr<TStare> m_stare;
    int m_mesaj;
    QPointer<QObject> m_paza; // lives on the watched widget
};

// The notice the edit boxes receive from their watcher (first user message + 100).
inline constexpr int ZelMesajPointerIesit = 1024 + 100;

// ---------------------------------------------------------------------------------------
// Controls

class TZelBaseControl : public QWidget {
    Q_OBJECT
public:
    explicit TZelBaseControl(QWidget *parent = nullptr);
};

class TZelFieldBasedControl : public TZelBaseControl {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
public:
    // Visual states.
    enum {
        StareReadOnlyCold = 0,
        StareReadOnlyHover = 1,
        StareReadOnlyHot = 2,
        StareCold = 3,
        StareHover = 4,
        StareHot = 5,
    };

    explicit TZelFieldBasedControl(QWidget *parent = nullptr);

    int StareVizuala() const { return m_stare; }
    // Throws EZel "Don't know state" outside 0..5.
    virtual void SetStareVizuala(int stare);
    virtual void DeseneazaCadru(QPainter &p, int stare);
    // Throws EZel "Don't know state" outside 0..5.
    virtual const TZelTextEditStyle &StilPentruStare(int stare) const;
    virtual TZelTextEditStyleRepository *Repository() const;

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    // The box's own colour; invalid = the colour of the parent it sits on (the window
    // colour for a box without a parent).
    QColor Color;
    QColor CuloareaCutiei() const;

    // Background of the disabled look; invalid = none. Without it a disabled box whose
    // colour is the button face is filled with the button face, any other keeps the
    // state's background.
    QColor CuloareDezactivat;
    // Hides the text while the box is disabled.
    bool AscundeTextulCandEDezactivat = false;

protected:
    static bool EsteFocalizata(int stare) { return stare == StareHot || stare == StareReadOnlyHot; }
    int StareInactiva() const { return m_readOnly ? StareReadOnlyCold : StareCold; }
    int StareActiva() const { return m_readOnly ? StareReadOnlyHot : StareHot; }
    int StareHoverCurenta() const { return m_readOnly ? StareReadOnlyHover : StareHover; }

private:
    int m_stare = StareCold;
    bool m_readOnly = false;
};

class TZelCustomTextEdit : public TZelFieldBasedControl {
    Q_OBJECT
public:
    explicit TZelCustomTextEdit(QWidget *parent = nullptr);
    ~TZelCustomTextEdit() override;

    QString Text() const { return m_text; }
    // Goes through the acceptance check; a refused text is silently not taken.
    // Returns whether the text was taken.
    bool SetText(const QString &text);

    // Caret between characters, 1 .. length+1.
    int PozitieCursor() const { return m_cursor; }
    // Selected characters; negative when the selection extends left of the caret.
    int LungimeSelectie() const { return m_selectie; }
    QString TextSelectat() const;
    // Places caret and selection (clamped to the text).
    void SeteazaSelectia(int pozitieCursor, int lungimeSelectie);

    bool KeepSelection() const { return m_keepSelection; }
    void SetKeepSelection(bool v);
    bool RightAlignNonEdit() const { return m_rightAlignNonEdit; }
    void SetRightAlignNonEdit(bool v);
    bool AutoSelectOnEnter() const { return m_autoSelectOnEnter; }
    void SetAutoSelectOnEnter(bool v) { m_autoSelectOnEnter = v; }

    static QString Version() { return QStringLiteral("1.0"); }

    std::function<void(TZelCustomTextEdit *)> OnChange;
    std::function<void(TZelCustomTextEdit *)> OnLeft;
    std::function<void(TZelCustomTextEdit *)> OnRight;
    std::function<void(TZelCustomTextEdit *)> OnUp;
    std::function<void(TZelCustomTextEdit *)> OnDown;
    // Keys the box does not handle itself; the event stays unaccepted (so it also reaches
    // the parent) unless the handler accepts it.
    std::function<void(TZelCustomTextEdit *, QKeyEvent *)> OnKeyDown;

    QSize sizeHint() const override { return QSize(100, 24); }

    // Accepts a candidate text, possibly rewriting it.
    virtual bool AcceptaText(QString &candidat);
    virtual void DeseneazaText(QPainter &p, int stare);
    // Sets the painter's font and pen before a part of the text is drawn.
    virtual void PregatesteFont(QPainter &p, bool inAfaraSelectiei);

protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool event(QEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery q) const override;

    // Left edge of the text as painted in the given state.
    int XText(int stare) const;
    // Caret position (1-based) nearest to a point in widget coordinates.
    int PozitieLaX(int x) const;
    bool Focalizata() const { return EsteFocalizata(StareVizuala()); }

private:
    // Replaces the text when the candidate is accepted; the caret goes to `cursorNou`.
    bool Schimba(const QString &candidat, int cursorNou);
    void InsereazaLaCursor(const QString &s);
    void StergeSelectia();
    int InceputSelectie() const;
    int SfarsitSelectie() const;
    void MutaCursorul(int pozitie, bool extinde);
    void Lipeste();
    void Copiaza();
    void Taie();
    void MutaFocusulLaUrmatorul();
    void IntraInHover();

    QString m_text;
    int m_cursor = 1;
    int m_selectie = 0;
    bool m_keepSelection = false;
    bool m_rightAlignNonEdit = false;
    bool m_autoSelectOnEnter = true;
    bool m_trage = false;
    bool m_focusDinClic = false;
    QPointer<TZelMouseInWindowThread> m_urmaritor;
};

// While one of these lives, the window it names is being loaded: the boxes inside it take
// their first values without firing OnChange. Nests.
class TZelIncarcareFereastra {
public:
    explicit TZelIncarcareFereastra(QWidget *fereastra);
    ~TZelIncarcareFereastra();
    TZelIncarcareFereastra(const TZelIncarcareFereastra &) = delete;
    TZelIncarcareFereastra &operator=(const TZelIncarcareFereastra &) = delete;

    // Whether w or a window holding it is being loaded.
    static bool SeIncarca(const QWidget *w);

private:
    QPointer<QWidget> m_fereastra;
};

class TZelTextEdit : public TZelCustomTextEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(bool KeepSelection READ KeepSelection WRITE SetKeepSelection)
    Q_PROPERTY(bool RightAlignNonEdit READ RightAlignNonEdit WRITE SetRightAlignNonEdit)
    Q_PROPERTY(bool AutoSelectOnEnter READ AutoSelectOnEnter WRITE SetAutoSelectOnEnter)
public:
    explicit TZelTextEdit(QWidget *parent = nullptr);
};

class TZelNumEdit : public TZelTextEdit {
    Q_OBJECT
    Q_PROPERTY(int NrCifreDupaVirgula READ NrCifreDupaVirgula WRITE SetNrCifreDupaVirgula)
    Q_PROPERTY(bool NoDots READ NoDots WRITE SetNoDots)
public:
    explicit TZelNumEdit(QWidget *parent = nullptr);

    int NrCifreDupaVirgula() const { return m_nrCifreDupaVirgula; }
    void SetNrCifreDupaVirgula(int n) { m_nrCifreDupaVirgula = n; }
    bool NoDots() const { return m_noDots; }
    void SetNoDots(bool v);

    // The value properties. Readers throw EZel when the digits do not fit 64 bits.
    qint64 FaraZecimale() const;
    void SetFaraZecimale(qint64 v);
    qint64 CuDouaZecimale() const;       // hundredths
    void SetCuDouaZecimale(qint64 v);
    qint64 CuPatruZecimale() const;      // ten-thousandths
    void SetCuPatruZecimale(qint64 v);
    qint64 CuDoiPatruZecimale() const;   // ten-thousandths, two decimals kept
    void SetCuDoiPatruZecimale(qint64 v);
    qint64 AsCurrency() const;           // money in ten-thousandths
    void SetAsCurrency(qint64 v);

    // The rules of a number text; rewrites "." to ",".
    static bool EsteTextNumeric(QString &candidat, int nrCifreDupaVirgula);

    bool AcceptaText(QString &candidat) override;
    void DeseneazaText(QPainter &p, int stare) override;
    void PregatesteFont(QPainter &p, bool inAfaraSelectiei) override;

private:
    qint64 CuZecimale(int zecimale) const;
    void SetCuZecimale(qint64 v, int zecimale);

    int m_nrCifreDupaVirgula = 2;
    bool m_noDots = false;
};
