#include "widgets/UZelEditors.h"

#include "text/Ceas.h"
#include "text/Eroare.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMutex>
#include <QPainter>

#include <algorithm>
#include <limits>

// ---------------------------------------------------------------------------------------
// Colours

namespace {
QColor DinPaleta(QPalette::ColorRole rol, const QColor &implicit)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Active, rol);
    return implicit;
}

int Limitat255(int v)
{
    return std::clamp(v, 0, 255);
}

QColor Deplasat(const QColor &c, int dr, int dg, int db)
{
    return QColor(Limitat255(c.red() + dr), Limitat255(c.green() + dg), Limitat255(c.blue() + db));
}
} // namespace

namespace CuloriSistem {
QColor Fereastra() { return DinPaleta(QPalette::Base, QColor(255, 255, 255)); }
QColor TextFereastra() { return DinPaleta(QPalette::Text, QColor(0, 0, 0)); }
QColor UmbraButon() { return DinPaleta(QPalette::Dark, QColor(160, 160, 160)); }
QColor FataButon() { return DinPaleta(QPalette::Button, QColor(240, 240, 240)); }
QColor Evidentiere() { return DinPaleta(QPalette::Highlight, QColor(0, 120, 215)); }
QColor TextEvidentiat() { return DinPaleta(QPalette::HighlightedText, QColor(255, 255, 255)); }
} // namespace CuloriSistem

TZelColorVariation::TZelColorVariation() : BaseColor(CuloriSistem::Fereastra()) {}

TZelColorVariation::TZelColorVariation(const QColor &baza, TZelColorVariationEnum variatie)
    : BaseColor(baza), Variation(variatie)
{
}

QColor TZelColorVariation::Culoare() const
{
    const QColor c = BaseColor.toRgb();
    switch (Variation) {
    case cvNoVariation: return Deplasat(c, 0, 0, 0);
    case cvLiteBlue: return Deplasat(c, -20, -20, 0);
    case cvLiteGreen: return Deplasat(c, -20, 0, -20);
    case cvLiteRed: return Deplasat(c, 0, -20, -20);
    case cvLiteLiteBlue: return Deplasat(c, -10, -10, 0);
    case cvLiteLiteGreen: return Deplasat(c, -10, 0, -10);
    case cvLiteLiteRed: return Deplasat(c, 0, -10, -10);
    case cvLite: return Deplasat(c, 20, 20, 20);
    case cvLiteLite: return Deplasat(c, 10, 10, 10);
    }
    throw EZel(QStringLiteral("Don't know variation"));
}

TZelTextEditStyle::TZelTextEditStyle()
    : BorderColor(CuloriSistem::UmbraButon()), FontColor(CuloriSistem::TextFereastra()),
      Font(QStringLiteral("Arial"), 9)
{
}

TZelTextEditStyleRepository::TZelTextEditStyleRepository()
{
    const QColor fereastra = CuloriSistem::Fereastra();
    const QColor umbra = CuloriSistem::UmbraButon();
    const QColor fata = CuloriSistem::FataButon();

    Cold.BkColor = TZelColorVariation(
        QColor(fereastra.red(), fereastra.green(), (fereastra.blue() + 256 - 5) % 256));

    Hot.BkColor = TZelColorVariation(fereastra, cvLiteLiteBlue);
    Hot.BorderColor = TZelColorVariation(QColor(0, 0, 0));
    Hot.BorderWidth = 2;

    Hover.BkColor = TZelColorVariation(fereastra, cvLiteGreen);
    Hover.BorderColor = TZelColorVariation(umbra, cvLiteGreen);

    ReadOnlyCold.BkColor = TZelColorVariation(fata, cvLite);
    ReadOnlyHot.BkColor = TZelColorVariation(fata, cvLiteLiteRed);
    ReadOnlyHover.BkColor = TZelColorVariation(fata, cvLiteRed);
    ReadOnlyCold.BorderColor = ReadOnlyHot.BorderColor = ReadOnlyHover.BorderColor =
        TZelColorVariation(umbra);
}

namespace {
TZelTextEditStyleRepository *g_instalat = nullptr;
std::unique_ptr<TZelTextEditStyleRepository> g_implicit;
} // namespace

TZelTextEditStyleRepository *ZelTextEditStyleRepository()
{
    if (g_instalat)
        return g_instalat;
    if (!g_implicit)
        g_implicit = std::make_unique<TZelTextEditStyleRepository>();
    return g_implicit.get();
}

