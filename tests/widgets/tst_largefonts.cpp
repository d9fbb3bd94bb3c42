#include "text/FolderProgram.h"
#include "widgets/LargeFonts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstLargeFonts : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString Cale() const { return CaleInFolder(m_dir.path(), QStringLiteral("LargeFonts.txt")); }
    void Scrie(const QByteArray &continut)
    {
        QFile f(Cale());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(continut);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(Cale());
        QDir(m_dir.path()).rmdir(QStringLiteral("LargeFonts.txt"));
        RedirectioneazaFolderulProgramului(m_dir.path());
        UitaRaportLargeFonts();
    }
    void cleanup()
    {
        RedirectioneazaFolderulProgramului(QString());
        UitaRaportLargeFonts();
    }

    void missingFile_isCreatedWithOneToOne()
    {
        QVERIFY(!QFile::exists(Cale()));
        QCOMPARE(ScaleazaLargeFonts(128, 120), 160);
        QFile f(Cale());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().trimmed(), QByteArray("1:1"));
        const TRaportLargeFonts r = RaportLargeFonts();
        QCOMPARE(r.Numarator, 1);
        QCOMPARE(r.Numitor, 1);
    }

    void firstLine_data()
    {
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<int>("numarator");
        QTest::addColumn<int>("numitor");
        QTest::newRow("5:4") << QByteArray("5:4\r\n1:1\r\n") << 5 << 4;
        QTest::newRow("letters and blanks") << QByteArray("  ratio 5 : 4 x\n") << 5 << 4;
        QTest::newRow("no colon") << QByteArray("7\n") << 7 << 7;
        QTest::newRow("empty first line") << QByteArray("\n5:4\n") << 8 << 8;
        QTest::newRow("empty file") << QByteArray("") << 1 << 1;
        QTest::newRow("nothing before colon") << QByteArray(":3") << 8 << 3;
        QTest::newRow("nothing after colon") << QByteArray("3:") << 3 << 8;
        QTest::newRow("second colon spoils denominator") << QByteArray("3:4:5") << 3 << 8;
        QTest::newRow("too big for an integer") << QByteArray("99999999999:2") << 8 << 2;
        QTest::newRow("zero denominator") << QByteArray("5:0") << 1 << 1;
        QTest::newRow("zero alone") << QByteArray("0") << 1 << 1;
    }
    void firstLine()
    {
        QFETCH(QByteArray, continut);
        QFETCH(int, numarator);
        QFETCH(int, numitor);
        Scrie(continut);
        const TRaportLargeFonts r = RaportLargeFonts();
        QCOMPARE(r.Numarator, numarator);
        QCOMPARE(r.Numitor, numitor);
    }

    void scaling_dividesInOrder_data()
    {
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("rezultat");
        QTest::newRow("5:4 at 96") << QByteArray("5:4") << 128 << 96 << 160;
        QTest::newRow("1:1 at 144") << QByteArray("1:1") << 24 << 144 << 36;
        // (3*3)/2 = 4 first, then 4*200/96 = 8; one combined division would give 9.
        QTest::newRow("3:2 at 200") << QByteArray("3:2") << 3 << 200 << 8;
        QTest::newRow("negative length truncates toward zero") << QByteArray("3:2") << -5 << 96 << -7;
    }
    void scaling_dividesInOrder()
    {
        QFETCH(QByteArray, continut);
        QFETCH(int, a);
        QFETCH(int, dpi);
        QFETCH(int, rezultat);
        Scrie(continut);
        QCOMPARE(ScaleazaLargeFonts(a, dpi), rezultat);
    }

    void ratio_isReadOncePerRun()
    {
        Scrie("5:4");
        QCOMPARE(ScaleazaLargeFonts(128, 96), 160);
        Scrie("2:1");
        QCOMPARE(ScaleazaLargeFonts(128, 96), 160);
        UitaRaportLargeFonts();
        QCOMPARE(ScaleazaLargeFonts(128, 96), 256);
    }

    void screenDpi_isUsedByDefault()
    {
        Scrie("1:1");
        const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
        QCOMPARE(ScaleazaLargeFonts(96), dpi);
    }

    void unwritableFile_fallsBackToMessageFont()
    {
        // A folder in the file's place: it can be neither created nor read.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("LargeFonts.txt")));
        const TRaportLargeFonts r = RaportLargeFonts();
        const int h = QFontInfo(QApplication::font("QMessageBox")).pixelSize();
        QVERIFY(h > 0);
        QCOMPARE(r.Numarator, h);
        QCOMPARE(r.Numitor, 11);
    }
};

QTEST_MAIN(TstLargeFonts)
#include "tst_largefonts.moc"
