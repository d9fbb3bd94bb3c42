#include "app/LauridexMain.h"
#include "app/Pornire.h"
#include "app/Splash.h"
#include "app/SplashVersiune.h"
#include "form/ResurseExterne.h"
#include "text/FolderProgram.h"
#include "widgets/Plasare.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QRgb Culoare = qRgb(200, 50, 50);

// A picture of the given size, opaque inside a 20-pixel transparent border.
QByteArray Poza(QSize marime)
{
    QImage i(marime, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    for (int y = 20; y < marime.height() - 20; ++y)
        for (int x = 20; x < marime.width() - 20; ++x)
            i.setPixel(x, y, Culoare);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    i.save(&buf, "PNG");
    return b;
}

void Scrie(const QString &cale, const QByteArray &octeti)
{
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octeti), octeti.size());
}

// A snapshot whose every pixel tells where it was.
QImage Desktop()
{
    QImage i(3000, 2000, QImage::Format_RGB32);
    for (int y = 0; y < i.height(); ++y)
        for (int x = 0; x < i.width(); ++x)
            i.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    return i;
}

// Closes the window a test shows, whatever happens, so a failing test never hangs.
void Plasa(TGenericSplashForm &f)
{
    QTimer::singleShot(15000, &f, [&f] { f.done(99); });
}

// Gives the window its result while it is being shown, before ShowModal starts waiting.
class TRezultatLaAfisare : public QObject {
protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show)
            static_cast<TGenericSplashForm *>(o)->done(TGenericSplashForm::RezultatOk);
        return false;
    }
};

class TFereastraDeProba : public TGenericSplashForm {
public:
    TFereastraDeProba() : TGenericSplashForm(QStringLiteral("LX.re:Splash"), QSize(448, 575))
    {
        auto panou = [this](const char *nume, QWidget *parinte, QRect r) {
            auto *p = new QFrame(parinte);
            p->setObjectName(QString::fromLatin1(nume));
            p->setGeometry(r);
            return p;
        };
        panou("hidePANEL_mic", this, QRect(100, 100, 40, 30));
        panou("Panou", this, QRect(100, 200, 40, 30));
        panou("HidePanel_ascuns", this, QRect(100, 300, 40, 30))->hide();
        QFrame *gazda = panou("Gazda", this, QRect(200, 100, 100, 100));
        panou("HidePanel_adanc", gazda, QRect(10, 10, 40, 30));
        Pregateste();
    }
};

QStringList Nume(const QList<QFrame *> &panouri)
{
    QStringList n;
    for (QFrame *p : panouri)
        n << p->objectName();
    return n;
}

