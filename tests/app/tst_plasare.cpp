// Window placement as a table over the pure geometry functions, and the maximising thread.
#include "app/Plasare.h"
#include "text/Ceas.h"

#include <QMutex>
#include <QPointer>
#include <QWidget>
#include <QtTest>

#include <atomic>

class TstPlasare : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        Ceas::Inlocuieste({});
        QTRY_COMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 0);
    }

    void plasare_data()
    {
        QTest::addColumn<QList<QRect>>("ecrane");
        QTest::addColumn<QList<QRect>>("zone");
        QTest::addColumn<int>("primar");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<QSize>("fereastra");
        QTest::addColumn<bool>("redimensioneaza");
        QTest::addColumn<QRect>("asteptat");
        QTest::addColumn<bool>("maximizeaza");

        const QRect full(0, 0, 1920, 1200), fullW(0, 0, 1920, 1160);
        const QSize proiectat(1142, 656);
        QTest::newRow("peisaj 1920x1200: marimea proiectata, centrata")
            << QList<QRect>{full} << QList<QRect>{fullW} << 0 << QPoint(10, 10) << proiectat << true
            << QRect(389, 252, 1142, 656) << false;
        QTest::newRow("1366x768: zona de lucru minus 15, apoi maximizata")
            << QList<QRect>{QRect(0, 0, 1366, 768)} << QList<QRect>{QRect(0, 0, 1366, 728)} << 0 << QPoint(1, 1)
            << proiectat << true << QRect(15, 15, 1336, 698) << true;
        QTest::newRow("portret 1200x1920: potrivita si maximizata")
            << QList<QRect>{QRect(0, 0, 1200, 1920)} << QList<QRect>{QRect(0, 0, 1200, 1880)} << 0 << QPoint(1, 1)
            << proiectat << true << QRect(15, 15, 1170, 1850) << true;
        QTest::newRow("patrat 1200x1200 inca mare")
            << QList<QRect>{QRect(0, 0, 1200, 1200)} << QList<QRect>{QRect(0, 0, 1200, 1200)} << 0 << QPoint(1, 1)
            << QSize(100, 100) << true << QRect(550, 550, 100, 100) << false;
        QTest::newRow("inaltime 1199: potrivita si maximizata")
            << QList<QRect>{QRect(0, 0, 1920, 1199)} << QList<QRect>{QRect(0, 0, 1920, 1159)} << 0 << QPoint(1, 1)
            << proiectat << true << QRect(15, 15, 1890, 1129) << true;
        QTest::newRow("mai lata decat zona: stanga fixata, sus centrata")
            << QList<QRect>{QRect(0, 0, 800, 600)} << QList<QRect>{QRect(10, 0, 790, 600)} << 0 << QPoint(1, 1)
            << QSize(1001, 101) << false << QRect(10, 249, 1001, 101) << false;
        QTest::newRow("mai mare decat zona: coltul stanga-sus")
            << QList<QRect>{QRect(0, 0, 800, 600)} << QList<QRect>{QRect(0, 30, 800, 570)} << 0 << QPoint(1, 1)
            << QSize(1000, 700) << false << QRect(0, 30, 1000, 700) << false;
        QTest::newRow("bara de activitati sus")
            << QList<QRect>{full} << QList<QRect>{QRect(0, 40, 1920, 1160)} << 0 << QPoint(5, 5) << proiectat << false
            << QRect(389, 292, 1142, 656) << false;
        QTest::newRow("diferenta impara trunchiata")
            << QList<QRect>{QRect(0, 0, 1001, 801)} << QList<QRect>{QRect(0, 0, 1001, 801)} << 0 << QPoint(5, 5)
            << QSize(100, 100) << false << QRect(450, 350, 100, 100) << false;
        const QList<QRect> doua{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        const QList<QRect> douaW{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
        QTest::newRow("al doilea monitor sub cursor")
            << doua << douaW << 0 << QPoint(2000, 10) << proiectat << true << QRect(1935, 15, 1250, 954) << true;
        QTest::newRow("cursor pe niciun monitor: cel principal")
            << doua << douaW << 1 << QPoint(-5000, -5000) << proiectat << false
            << QRect(1920 + 69, 164, 1142, 656) << false;
        QTest::newRow("fara principal: primul")
            << doua << douaW << -1 << QPoint(-5000, -5000) << proiectat << false << QRect(389, 192, 1142, 656) << false;
        QTest::newRow("monitor la stanga, coordonate negative")
            << QList<QRect>{QRect(-1920, 0, 1920, 1200), full} << QList<QRect>{QRect(-1920, 0, 1920, 1160), fullW} << 1
            << QPoint(-100, 100) << proiectat << true << QRect(-1920 + 389, 252, 1142, 656) << false;
    }
    void plasare()
    {
        QFETCH(QList<QRect>, ecrane);
        QFETCH(QList<QRect>, zone);
        QFETCH(int, primar);
        QFETCH(QPoint, cursor);
        QFETCH(QSize, fereastra);
        QFETCH(bool, redimensioneaza);
        QFETCH(QRect, asteptat);
        QFETCH(bool, maximizeaza);
        QList<TMonitor> m;
        for (int i = 0; i < ecrane.size(); ++i)
            m.append(TMonitor{ecrane[i], zone[i]});
        const TPlasare p = redimensioneaza ? PlasareRedimensionata(m, cursor, primar, fereastra)
                                           : TPlasare{GeometriaCentrata(m, cursor, primar, fereastra), false};
        QCOMPARE(p.geometrie, asteptat);
        QCOMPARE(p.maximizeaza, maximizeaza);
    }

    void faraMonitoare()
    {
        QCOMPARE(MonitorulDeSubCursor({}, QPoint(), 0), -1);
        QCOMPARE(PlasareRedimensionata({}, QPoint(), 0, QSize(10, 20)).geometrie, QRect(0, 0, 10, 20));
        QCOMPARE(GeometriaCentrata({}, QPoint(), 0, QSize(10, 20)), QRect(0, 0, 10, 20));
    }

    // The offscreen screen is small, so the window is fitted and maximised once shown.
    void maximizataCandDevineVizibila()
    {
        QWidget w;
        w.resize(1142, 656);
        CentreazaSiRedimensioneazaForm(&w);
        QCOMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 1);
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        w.show();
        QTRY_VERIFY(w.windowState() & Qt::WindowMaximized);
        QTRY_COMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 0);
    }

    void ritmulSiTermenele()
    {
        const QDateTime baza(QDate(2026, 1, 1), QTime(8, 0));
        std::atomic<qint64> ms{0};
        QMutex lacat;
        QList<int> somnuri;
        Ceas::Inlocuieste([&] { return baza.addMSecs(ms.load()); },
                          [&](int d) {
                              {
                                  QMutexLocker l(&lacat);
                                  somnuri.append(d);
                              }
                              QThread::msleep(1);
                          });
        auto numar = [&] {
            QMutexLocker l(&lacat);
            return somnuri.size();
        };
        auto ultimul = [&] {
            QMutexLocker l(&lacat);
            return somnuri.isEmpty() ? -1 : somnuri.last();
        };
        QWidget w;
        TCentreazaSiRedimensioneazaFormThread::Porneste(&w);
        QTRY_VERIFY(numar() >= 3);
        QCOMPARE(ultimul(), 1);
        ms = 10 * 1000 + 1;
        QTRY_COMPARE(ultimul(), 1000);
        QCOMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 1);
        ms = (30 * 60 + 10) * 1000;
        QTRY_COMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 0);
        // Never visible within the time: never maximised.
        w.show();
        QTest::qWait(20);
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        Ceas::Inlocuieste({});
    }

    void fereastraDistrusaOpresteFirul()
    {
        auto *w = new QWidget;
        TCentreazaSiRedimensioneazaFormThread::Porneste(w);
        QCOMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 1);
        delete w;
        QTRY_COMPARE(TCentreazaSiRedimensioneazaFormThread::Active(), 0);
    }

    void centreazaPeEcranulReal()
    {
        QWidget w;
        w.resize(200, 100);
        CentreazaForm(&w);
        int primar = -1;
        const QList<TMonitor> m = MonitoareleSistemului(&primar);
        QVERIFY(!m.isEmpty());
        const QRect z = m[MonitorulDeSubCursor(m, QCursor::pos(), primar)].zonaLucru;
        QCOMPARE(w.pos(), PozitiaCentrata(z, QSize(200, 100)));
        QCOMPARE(w.size(), QSize(200, 100));
    }
};

QTEST_MAIN(TstPlasare)
#include "tst_plasare.moc"