void InstaleazaZelTextEditStyleRepository(TZelTextEditStyleRepository *repository)
{
    g_instalat = repository;
}

// ---------------------------------------------------------------------------------------
// Pointer watcher

struct TZelMouseInWindowThread::TStare {
    QMutex lacat;
    QWidget *fereastra = nullptr; // valid only while !disparuta
    bool disparuta = false;
    QRect dreptunghi;
};

namespace {
QMutex g_lacatPointer;
std::function<QPoint()> g_pozitiePointer;

QPoint PozitiaPointerului()
{
    std::function<QPoint()> f;
    {
        QMutexLocker l(&g_lacatPointer);
        f = g_pozitiePointer;
    }
    return f ? f() : QCursor::pos();
}

// Lives on the watched widget (as its child, on the interface thread): keeps a copy of the
// widget's screen rectangle for the watcher, and tells it when the widget is destroyed.
// The watcher itself never touches the widget.
class TPazaFereastra : public QObject {
public:
    TPazaFereastra(QWidget *w, std::shared_ptr<TZelMouseInWindowThread::TStare> stare)
        : QObject(w), m_w(w), m_stare(std::move(stare))
    {
        {
            QMutexLocker l(&m_stare->lacat);
            m_stare->fereastra = w;
        }
        // Moving any parent moves the box on the screen.
        for (QWidget *p = w; p; p = p->parentWidget())
            p->installEventFilter(this);
        Actualizeaza();
    }
    ~TPazaFereastra() override
    {
        QMutexLocker l(&m_stare->lacat);
        m_stare->disparuta = true;
        m_stare->fereastra = nullptr;
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Actualizeaza();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Actualizeaza()
    {
        const QRect r(m_w->mapToGlobal(QPoint(0, 0)), m_w->size());
        QMutexLocker l(&m_stare->lacat);
        m_stare->dreptunghi = r;
    }

    QWidget *m_w;
    std::shared_ptr<TZelMouseInWindowThread::TStare> m_stare;
};
} // namespace

TZelMouseInWindowThread::TZelMouseInWindowThread(QWidget *fereastra, int mesaj)
    : m_stare(std::make_shared<TStare>()), m_mesaj(mesaj)
{
    if (fereastra)
        m_paza = new TPazaFereastra(fereastra, m_stare);
    else
        m_stare->disparuta = true;
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    start();
}

TZelMouseInWindowThread::~TZelMouseInWindowThread()
{
    requestInterruption();
    wait();
    delete m_paza.data();
}

void TZelMouseInWindowThread::InlocuiestePozitiaPointerului(std::function<QPoint()> pozitie)
{
    QMutexLocker l(&g_lacatPointer);
    g_pozitiePointer = std::move(pozitie);
}

void TZelMouseInWindowThread::run()
{
    for (;;) {
        if (isInterruptionRequested()) {
            Q_EMIT SaTerminat(false);
            return;
        }
        QRect r;
        {
            QMutexLocker l(&m_stare->lacat);
            if (m_stare->disparuta) {
                l.unlock();
                Q_EMIT SaTerminat(false);
                return;
            }
            r = m_stare->dreptunghi;
        }
        const QPoint pt = PozitiaPointerului();
        // Points on the edges count as inside.
        const bool afara = pt.x() < r.left() || pt.x() > r.left() + r.width() || pt.y() < r.top() ||
                           pt.y() > r.top() + r.height();
        if (afara) {
            bool trimis = false;
            {
                // Posting under the lock: the widget cannot finish dying in between, and an
                // event posted to a dying widget is dropped with it.
                QMutexLocker l(&m_stare->lacat);
                if (!m_stare->disparuta) {
                    QCoreApplication::postEvent(m_stare->fereastra, new QEvent(QEvent::Type(m_mesaj)));
                    trimis = true;
                }
            }
            Q_EMIT SaTerminat(trimis);
            return;
        }
        Ceas::Dormi(100);
    }
}

// ---------------------------------------------------------------------------------------
// Controls

TZelBaseControl::TZelBaseControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TZelFieldBasedControl::TZelFieldBasedControl(QWidget *parent) : TZelBaseControl(parent) {}

namespace {
[[noreturn]] void StareNecunoscuta()
{
    throw EZel(QStringLiteral("Don't know state"));
}
} // namespace

void TZelFieldBasedControl::SetStareVizuala(int stare)
{
    if (stare < 0 || stare > 5)
        StareNecunoscuta();
    if (stare == m_stare)
        return;
    m_stare = stare;
    update();
}

TZelTextEditStyleRepository *TZelFieldBasedControl::Repository() const
{
    return ZelTextEditStyleRepository();
}

const TZelTextEditStyle &TZelFieldBasedControl::StilPentruStare(int stare) const
{
    TZelTextEditStyleRepository *r = Repository();
    switch (stare) {
    case StareReadOnlyCold: return r->ReadOnlyCold;
    case StareReadOnlyHover: return r->ReadOnlyHover;
    case StareReadOnlyHot: return r->ReadOnlyHot;
    case StareCold: return r->Cold;
    case StareHover: return r->Hover;
    case StareHot: return r->Hot;
    default: break;
    }
    StareNecunoscuta();
}

QColor TZelFieldBasedControl::CuloareaCutiei() const
{
    if (Color.isValid())
        return Color;
    if (const QWidget *p = parentWidget())
        return p->palette().color(QPalette::Active, p->backgroundRole());
    return CuloriSistem::Fereastra();
}

void TZelFieldBasedControl::DeseneazaCadru(QPainter &p, int stare)
{
    const TZelTextEditStyle &st = StilPentruStare(stare);
    QColor fundal = st.BkColor.Culoare();
    if (!isEnabled()) {
        const QColor fata = CuloriSistem::FataButon();
        if (CuloareaCutiei().rgb() == fata.rgb())
            fundal = fata;
        if (CuloareDezactivat.isValid())
            fundal = CuloareDezactivat;
    }
    p.fillRect(rect(), fundal);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(st.BorderColor.Culoare(), 1));
    for (int i = 0; i < st.BorderWidth && 2 * i < std::min(width(), height()); ++i)
        p.drawRect(rect().adjusted(i, i, -1 - i, -1 - i));
}

