#include "app/Splash.h"

#include "app/Plasare.h"
#include "app/SplashVersiune.h"
#include "form/ResurseExterne.h"
#include "widgets/ZelVirtualGrid.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#ifdef LX_CU_XCB
#include <xcb/xcb.h>
#endif

#include <cstdlib>

namespace {

std::optional<bool> &TransparentaFortata()
{
    static std::optional<bool> v;
    return v;
}

struct TInstantaneu {
    QImage imagine;
    QPoint origine;
};
TInstantaneu &Instantaneu()
{
    static TInstantaneu s;
    return s;
}

void IaInstantaneu()
{
    TInstantaneu &s = Instantaneu();
    if (!s.imagine.isNull())
        return;
    QRect desktop(0, 0, 1, 1);
    QImage imagine;
    if (QScreen *ecran = QGuiApplication::primaryScreen()) {
        desktop = ecran->virtualGeometry();
        imagine = ecran->grabWindow(0, desktop.x() - ecran->geometry().x(), desktop.y() - ecran->geometry().y(),
                                    desktop.width(), desktop.height())
                      .toImage();
    }
    if (imagine.isNull() || imagine.size().isEmpty()) {
        // Nothing to copy (a headless window system): a plain desktop colour stands in.
        imagine = QImage(std::max(desktop.width(), 1), std::max(desktop.height(), 1), QImage::Format_RGB32);
        imagine.fill(QColor(58, 110, 165));
    }
    // Window positions are in logical pixels; a scaled screen grabs more than that.
    if (imagine.size() != desktop.size() && !desktop.isEmpty())
        imagine = imagine.scaled(desktop.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    s.imagine = imagine.convertToFormat(QImage::Format_RGB32);
    s.origine = desktop.topLeft();
}

#ifdef LX_CU_XCB
// On X11 top-level windows are only see-through while a compositing manager runs.
bool CompozitorX11()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    int ecran = 0;
    const QByteArray nume = "_NET_WM_CM_S" + QByteArray::number(ecran);
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(nume.size()), nume.constData()), nullptr);
    if (!atom)
        return false;
    bool exista = false;
    if (atom->atom != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t *p =
            xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr);
        exista = p && p->owner != XCB_WINDOW_NONE;
        std::free(p);
    }
    std::free(atom);
    return exista;
}
#endif

} // namespace

// ---------------------------------------------------------------------------------------

TEtichetaInfundata::TEtichetaInfundata(QWidget *parinte) : QWidget(parinte)
{
    setAttribute(Qt::WA_TranslucentBackground);
    CuloareText = QColor(Qt::black);
    CuloareEvidentiere = QColor(Qt::white);
}

void TEtichetaInfundata::SeteazaText(const QString &text)
{
    m_text = text;
    update();
}

void TEtichetaInfundata::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    const QRect r = rect().adjusted(4, 0, 0, 0);
    p.setPen(CuloareEvidentiere);
    p.drawText(r.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    p.setPen(CuloareText);
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

TButonImagine::TButonImagine(QWidget *parinte) : QAbstractButton(parinte)
{
    setCursor(Qt::PointingHandCursor);
}

void TButonImagine::paintEvent(QPaintEvent *)
{
    const QImage &i = isDown() ? ImagineJos : m_sub ? ImagineSus : ImagineNormal;
    if (i.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), i);
}

void TButonImagine::enterEvent(QEnterEvent *e)
{
    m_sub = true;
    update();
    QAbstractButton::enterEvent(e);
}

void TButonImagine::leaveEvent(QEvent *e)
{
    m_sub = false;
    update();
    QAbstractButton::leaveEvent(e);
}

// ---------------------------------------------------------------------------------------

TeXpertSuportForm::TeXpertSuportForm(TGenericSplashForm *fereastra, QFrame *panou)
    : QWidget(fereastra, Qt::Tool | Qt::FramelessWindowHint), m_fereastra(fereastra), m_panou(panou),
      m_loc(panou->geometry())
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(QRect(fereastra->pos() + m_loc.topLeft(), m_loc.size()));
    panou->setParent(this);
    panou->move(0, 0);
    panou->show();
}

void TeXpertSuportForm::closeEvent(QCloseEvent *e)
{
    e->accept();
    if (m_fereastra->isVisible())
        m_fereastra->close();
}

// ---------------------------------------------------------------------------------------