void Apasa(QWidget *w, QPoint local, QEvent::Type tip, Qt::MouseButtons butoane)
{
    QMouseEvent e(tip, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton, butoane, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TstSplash : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;
    QString m_cwd;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_program.isValid());
        Scrie(CaleInFolder(m_program.path(), QStringLiteral("LX.re")),
              CompuneFisierResurse({{QStringLiteral("Splash"), ResursaPNG, Poza(QSize(448, 575))}}));
        Scrie(CaleInFolder(m_program.path(), QStringLiteral("Comun.re")),
              CompuneFisierResurse({{QStringLiteral("About"), ResursaPNG, Poza(QSize(448, 575))},
                                    {QStringLiteral("Warning"), ResursaPNG, Poza(QSize(591, 262))}}));
        RedirectioneazaFolderulProgramului(m_program.path());
        // A resource file is first taken as written, relative to the current folder.
        m_cwd = QDir::currentPath();
        QDir::setCurrent(m_program.path());
        TGenericSplashForm::SeteazaInstantaneuDesktop(Desktop(), QPoint(0, 0));
        TGenericSplashForm::ForteazaTransparentaPerPixel(false);
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(m_cwd);
        RedirectioneazaFolderulProgramului(QString());
        TGenericSplashForm::ForteazaTransparentaPerPixel(std::nullopt);
    }

    void cleanup() { TGenericSplashForm::ForteazaTransparentaPerPixel(false); }

    void version_data()
    {
        QTest::addColumn<QString>("versiune");
        QTest::addColumn<QStringList>("parti");
        const QString na = QStringLiteral("<info not available>");
        QTest::newRow("dots") << "2008.7.17.35" << QStringList{"2008", "7", "17", "35"};
        QTest::newRow("commas") << "2008,7,17,35" << QStringList{"2008", "7", "17", "35"};
        QTest::newRow("no separator") << "2008" << QStringList{na, na, na, na};
        QTest::newRow("empty") << "" << QStringList{na, na, na, na};
        QTest::newRow("rest after the third dot is Build") << "1.2.3.4.5" << QStringList{"1", "2", "3", "4.5"};
        QTest::newRow("a dot wins over commas") << "1,2.3" << QStringList{"1,2", "3", "", ""};
        QTest::newRow("fewer parts") << "1.2" << QStringList{"1", "2", "", ""};
        QTest::newRow("empty parts kept") << "1..3.4" << QStringList{"1", "", "3", "4"};
    }
    void version()
    {
        QFETCH(QString, versiune);
        QFETCH(QStringList, parti);
        const TVersiuneProgram v = DescompuneVersiune(versiune);
        QCOMPARE((QStringList{v.Major, v.Minor, v.Release, v.Build}), parti);
        QCOMPARE(v.Text(), parti.join(QLatin1Char('.')));
    }

    void version_ofTheProgram()
    {
        QCOMPARE(VersiuneProgram(), QStringLiteral("2008.7.17.35"));
        TSplashLX s;
        QCOMPARE(s.EtichetaVersiune()->Text(), QStringLiteral("Ver 2008.7.17.35"));
        QCOMPARE(s.EtichetaVersiune()->font().pixelSize(), 12);
        QVERIFY(s.EtichetaVersiune()->font().bold());
    }

    void shapeKeyRange_data()
    {
        QTest::addColumn<QColor>("culoare");
        QTest::addColumn<bool>("inForma");
        QTest::newRow("fully transparent") << QColor(255, 255, 255, 0) << false;
        QTest::newRow("faint white") << QColor(255, 255, 255, 8) << false;
        QTest::newRow("key colour") << QColor(0, 128, 0) << false;
        QTest::newRow("upper corner of the key range") << QColor(16, 144, 16) << false;
        QTest::newRow("red past the range") << QColor(17, 128, 0) << true;
        QTest::newRow("green below the range") << QColor(0, 127, 0) << true;
        QTest::newRow("green above the range") << QColor(0, 145, 0) << true;
        QTest::newRow("blue past the range") << QColor(0, 128, 17) << true;
        QTest::newRow("opaque white") << QColor(255, 255, 255) << true;
        QTest::newRow("half transparent black") << QColor(0, 0, 0, 128) << true;
    }
    void shapeKeyRange()
    {
        QFETCH(QColor, culoare);
        QFETCH(bool, inForma);
        QImage i(3, 1, QImage::Format_ARGB32);
        i.fill(Qt::white);
        i.setPixelColor(1, 0, culoare);
        const QRegion r = RegiuneaImaginii(i);
        QVERIFY(r.contains(QPoint(0, 0)));
        QVERIFY(r.contains(QPoint(2, 0)));
        QCOMPARE(r.contains(QPoint(1, 0)), inForma);
    }

    // The pictures shipped beside the program, as the build made them.
    void shippedPictures_data()
    {
        QTest::addColumn<QString>("indicativ");
        QTest::addColumn<QSize>("marime");
        QTest::addColumn<QList<QRect>>("panouri"); // where the window puts its hide panels
        QTest::newRow("splash") << "LX.re:Splash" << QSize(448, 575) << QList<QRect>{{24, 528, 289, 25}};
        QTest::newRow("about") << "Comun.re:About" << QSize(448, 575)
                               << QList<QRect>{{24, 526, 289, 25}, {344, 520, 81, 33}};
        QTest::newRow("warning") << "Comun.re:Warning" << QSize(591, 262) << QList<QRect>{{176, 201, 217, 50}};
    }
    void shippedPictures()
    {
        QFETCH(QString, indicativ);
        QFETCH(QSize, marime);
        QFETCH(QList<QRect>, panouri);
        const TResursaExterna r = CitesteResursaExterna(QStringLiteral(LX_BIN_DIR) + QLatin1Char('/') + indicativ);
        QCOMPARE(r.tip, int(ResursaPNG));
        const QImage i = DecodeazaImagineResursa(r);
        QCOMPARE(i.size(), marime);
        QVERIFY(i.hasAlphaChannel());
        QCOMPARE(qAlpha(i.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(i.pixel(marime.width() / 2, marime.height() / 2)), 255);
        const QRegion forma = RegiuneaImaginii(i);
        QVERIFY(!forma.contains(QPoint(0, 0)));
        QVERIFY(forma.contains(QPoint(marime.width() / 2, marime.height() / 2)));
        // A panel is a plain rectangle on the window: the picture must be solid under all
        // of it, or its corners stick out of the rounded shape.
        for (const QRect &p : panouri)
            for (const QPoint c : {p.topLeft(), p.topRight(), p.bottomLeft(), p.bottomRight()})
                QVERIFY2(qAlpha(i.pixel(c)) == 255, qPrintable(QStringLiteral("%1,%2").arg(c.x()).arg(c.y())));
    }

    // Each picture window stands centred in the work area of the monitor under the pointer.
    void everyWindow_isCentred_data()
    {
        QTest::addColumn<int>("fel");
        QTest::newRow("splash") << 0;
        QTest::newRow("about") << 1;
        QTest::newRow("warning") << 2;
    }
    void everyWindow_isCentred()
    {
        QFETCH(int, fel);
        std::unique_ptr<TGenericSplashForm> f;
        if (fel == 0)
            f = std::make_unique<TSplashLX>();
        else if (fel == 1)
            f = std::make_unique<TAboutSplash>();
        else
            f = std::make_unique<TWarningPrintSplash>();
        int primar = -1;
        const QList<TMonitor> monitoare = MonitoareleSistemului(&primar);
        QCOMPARE(f->geometry(), GeometriaCentrata(monitoare, QCursor::pos(), primar, f->size()));
    }

    void splash_isShapedAndBlended()
    {
        TSplashLX s;
        QCOMPARE(s.size(), QSize(448, 575));
        QCOMPARE(s.Imagine()->geometry(), QRect(0, 0, 448, 575));
        QVERIFY(!s.Forma().contains(QPoint(5, 5)));
        QVERIFY(!s.Forma().contains(QPoint(440, 570)));
        QVERIFY(s.Forma().contains(QPoint(224, 300)));
        QVERIFY(s.Forma().contains(QPoint(20, 20)));
        QVERIFY(!s.Forma().contains(QPoint(19, 20)));
        QCOMPARE(s.mask(), s.Forma());
        // The window shows the picture over the desktop as the snapshot had it.
        const QImage &afisata = s.Imagine()->Imagine();
        const QPoint ecran = s.pos() + QPoint(5, 5);
        QCOMPARE(afisata.pixel(5, 5), qRgb(ecran.x() % 256, ecran.y() % 256, 77));
        QCOMPARE(afisata.pixel(224, 300), Culoare);
        QVERIFY(!s.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(s.FerestreSuport().isEmpty());
        QCOMPARE(s.PanouVersiune()->geometry(), QRect(24, 528, 289, 25));
    }

    void hidePanels_data()
    {
        QTest::addColumn<int>("fereastra");
        QTest::addColumn<QStringList>("panouri");
        QTest::newRow("splash") << 0 << QStringList{"HidePanel_VerBox"};
        QTest::newRow("about") << 1 << QStringList{"HidePanel_VerBox", "HidePanel_Button"};
        QTest::newRow("warning") << 2 << QStringList{"HidePanel_Warning"};
        QTest::newRow("only visible, direct, named so") << 3 << QStringList{"HidePanel_VerBox", "hidePANEL_mic"};
    }
    void hidePanels()
    {
        QFETCH(int, fereastra);
        QFETCH(QStringList, panouri);
        std::unique_ptr<TGenericSplashForm> f;
        switch (fereastra) {
        case 0: f = std::make_unique<TSplashLX>(); break;
        case 1: f = std::make_unique<TAboutSplash>(); break;
        case 2: f = std::make_unique<TWarningPrintSplash>(); break;
        default: f = std::make_unique<TFereastraDeProba>(); break;
        }
        QCOMPARE(Nume(f->PanouriAscunse()), panouri);
        // Each panel shows the picture under it, so it looks transparent.
        const QImage &afisata = f->Imagine()->Imagine();
        for (QFrame *p : f->PanouriAscunse()) {
            QCOMPARE(p->frameShape(), QFrame::NoFrame);
            auto *fundal = p->findChild<QLabel *>(QStringLiteral("FundalPanou"));
            QVERIFY(fundal);
            QCOMPARE(fundal->geometry(), QRect(QPoint(0, 0), p->size()));
            const QImage img = fundal->pixmap().toImage();
            QCOMPARE(img.pixel(1, 1), afisata.pixel(p->pos() + QPoint(1, 1)));
        }
    }

    void splash_closesItselfAtItsFirstTick()
    {
        TSplashLX s;
        QCOMPARE(s.Timer()->interval(), 1000);
        Plasa(s);
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
        QVERIFY(!s.isVisible());
        QCOMPARE(s.Tag(), 4);
    }

    void about_closesOnlyThroughOk()
    {
        TAboutSplash s;
        Plasa(s);
        QCOMPARE(s.PanouVersiune()->geometry(), QRect(24, 526, 289, 25));
        QCOMPARE(s.ButonOk()->text(), QStringLiteral("Ok"));
        QCOMPARE(s.ButonOk()->parentWidget()->objectName(), QStringLiteral("HidePanel_Button"));
        QCOMPARE(s.ButonOk()->parentWidget()->geometry(), QRect(344, 520, 81, 33));
        bool vizibilaInca = false;
        // Past the splash's second it is still open: only the button closes it.
        QTimer::singleShot(1300, &s, [&] {
            vizibilaInca = s.isVisible();
            QTest::mouseClick(s.ButonOk(), Qt::LeftButton);
        });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
        QVERIFY(vizibilaInca);
        QVERIFY(!s.isVisible());
    }

    void closeKey_givesAbort_data()
    {
        QTest::addColumn<bool>("tastaEscape");
        QTest::newRow("closed by the window system") << false;
        QTest::newRow("escape") << true;
    }
    void closeKey_givesAbort()
    {
        QFETCH(bool, tastaEscape);
        TAboutSplash s;
        Plasa(s);
        bool activa = false;
        QTimer::singleShot(0, &s, [&] {
            activa = QTest::qWaitFor([&] { return QApplication::activeWindow() == &s; }, 2000);
            if (tastaEscape)
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &s, Qt::Key_Escape);
            else
                s.close();
        });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatAbort));
        QVERIFY(activa);
        QVERIFY(!s.isVisible());
    }

    void warning_closesThroughItsButton()
    {
        TWarningPrintSplash s;
        Plasa(s);
        QCOMPARE(s.size(), QSize(591, 262));
        QVERIFY(s.PanouVersiune()->isHidden());
        QCOMPARE(s.Buton()->parentWidget()->geometry(), QRect(176, 201, 217, 50));
        QVERIFY(!s.Buton()->ImagineNormal.isNull() && !s.Buton()->ImagineSus.isNull() && !s.Buton()->ImagineJos.isNull());
        QTimer::singleShot(0, &s, [&] { QTest::mouseClick(s.Buton(), Qt::LeftButton); });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
    }

    void perPixel_supportWindowsCarryThePanels()
    {
        TGenericSplashForm::ForteazaTransparentaPerPixel(true);
        TAboutSplash s;
        QVERIFY(s.TransparentaPerPixel());
        QVERIFY(s.testAttribute(Qt::WA_TranslucentBackground));
        // The window shows its own picture, alpha and all.
        QCOMPARE(qAlpha(s.Imagine()->Imagine().pixel(5, 5)), 0);
        QCOMPARE(s.FerestreSuport().size(), 2);
        for (TeXpertSuportForm *suport : s.FerestreSuport()) {
            QFrame *panou = suport->Panou();
            QCOMPARE(panou->parentWidget(), suport);
            QCOMPARE(panou->pos(), QPoint(0, 0));
            QCOMPARE(suport->geometry(), QRect(s.pos() + suport->LocPeFereastra().topLeft(), panou->size()));
            // The panel's place is cut out of the picture window.
            QVERIFY(!s.Forma().contains(suport->LocPeFereastra().center()));
        }
        QCOMPARE(s.FerestreSuport().at(1)->LocPeFereastra(), QRect(344, 520, 81, 33));
        QVERIFY(s.Forma().contains(QPoint(224, 300)));

        s.show();
        for (TeXpertSuportForm *suport : s.FerestreSuport())
            QVERIFY(suport->isVisible());

        // Dragging the picture moves the window and its support windows together.
        const QPoint inainte = s.pos();
        Apasa(s.Imagine(), QPoint(200, 300), QEvent::MouseButtonPress, Qt::LeftButton);
        Apasa(s.Imagine(), QPoint(230, 340), QEvent::MouseMove, Qt::LeftButton);
        Apasa(s.Imagine(), QPoint(230, 340), QEvent::MouseButtonRelease, Qt::NoButton);
        QCOMPARE(s.pos(), inainte + QPoint(30, 40));
        for (TeXpertSuportForm *suport : s.FerestreSuport())
            QCOMPARE(suport->pos(), s.pos() + suport->LocPeFereastra().topLeft());

        s.hide();
        for (TeXpertSuportForm *suport : s.FerestreSuport())
            QVERIFY(!suport->isVisible());
    }

    void perPixel_closingASupportWindowClosesThePictureWindow()
    {
        TGenericSplashForm::ForteazaTransparentaPerPixel(true);
        TAboutSplash s;
        Plasa(s);
        QTimer::singleShot(0, &s, [&] { s.FerestreSuport().at(0)->close(); });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatAbort));
        QTimer::singleShot(0, &s, [&] { QTest::mouseClick(s.ButonOk(), Qt::LeftButton); });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
    }

    void withoutPerPixel_dragDoesNotMove()
    {
        TAboutSplash s;
        s.show();
        const QPoint inainte = s.pos();
        Apasa(s.Imagine(), QPoint(200, 300), QEvent::MouseButtonPress, Qt::LeftButton);
        Apasa(s.Imagine(), QPoint(230, 340), QEvent::MouseMove, Qt::LeftButton);
        Apasa(s.Imagine(), QPoint(230, 340), QEvent::MouseButtonRelease, Qt::NoButton);
        QCOMPARE(s.pos(), inainte);
    }

    void missingPicture_keepsTheWindowUsable()
    {
        QTemporaryDir gol;
        RedirectioneazaFolderulProgramului(gol.path());
        QDir::setCurrent(gol.path());
        TAboutSplash s;
        RedirectioneazaFolderulProgramului(m_program.path());
        QDir::setCurrent(m_program.path());
        Plasa(s);
        QVERIFY(s.ImaginePng().isNull());
        QCOMPARE(s.size(), QSize(448, 575));
        QVERIFY(s.Forma().isEmpty());
        QTimer::singleShot(0, &s, [&] { QTest::mouseClick(s.ButonOk(), Qt::LeftButton); });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
    }

    void startUp_registersTheSplashAndTheAboutWindow()
    {
        TFerestreLauridex &f = FerestreLauridex();
        const TFerestreLauridex salvat = f;
        InregistreazaFerestrele();
        QVERIFY(f.Splash);
        QVERIFY(f.DespreNoi);
        std::unique_ptr<QDialog> splash = f.Splash();
        QVERIFY(dynamic_cast<TSplashLX *>(splash.get()));
        const auto despre = f.DespreNoi;
        f = TFerestreLauridex();
        f.DespreNoi = despre;

        // "Despre noi": the main window is hidden while the about window shows.
        {
            TLauridexMain w;
            w.show();
            bool principalaAscunsa = false;
            bool despreVizibila = false;
            QTimer::singleShot(0, &w, [&] {
                principalaAscunsa = !w.isVisible();
                for (QWidget *t : QApplication::topLevelWidgets()) {
                    if (auto *a = qobject_cast<TAboutSplash *>(t); a && a->isVisible()) {
                        despreVizibila = true;
                        QTest::mouseClick(a->ButonOk(), Qt::LeftButton);
                    }
                }
            });
            QTimer::singleShot(15000, &w, [] {
                for (QWidget *t : QApplication::topLevelWidgets())
                    if (auto *a = qobject_cast<TAboutSplash *>(t))
                        a->done(99);
            });
            w.DespreNoi->trigger();
            QVERIFY(principalaAscunsa);
            QVERIFY(despreVizibila);
            QVERIFY(w.isVisible());
        }
        f = salvat;
    }

    void resultGivenWhileShowing_endsAtOnce()
    {
        TAboutSplash s;
        Plasa(s);
        TRezultatLaAfisare filtru;
        s.installEventFilter(&filtru);
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatOk));
        QVERIFY(!s.isVisible());
    }

    // Kept last: asking the whole program to end leaves its loops ended for good.
    void programEnding_endsTheWindowWithoutOk()
    {
        TAboutSplash s;
        Plasa(s);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCOMPARE(s.ShowModal(), int(TGenericSplashForm::RezultatAbort));
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(TstSplash)
#include "tst_splash.moc"