void TZelFieldBasedControl::SetReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    // Same kind of state (idle, hover, focused) in the other family.
    const int fel = m_stare % 3;
    SetStareVizuala((readOnly ? 0 : 3) + fel);
}

// ---------------------------------------------------------------------------------------

TZelCustomTextEdit::TZelCustomTextEdit(QWidget *parent) : TZelFieldBasedControl(parent)
{
    resize(100, 24);
    setCursor(Qt::IBeamCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
}

TZelCustomTextEdit::~TZelCustomTextEdit() = default;

int TZelCustomTextEdit::InceputSelectie() const
{
    return std::min(m_cursor, m_cursor + m_selectie);
}

int TZelCustomTextEdit::SfarsitSelectie() const
{
    return std::max(m_cursor, m_cursor + m_selectie);
}

QString TZelCustomTextEdit::TextSelectat() const
{
    return m_text.mid(InceputSelectie() - 1, SfarsitSelectie() - InceputSelectie());
}

void TZelCustomTextEdit::SeteazaSelectia(int pozitieCursor, int lungimeSelectie)
{
    const int n = int(m_text.size());
    m_cursor = std::clamp(pozitieCursor, 1, n + 1);
    const int ancora = std::clamp(m_cursor + lungimeSelectie, 1, n + 1);
    m_selectie = ancora - m_cursor;
    update();
}

void TZelCustomTextEdit::SetKeepSelection(bool v)
{
    m_keepSelection = v;
    update();
}

void TZelCustomTextEdit::SetRightAlignNonEdit(bool v)
{
    m_rightAlignNonEdit = v;
    update();
}

bool TZelCustomTextEdit::AcceptaText(QString &candidat)
{
    const QFontMetrics fm(StilPentruStare(StareVizuala()).Font);
    const int latime = fm.horizontalAdvance(candidat);
    if (latime + 8 < width())
        return true;
    // A box made narrower than its text must still let the user shorten it.
    return latime <= fm.horizontalAdvance(m_text) && candidat.size() < m_text.size();
}

bool TZelCustomTextEdit::Schimba(const QString &candidat, int cursorNou)
{
    QString c = candidat;
    if (!AcceptaText(c))
        return false;
    const bool diferit = c != m_text;
    m_text = c;
    m_cursor = std::clamp(cursorNou, 1, int(m_text.size()) + 1);
    m_selectie = 0;
    update();
    if (diferit && OnChange && !TZelIncarcareFereastra::SeIncarca(this))
        OnChange(this);
    return true;
}

bool TZelCustomTextEdit::SetText(const QString &text)
{
    QString c = text;
    if (!AcceptaText(c))
        return false;
    // Setting the text it already holds leaves the caret and selection where the user has them.
    if (c == m_text)
        return true;
    return Schimba(c, int(c.size()) + 1);
}

void TZelCustomTextEdit::InsereazaLaCursor(const QString &s)
{
    const int a = InceputSelectie(), b = SfarsitSelectie();
    Schimba(m_text.left(a - 1) + s + m_text.mid(b - 1), a + int(s.size()));
}

void TZelCustomTextEdit::StergeSelectia()
{
    InsereazaLaCursor(QString());
}

void TZelCustomTextEdit::MutaCursorul(int pozitie, bool extinde)
{
    const int n = int(m_text.size());
    pozitie = std::clamp(pozitie, 1, n + 1);
    if (extinde) {
        const int ancora = m_cursor + m_selectie;
        m_cursor = pozitie;
        m_selectie = ancora - m_cursor;
    } else {
        m_cursor = pozitie;
        m_selectie = 0;
    }
    update();
}

void TZelCustomTextEdit::Copiaza()
{
    const QString s = TextSelectat();
    if (!s.isEmpty())
        QGuiApplication::clipboard()->setText(s);
}

void TZelCustomTextEdit::Lipeste()
{
    if (ReadOnly())
        return;
    // An empty clipboard has nothing to paste; it must not wipe the selection.
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        InsereazaLaCursor(text);
}

void TZelCustomTextEdit::Taie()
{
    if (ReadOnly() || m_selectie == 0)
        return;
    Copiaza();
    StergeSelectia();
}

void TZelCustomTextEdit::MutaFocusulLaUrmatorul()
{
    // Only forward: the last control of the window keeps the focus.
    QList<QWidget *> ordine;
    QWidget *start = window();
    for (QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            ordine.append(w);
    }
    const qsizetype eu = ordine.indexOf(this);
    if (eu >= 0 && eu + 1 < ordine.size())
        ordine[eu + 1]->setFocus(Qt::TabFocusReason);
}

namespace {
bool EsteSeparatorDeCuvinte(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u',' || c == u'.';
}
} // namespace

void TZelCustomTextEdit::keyPressEvent(QKeyEvent *e)
{
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool shift = m.testFlag(Qt::ShiftModifier);
    const bool ctrl = m.testFlag(Qt::ControlModifier);
    const int n = int(m_text.size());
    const bool editabil = !ReadOnly();
    e->accept();

    auto cuvantInapoi = [&] {
        int i = m_cursor - 1;
        while (i > 0 && EsteSeparatorDeCuvinte(m_text[i - 1]))
            --i;
        while (i > 0 && !EsteSeparatorDeCuvinte(m_text[i - 1]))
            --i;
        return i + 1;
    };
    auto cuvantInainte = [&] {
        int i = m_cursor - 1;
        while (i < n && EsteSeparatorDeCuvinte(m_text[i]))
            ++i;
        while (i < n && !EsteSeparatorDeCuvinte(m_text[i]))
            ++i;
        return i + 1;
    };

    switch (e->key()) {
    case Qt::Key_Home:
    case Qt::Key_End: {
        const int tinta = e->key() == Qt::Key_Home ? 1 : n + 1;
        if (shift && !ctrl)
            MutaCursorul(tinta, true);
        else if (!shift && !ctrl)
            MutaCursorul(tinta, false);
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool stanga = e->key() == Qt::Key_Left;
        if (ctrl) {
            MutaCursorul(stanga ? cuvantInapoi() : cuvantInainte(), shift);
        } else if (shift) {
            MutaCursorul(m_cursor + (stanga ? -1 : 1), true);
        } else if (stanga) {
            if (m_selectie != 0)
                MutaCursorul(m_cursor, false);
            else if (m_cursor > 1)
                MutaCursorul(m_cursor - 1, false);
            else if (OnLeft)
                OnLeft(this);
        } else {
            if (m_selectie != 0)
                MutaCursorul(m_cursor, false);
            else if (m_cursor <= n)
                MutaCursorul(m_cursor + 1, false);
            else if (OnRight)
                OnRight(this);
        }
        return;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (shift || ctrl)
            return;
        const bool sus = e->key() == Qt::Key_Up;
        if (sus && OnUp)
            OnUp(this);
        else if (!sus && OnDown)
            OnDown(this);
        if (m_selectie != 0)
            MutaCursorul(m_cursor, false);
        else
            MutaCursorul(m_cursor + (sus ? -1 : 1), false);
        return;
    }
    case Qt::Key_Insert:
        if (shift && !ctrl) {
            Lipeste();
            return;
        }
        break; // a plain Insert belongs to the owner
    case Qt::Key_Delete:
        if (shift && !ctrl)
            Taie();
        else if (ctrl && !shift)
            Copiaza();
        else if (!shift && !ctrl && editabil) {
            if (m_selectie != 0)
                StergeSelectia();
            else if (m_cursor <= n)
                Schimba(m_text.left(m_cursor - 1) + m_text.mid(m_cursor), m_cursor);
        }
        return;
    case Qt::Key_Backspace:
        if (!shift && !ctrl && editabil) {
            if (m_selectie != 0)
                StergeSelectia();
            else if (m_cursor > 1)
                Schimba(m_text.left(m_cursor - 2) + m_text.mid(m_cursor - 1), m_cursor - 1);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!shift && !ctrl)
            MutaFocusulLaUrmatorul();
        return;
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
        if (ctrl && !shift && !m.testFlag(Qt::AltModifier)) {
            if (e->key() == Qt::Key_C)
                Copiaza();
            else if (e->key() == Qt::Key_V)
                Lipeste();
            else
                Taie();
            return;
        }
        break;
    default:
        break;
    }

    // A character typed without Ctrl (Shift only changes which character it is; Ctrl with
    // Alt is AltGr, which types the Romanian letters on some layouts).
    const QString t = e->text();
    const bool altGr = ctrl && m.testFlag(Qt::AltModifier);
    if ((!ctrl || altGr) && !t.isEmpty() && t[0].unicode() >= 32 && t[0].unicode() != 127) {
        if (editabil)
            InsereazaLaCursor(t);
        return;
    }
    if (shift || ctrl)
        return;
    e->ignore();
    if (OnKeyDown)
        OnKeyDown(this, e);
}

int TZelCustomTextEdit::XText(int stare) const
{
    if (m_rightAlignNonEdit && !EsteFocalizata(stare)) {
        const QFontMetrics fm(StilPentruStare(stare).Font);
        return width() - 4 - fm.horizontalAdvance(m_text);
    }
    return 4;
}

int TZelCustomTextEdit::PozitieLaX(int x) const
{
    const QFontMetrics fm(StilPentruStare(StareVizuala()).Font);
    const int rel = x - XText(StareVizuala());
    int best = 1, bestDist = std::numeric_limits<int>::max();
    for (int i = 0; i <= m_text.size(); ++i) {
        const int d = std::abs(fm.horizontalAdvance(m_text.left(i)) - rel);
        if (d < bestDist) {
            bestDist = d;
            best = i + 1;
        }
    }
    return best;
}

void TZelCustomTextEdit::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    if (!hasFocus() || m_focusDinClic) {
        // The first click only focuses (and the focus selects by AutoSelectOnEnter).
        m_focusDinClic = false;
        setFocus(Qt::MouseFocusReason);
        m_trage = false;
        return;
    }
    MutaCursorul(PozitieLaX(qRound(e->position().x())), false);
    m_trage = true;
}