QRegion RegiuneaImaginii(const QImage &imagine)
{
    if (imagine.isNull())
        return QRegion();
    QImage peCheie(imagine.size(), QImage::Format_RGB32);
    peCheie.fill(QColor(0, 128, 0));
    {
        QPainter p(&peCheie);
        p.drawImage(0, 0, imagine);
    }
    auto pastrat = [](QRgb c) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        return !(r <= 16 && g >= 128 && g <= 144 && b <= 16);
    };
    QList<QRect> siruri;
    for (int y = 0; y < peCheie.height(); ++y) {
        const auto *linie = reinterpret_cast<const QRgb *>(peCheie.constScanLine(y));
        int x = 0;
        while (x < peCheie.width()) {
            while (x < peCheie.width() && !pastrat(linie[x]))
                ++x;
            const int inceput = x;
            while (x < peCheie.width() && pastrat(linie[x]))
                ++x;
            if (x > inceput)
                siruri.append(QRect(inceput, y, x - inceput, 1));
        }
    }
    QRegion r;
    // Runs of one row each, left to right, rows top to bottom: already banded.
    r.setRects(siruri.constData(), int(siruri.size()));
    return r;
}

bool TGenericSplashForm::SistemulOferaTransparentaPerPixel()
{
    if (TransparentaFortata())
        return *TransparentaFortata();
    const QString p = QGuiApplication::platformName();
    if (p == QLatin1String("windows") || p == QLatin1String("cocoa") || p.startsWith(QLatin1String("wayland")))
        return true;
#ifdef LX_CU_XCB
    if (p == QLatin1String("xcb"))
        return CompozitorX11();
#endif
    return false;
}

void TGenericSplashForm::ForteazaTransparentaPerPixel(std::optional<bool> valoare)
{
    TransparentaFortata() = valoare;
}

const QImage &TGenericSplashForm::InstantaneuDesktop() { return Instantaneu().imagine; }
QPoint TGenericSplashForm::OriginiInstantaneu() { return Instantaneu().origine; }

void TGenericSplashForm::SeteazaInstantaneuDesktop(const QImage &imagine, QPoint origine)
{
    Instantaneu().imagine = imagine.isNull() ? QImage() : imagine.convertToFormat(QImage::Format_RGB32);
    Instantaneu().origine = origine;
}

TGenericSplashForm::TGenericSplashForm(const QString &indicativER, QSize marimeProiectata, QWidget *parinte)
    : QDialog(parinte, Qt::Dialog | Qt::FramelessWindowHint), m_indicativ(indicativER),
      m_marimeProiectata(marimeProiectata)
{
    // A picture window never ends the program, even when the main window is hidden.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(marimeProiectata);

    m_imagine = new TERImage(this);
    m_imagine->setObjectName(QStringLiteral("ERImage"));
    m_imagine->SetStretch(true);
    m_imagine->SetAutoSize(true);

    m_panouVersiune = new QFrame(this);
    m_panouVersiune->setObjectName(QStringLiteral("HidePanel_VerBox"));
    m_panouVersiune->setFrameShape(QFrame::StyledPanel);
    m_panouVersiune->setGeometry(0, 0, 289, 25);
    m_panouVersiune->setAutoFillBackground(true);
    QPalette pal = m_panouVersiune->palette();
    pal.setColor(QPalette::Window, ZelCuloareDinTColor(4210816));
    m_panouVersiune->setPalette(pal);

    m_etichetaVersiune = new TEtichetaInfundata(m_panouVersiune);
    m_etichetaVersiune->setObjectName(QStringLiteral("LabelVersiune"));
    m_etichetaVersiune->setGeometry(0, 0, 289, 25);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    f.setBold(true);
    m_etichetaVersiune->setFont(f);
    m_etichetaVersiune->CuloareEvidentiere = ZelCuloareDinTColor(10530556);
    m_etichetaVersiune->SeteazaText(QStringLiteral("ver 2007.1.2.3"));
}

TGenericSplashForm::~TGenericSplashForm() = default;