void TZelCustomTextEdit::mouseMoveEvent(QMouseEvent *e)
{
    if (m_trage && (e->buttons() & Qt::LeftButton)) {
        MutaCursorul(PozitieLaX(qRound(e->position().x())), true);
        return;
    }
    const QPoint p = e->position().toPoint();
    if (!rect().contains(p)) {
        if (StareVizuala() == StareHover || StareVizuala() == StareReadOnlyHover)
            SetStareVizuala(StareInactiva());
        return;
    }
    IntraInHover();
}

void TZelCustomTextEdit::IntraInHover()
{
    if (StareVizuala() != StareCold && StareVizuala() != StareReadOnlyCold)
        return;
    SetStareVizuala(StareHoverCurenta());
    // One watcher at a time; one that has already posted may still wait for its deletion.
    if (!m_urmaritor || m_urmaritor->isFinished())
        m_urmaritor = new TZelMouseInWindowThread(this, ZelMesajPointerIesit);
}

void TZelCustomTextEdit::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        m_trage = false;
    QWidget::mouseReleaseEvent(e);
}

void TZelCustomTextEdit::focusInEvent(QFocusEvent *e)
{
    SetStareVizuala(StareActiva());
    // Qt focuses before it delivers the click that caused it.
    m_focusDinClic = e->reason() == Qt::MouseFocusReason;
    if (m_autoSelectOnEnter) {
        m_cursor = 1;
        m_selectie = int(m_text.size());
    } else {
        m_cursor = int(m_text.size()) + 1;
        m_selectie = 0;
    }
    update();
    QWidget::focusInEvent(e);
}

void TZelCustomTextEdit::focusOutEvent(QFocusEvent *e)
{
    m_trage = false;
    m_focusDinClic = false;
    SetStareVizuala(StareInactiva());
    update();
    QWidget::focusOutEvent(e);
}

void TZelCustomTextEdit::leaveEvent(QEvent *e)
{
    if (StareVizuala() == StareHover || StareVizuala() == StareReadOnlyHover)
        SetStareVizuala(StareInactiva());
    QWidget::leaveEvent(e);
}

void TZelCustomTextEdit::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(e);
}

bool TZelCustomTextEdit::event(QEvent *e)
{
    if (e->type() == QEvent::Type(ZelMesajPointerIesit)) {
        if (StareVizuala() == StareHover || StareVizuala() == StareReadOnlyHover)
            SetStareVizuala(StareInactiva());
        return true;
    }
    if (e->type() == QEvent::UngrabMouse)
        SetStareVizuala(hasFocus() ? StareActiva() : StareInactiva());
    return TZelFieldBasedControl::event(e);
}

void TZelCustomTextEdit::inputMethodEvent(QInputMethodEvent *e)
{
    QString s;
    for (const QChar c : e->commitString())
        if (c.unicode() >= 32 && c.unicode() != 127)
            s += c;
    if (!ReadOnly() && !s.isEmpty())
        InsereazaLaCursor(s);
    e->accept();
}