void TGenericSplashForm::Pregateste()
{
    // The version label.
    try {
        m_etichetaVersiune->SeteazaText(QStringLiteral("Ver ") + VersiuneProgram());
    } catch (...) {
        m_etichetaVersiune->SeteazaText(QString());
    }

    // Pictures, labels and panels move the window when dragged.
    AgataTragerea(this);

    m_perPixel = SistemulOferaTransparentaPerPixel();
    IaInstantaneu();

    // The picture, centred, blended onto the desktop under it.
    m_imagine->SetIndicativER(m_indicativ);
    m_png = m_imagine->Imagine().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Without its picture the window keeps its designed size, so its controls stay
    // reachable instead of a window nobody can see waiting for a click.
    const QSize marime = m_png.isNull() ? m_marimeProiectata : m_png.size();
    resize(marime);
    CentreazaForm(this);

    QImage amestec(marime, QImage::Format_RGB32);
    {
        QPainter p(&amestec);
        p.drawImage(Instantaneu().origine - pos(), Instantaneu().imagine);
        if (!m_png.isNull())
            p.drawImage(0, 0, m_png);
    }
    if (m_png.isNull()) {
        amestec.fill(palette().color(QPalette::Window));
        m_imagine->SeteazaImagine(QImage());
        m_imagine->resize(marime);
    } else if (!m_perPixel) {
        m_imagine->SeteazaImagine(amestec);
    }

    // Hide panels: every visible panel directly on the window named "hidepanel...".
    m_panouri.clear();
    for (QObject *o : children()) {
        auto *panou = qobject_cast<QFrame *>(o);
        if (panou && !panou->isWindow() && !panou->isHidden() &&
            panou->objectName().startsWith(QLatin1String("hidepanel"), Qt::CaseInsensitive))
            m_panouri.append(panou);
    }
    // Each panel gets the picture under it as its background, so it looks transparent.
    for (QFrame *panou : std::as_const(m_panouri)) {
        panou->setFrameShape(QFrame::NoFrame);
        if (m_png.isNull())
            continue;
        QLabel *fundal = panou->findChild<QLabel *>(QStringLiteral("FundalPanou"), Qt::FindDirectChildrenOnly);
        if (!fundal) {
            fundal = new QLabel(panou);
            fundal->setObjectName(QStringLiteral("FundalPanou"));
            fundal->installEventFilter(this);
        }
        const QImage sub = (m_perPixel ? m_png : amestec).copy(QRect(QPoint(0, 0), panou->size()).translated(panou->pos()));
        fundal->setGeometry(0, 0, panou->width(), panou->height());
        fundal->setPixmap(QPixmap::fromImage(sub));
        fundal->lower();
        panou->setAutoFillBackground(false);
    }

    // The shape: every pixel that is not see-through.
    m_forma = RegiuneaImaginii(m_png);
    if (m_perPixel && !m_png.isNull()) {
        // The panels live in their own windows over the picture: out of its shape.
        for (QFrame *panou : std::as_const(m_panouri))
            m_forma -= QRegion(panou->geometry());
        setAttribute(Qt::WA_TranslucentBackground);
        for (QFrame *panou : std::as_const(m_panouri))
            m_suport.append(new TeXpertSuportForm(this, panou));
    }
    if (!m_forma.isEmpty())
        setMask(m_forma);

    // The window was sized and centred before the blend, which depends on where it stands.
    m_imagine->move(0, 0);
    AsazaFerestreleSuport();
}

void TGenericSplashForm::AgataTragerea(QWidget *radacina)
{
    for (QWidget *w : radacina->findChildren<QWidget *>()) {
        if (qobject_cast<TERImage *>(w) || qobject_cast<QLabel *>(w) || qobject_cast<TEtichetaInfundata *>(w) ||
            (qobject_cast<QFrame *>(w) && !qobject_cast<QAbstractButton *>(w)))
            w->installEventFilter(this);
    }
}