QVariant TZelCustomTextEdit::inputMethodQuery(Qt::InputMethodQuery q) const
{
    switch (q) {
    case Qt::ImEnabled:
        return !ReadOnly();
    case Qt::ImCursorRectangle: {
        const QFontMetrics fm(StilPentruStare(StareVizuala()).Font);
        const int x = XText(StareVizuala()) + fm.horizontalAdvance(m_text.left(m_cursor - 1));
        return QRect(x, 3, 2, std::max(0, height() - 6));
    }
    case Qt::ImSurroundingText:
        return m_text;
    case Qt::ImCursorPosition:
        return m_cursor - 1;
    case Qt::ImAnchorPosition:
        return m_cursor - 1 + m_selectie;
    case Qt::ImCurrentSelection:
        return TextSelectat();
    default:
        return QWidget::inputMethodQuery(q);
    }
}

void TZelCustomTextEdit::PregatesteFont(QPainter &p, bool inAfaraSelectiei)
{
    const TZelTextEditStyle &st = StilPentruStare(StareVizuala());
    p.setFont(st.Font);
    p.setPen(inAfaraSelectiei ? st.FontColor.Culoare() : CuloriSistem::TextEvidentiat());
}

void TZelCustomTextEdit::DeseneazaText(QPainter &p, int stare)
{
    const TZelTextEditStyle &st = StilPentruStare(stare);
    const QFontMetrics fm(st.Font);
    int x = XText(stare);
    const int sus = (height() - fm.height()) / 2;
    const int linieBaza = sus + fm.ascent();
    const int a = InceputSelectie(), b = SfarsitSelectie();
    const bool focalizata = EsteFocalizata(stare);
    if (a == b || !(focalizata || m_keepSelection)) {
        PregatesteFont(p, true);
        p.drawText(x, linieBaza, m_text);
        return;
    }
    const QString inainte = m_text.left(a - 1);
    const QString selectat = m_text.mid(a - 1, b - a);
    const QString dupa = m_text.mid(b - 1);

    PregatesteFont(p, true);
    p.drawText(x, linieBaza, inainte);
    x += fm.horizontalAdvance(inainte);

    QColor fundal = CuloriSistem::Evidentiere();
    if (!focalizata)
        fundal = Deplasat(fundal, -20, -20, 0);
    const int w = fm.horizontalAdvance(selectat);
    p.fillRect(QRect(x, sus, w, fm.height()), fundal);
    PregatesteFont(p, false);
    p.drawText(x, linieBaza, selectat);
    x += w;

    PregatesteFont(p, true);
    p.drawText(x, linieBaza, dupa);
}

void TZelCustomTextEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int stare = StareVizuala();
    DeseneazaCadru(p, stare);
    // The text never scrolls; what does not fit stays inside the frame.
    const int bw = std::max(0, StilPentruStare(stare).BorderWidth);
    p.setClipRect(rect().adjusted(bw, bw, -bw, -bw));
    if (!(AscundeTextulCandEDezactivat && !isEnabled()))
        DeseneazaText(p, stare);
    // A steady caret: where it stands is visible at every moment.
    if (hasFocus() && EsteFocalizata(stare)) {
        const QFontMetrics fm(StilPentruStare(stare).Font);
        const int x = XText(stare) + fm.horizontalAdvance(m_text.left(m_cursor - 1));
        // Inverted like a system caret, so the letter under it stays readable.
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(QRect(x, 3, 2, std::max(0, height() - 6)), QColor(255, 255, 255));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// ---------------------------------------------------------------------------------------

namespace {
const char *const ProprietateIncarcare = "lxZelSeIncarca";
} // namespace

TZelIncarcareFereastra::TZelIncarcareFereastra(QWidget *fereastra) : m_fereastra(fereastra)
{
    if (fereastra)
        fereastra->setProperty(ProprietateIncarcare, fereastra->property(ProprietateIncarcare).toInt() + 1);
}

TZelIncarcareFereastra::~TZelIncarcareFereastra()
{
    if (m_fereastra)
        m_fereastra->setProperty(ProprietateIncarcare,
                                 std::max(0, m_fereastra->property(ProprietateIncarcare).toInt() - 1));
}

bool TZelIncarcareFereastra::SeIncarca(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (w->property(ProprietateIncarcare).toInt() > 0)
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------

TZelTextEdit::TZelTextEdit(QWidget *parent) : TZelCustomTextEdit(parent) {}

TZelNumEdit::TZelNumEdit(QWidget *parent) : TZelTextEdit(parent)
{
    SetRightAlignNonEdit(true);
}

void TZelNumEdit::SetNoDots(bool v)
{
    m_noDots = v;
    update();
}

bool TZelNumEdit::EsteTextNumeric(QString &candidat, int nrCifreDupaVirgula)
{
    int minus = 0, separatori = 0, dupaSeparator = 0;
    for (qsizetype i = 0; i < candidat.size(); ++i) {
        const QChar c = candidat[i];
        if (c == u'-') {
            if (i != 0 || ++minus > 1)
                return false;
        } else if (c == u',' || c == u'.') {
            if (++separatori > 1)
                return false;
        } else if (c >= u'0' && c <= u'9') {
            if (separatori)
                ++dupaSeparator;
        } else {
            return false;
        }
    }
    if (dupaSeparator > nrCifreDupaVirgula)
        return false;
    if (candidat.size() - separatori >= 18)
        return false;
    candidat.replace(u'.', u',');
    return true;
}

bool TZelNumEdit::AcceptaText(QString &candidat)
{
    QString c = candidat;
    if (!EsteTextNumeric(c, m_nrCifreDupaVirgula))
        return false;
    if (!TZelTextEdit::AcceptaText(c))
        return false;
    candidat = c;
    return true;
}

namespace {
[[noreturn]] void NuEsteIntreg(const QString &s)
{
    throw EZel(QStringLiteral("'%1' is not a valid integer value").arg(s));
}

// A whole number; an empty text or a lone sign reads as 0.
qint64 CaIntreg(const QString &s)
{
    if (s.isEmpty() || s == u"-")
        return 0;
    bool ok = false;
    const qint64 v = s.toLongLong(&ok, 10);
    if (!ok)
        NuEsteIntreg(s);
    return v;
}

quint64 Modul(qint64 v)
{
    return v < 0 ? quint64(0) - quint64(v) : quint64(v);
}

// Where the whole part of a number's text ends: at its decimal separator, or its end.
qsizetype SfarsitulParteiIntregi(const QString &t)
{
    qsizetype i = 0;
    while (i < t.size() && t[i] != u',' && t[i] != u'.')
        ++i;
    return i;
}

qint64 Putere10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}
} // namespace

qint64 TZelNumEdit::FaraZecimale() const
{
    const QString t = Text();
    const qsizetype i = SfarsitulParteiIntregi(t);
    bool ok = false;
    const qint64 v = t.left(i).toLongLong(&ok, 10);
    return ok ? v : 0;
}

void TZelNumEdit::SetFaraZecimale(qint64 v)
{
    SetText(QString::number(v));
}

qint64 TZelNumEdit::CuZecimale(int zecimale) const
{
    const QString t = Text();
    const qsizetype i = SfarsitulParteiIntregi(t);
    QString fractie = t.mid(i + 1).left(zecimale);
    while (fractie.size() < zecimale)
        fractie += u'0';
    return CaIntreg(t.left(i) + fractie);
}

void TZelNumEdit::SetCuZecimale(qint64 v, int zecimale)
{
    const quint64 modul = Modul(v);
    const quint64 p = quint64(Putere10(zecimale));
    QString s = QString::number(modul / p);
    if (const quint64 f = modul % p)
        s += u',' + QStringLiteral("%1").arg(f, zecimale, 10, QChar(u'0'));
    if (v < 0)
        s.prepend(u'-');
    SetText(s);
}

qint64 TZelNumEdit::CuDouaZecimale() const { return CuZecimale(2); }
void TZelNumEdit::SetCuDouaZecimale(qint64 v) { SetCuZecimale(v, 2); }
qint64 TZelNumEdit::CuPatruZecimale() const { return CuZecimale(4); }
void TZelNumEdit::SetCuPatruZecimale(qint64 v) { SetCuZecimale(v, 4); }

qint64 TZelNumEdit::CuDoiPatruZecimale() const
{
    const qint64 v = CuDouaZecimale();
    if (v > std::numeric_limits<qint64>::max() / 100 || v < std::numeric_limits<qint64>::min() / 100)
        NuEsteIntreg(Text());
    return v * 100;
}

void TZelNumEdit::SetCuDoiPatruZecimale(qint64 v)
{
    SetCuDouaZecimale(v / 100);
}

qint64 TZelNumEdit::AsCurrency() const
{
    QString t = Text();
    const bool negativ = t.contains(u'-');
    if (negativ)
        t.remove(0, 1);
    const qsizetype virgula = t.indexOf(u',');
    QString intreg = virgula < 0 ? t : t.left(virgula);
    if (intreg.isEmpty())
        intreg = QStringLiteral("0");
    QString fractie = virgula < 0 ? QString() : t.mid(virgula + 1);
    while (fractie.size() < 4)
        fractie += u'0';
    fractie.truncate(4);
    bool ok1 = false, ok2 = false;
    const qint64 w = intreg.toLongLong(&ok1, 10);
    const qint64 f = fractie.toLongLong(&ok2, 10);
    if (!ok1 || !ok2 || w > (std::numeric_limits<qint64>::max() - f) / 10000)
        NuEsteIntreg(Text());
    const qint64 v = w * 10000 + f;
    return negativ ? -v : v;
}

void TZelNumEdit::SetAsCurrency(qint64 v)
{
    const quint64 modul = Modul(v);
    QString s = QString::number(modul / 10000) + u',' +
                QStringLiteral("%1").arg((modul % 10000) / 100, 2, 10, QChar(u'0'));
    if (v < 0)
        s.prepend(u'-');
    SetText(s);
}

void TZelNumEdit::PregatesteFont(QPainter &p, bool inAfaraSelectiei)
{
    TZelTextEdit::PregatesteFont(p, inAfaraSelectiei);
    if (inAfaraSelectiei && Text().contains(u'-'))
        p.setPen(QColor(255, 0, 0));
}

void TZelNumEdit::DeseneazaText(QPainter &p, int stare)
{
    TZelTextEdit::DeseneazaText(p, stare);
    if (m_noDots)
        return;
    const QString t = Text();
    const QFontMetrics fm(StilPentruStare(stare).Font);
    const int x0 = XText(stare);
    const int sus = (height() - fm.height()) / 2;
    const int jos = sus + fm.height() - 1;

    const qsizetype virgula = t.indexOf(u',');
    const qsizetype sfarsitIntreg = virgula < 0 ? t.size() : virgula;
    const qsizetype primaCifra = t.startsWith(u'-') ? 1 : 0;
    const qsizetype nrCifre = sfarsitIntreg - primaCifra;

    p.setPen(QPen(QColor(0, 0, 255), 1));
    for (qsizetype k = 0; k < nrCifre; ++k) {
        const qsizetype urmeaza = nrCifre - 1 - k;
        if (urmeaza == 0 || urmeaza % 3 != 0)
            continue;
        // A small hook under the end of the digit.
        const int x = x0 + fm.horizontalAdvance(t.left(primaCifra + k + 1)) - 1;
        p.drawLine(x, jos - 1, x, jos);
        p.drawPoint(x - 1, jos);
    }
    if (virgula >= 0) {
        const int x = x0 + fm.horizontalAdvance(t.left(virgula)) + fm.horizontalAdvance(u',') / 2;
        p.setPen(QPen(QColor(255, 0, 0), 1));
        p.drawLine(x, height() / 2, x, height() - 4);
    }
}