bool TGenericSplashForm::eventFilter(QObject *obiect, QEvent *e)
{
    if (m_perPixel) {
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto *m = static_cast<QMouseEvent *>(e);
            if (m->button() == Qt::LeftButton) {
                m_ultimaPozitie = m->globalPosition().toPoint();
                m_trage = true;
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            auto *m = static_cast<QMouseEvent *>(e);
            if (m_trage && (m->buttons() & Qt::LeftButton)) {
                const QPoint acum = m->globalPosition().toPoint();
                move(pos() + (acum - m_ultimaPozitie));
                m_ultimaPozitie = acum;
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            m_trage = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(obiect, e);
}

void TGenericSplashForm::AsazaFerestreleSuport()
{
    for (TeXpertSuportForm *s : std::as_const(m_suport))
        s->move(pos() + s->LocPeFereastra().topLeft());
}

void TGenericSplashForm::moveEvent(QMoveEvent *e)
{
    QDialog::moveEvent(e);
    AsazaFerestreleSuport();
}

void TGenericSplashForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    AsazaFerestreleSuport();
    for (TeXpertSuportForm *s : std::as_const(m_suport))
        s->show();
}

void TGenericSplashForm::hideEvent(QHideEvent *e)
{
    for (TeXpertSuportForm *s : std::as_const(m_suport))
        s->hide();
    QDialog::hideEvent(e);
}

void TGenericSplashForm::closeEvent(QCloseEvent *e)
{
    // Closed by the window system (the close key): the result is Abort.
    e->accept();
    if (m_rezultat == FaraRezultat)
        done(RezultatAbort);
}

void TGenericSplashForm::done(int rezultat)
{
    m_rezultat = rezultat;
    setResult(rezultat);
    if (rezultat != FaraRezultat && m_bucla)
        m_bucla->quit();
}

int TGenericSplashForm::ShowModal()
{
    struct Ascunde {
        TGenericSplashForm *f;
        QEventLoop *&bucla;
        ~Ascunde()
        {
            bucla = nullptr;
            f->hide();
        }
    };
    QEventLoop bucla;
    Ascunde ascunde{this, m_bucla};
    m_rezultat = FaraRezultat;
    setResult(FaraRezultat);
    show();
    // Take the keyboard, so the close key reaches this window even where no window
    // manager hands focus to a newly shown window.
    activateWindow();
    m_bucla = &bucla;
    if (m_rezultat == FaraRezultat)
        bucla.exec();
    // The loop also ends when the whole program is asked to end: that is no OK.
    if (m_rezultat == FaraRezultat)
        done(RezultatAbort);
    return m_rezultat;
}

// ---------------------------------------------------------------------------------------

TSplashLX::TSplashLX(QWidget *parinte) : TGenericSplashForm(QStringLiteral("LX.re:Splash"), QSize(448, 575), parinte)
{
    PanouVersiune()->move(24, 528);
    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TSplashLX::TimerTick);
    Pregateste();
    m_timer->start();
}

void TSplashLX::TimerTick()
{
    --m_tag;
    if (m_tag <= 0)
        m_timer->stop();
    done(RezultatOk);
}

TAboutSplash::TAboutSplash(QWidget *parinte) : TGenericSplashForm(QStringLiteral("Comun.re:About"), QSize(448, 575), parinte)
{
    PanouVersiune()->move(24, 526);
    auto *panou = new QFrame(this);
    panou->setObjectName(QStringLiteral("HidePanel_Button"));
    panou->setGeometry(344, 520, 81, 33);
    auto *ok = new QPushButton(QStringLiteral("Ok"), panou);
    ok->setObjectName(QStringLiteral("ButonOk"));
    ok->setGeometry(4, 4, 73, 25);
    ok->setDefault(true);
    ok->setStyleSheet(QStringLiteral("QPushButton { background: #F4F4F0; border: 1px solid #6A8BA0; border-radius: 3px; }"
                                     "QPushButton:hover { background: #FFC83C; }"
                                     "QPushButton:pressed { background: #6AACF4; }"));
    connect(ok, &QPushButton::clicked, this, [this] { done(RezultatOk); });
    m_ok = ok;
    Pregateste();
}

namespace {
// The warning button's three pictures, drawn rather than shipped.
QImage ImagineButon(QSize marime, QColor fata, QColor margine, int apasat)
{
    QImage i(marime, QImage::Format_ARGB32_Premultiplied);
    i.fill(Qt::transparent);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(2, 2), QSizeF(marime) - QSizeF(4, 4)).translated(apasat, apasat);
    p.setPen(QPen(margine, 2));
    p.setBrush(fata);
    p.drawRoundedRect(r, 10, 10);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(40, 40, 60));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("Am înţeles"));
    return i;
}
} // namespace

TWarningPrintSplash::TWarningPrintSplash(QWidget *parinte)
    : TGenericSplashForm(QStringLiteral("Comun.re:Warning"), QSize(591, 262), parinte)
{
    PanouVersiune()->hide();
    auto *panou = new QFrame(this);
    panou->setObjectName(QStringLiteral("HidePanel_Warning"));
    panou->setGeometry(176, 201, 217, 50);
    panou->setAutoFillBackground(true);
    QPalette pal = panou->palette();
    pal.setColor(QPalette::Window, ZelCuloareDinTColor(14605532));
    panou->setPalette(pal);
    m_buton = new TButonImagine(panou);
    m_buton->setObjectName(QStringLiteral("ButonAmInteles"));
    m_buton->setGeometry(0, 0, 217, 50);
    const QSize m(217, 50);
    m_buton->ImagineNormal = ImagineButon(m, QColor(236, 236, 240), QColor(106, 139, 160), 0);
    m_buton->ImagineSus = ImagineButon(m, QColor(255, 200, 60), QColor(60, 200, 244), 0);
    m_buton->ImagineJos = ImagineButon(m, QColor(106, 172, 244), QColor(60, 90, 140), 1);
    connect(m_buton, &QAbstractButton::clicked, this, [this] { done(RezultatOk); });
    Pregateste();
}
