#include "text/CodePage1250.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"

#include <QTemporaryDir>
#include <QFile>
#include <QtTest>

class TstFluxValori : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void codepage_roundTripsAllBytes()
    {
        for (int b = 0; b < 256; ++b) {
            const QByteArray o(1, char(b));
            QCOMPARE(Cp1250::Codifica(Cp1250::Decodifica(o)), o);
        }
    }

    void codepage_folds_data()
    {
        QTest::addColumn<QString>("intrare");
        QTest::addColumn<QByteArray>("octeti");
        QTest::newRow("romanian cedilla") << QStringLiteral("ăâîşţĂÂÎŞŢ") << QByteArray("\xE3\xE2\xEE\xBA\xFE\xC3\xC2\xCE\xAA\xDE");
        QTest::newRow("comma below") << QStringLiteral("șțȘȚ") << QByteArray("\xBA\xFE\xAA\xDE");
        QTest::newRow("accent to base") << QStringLiteral("àñ") << QByteArray("an");
    }
    void codepage_folds()
    {
        QFETCH(QString, intrare);
        QFETCH(QByteArray, octeti);
        QCOMPARE(Cp1250::Codifica(intrare), octeti);
    }

    void codepage_refusesWhatItCannotHold()
    {
        try {
            Cp1250::Codifica(QStringLiteral("a\u4E2Db"));
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY(e.Mesaj().contains(QStringLiteral("U+4E2D")));
        }
    }

    void valori_smallestIntegerTag_data()
    {
        QTest::addColumn<int>("valoare");
        QTest::addColumn<QByteArray>("octeti");
        QTest::newRow("0") << 0 << QByteArray("\x02\x00", 2);
        QTest::newRow("-1") << -1 << QByteArray("\x02\xFF", 2);
        QTest::newRow("128") << 128 << QByteArray("\x03\x80\x00", 3);
        QTest::newRow("-32769") << -32769 << QByteArray("\x04\xFF\x7F\xFF\xFF", 5);
    }
    void valori_smallestIntegerTag()
    {
        QFETCH(int, valoare);
        QFETCH(QByteArray, octeti);
        TScriitorValori s;
        s.ScrieIntreg(valoare);
        QCOMPARE(s.Date(), octeti);
        TCititorValori c(octeti);
        QCOMPARE(c.CitesteIntreg(), valoare);
        QVERIFY(c.LaSfarsit());
    }

    void valori_textTags()
    {
        const QString scurt = QStringLiteral("Ştefan");
        const QString lung(300, QLatin1Char('x'));
        TScriitorValori s;
        s.ScrieText(scurt);
        s.ScrieText(lung);
        QCOMPARE(uint8_t(s.Date().at(0)), uint8_t(6));
        QCOMPARE(uint8_t(s.Date().at(2 + 6)), uint8_t(12));
        TCititorValori c(s.Date());
        QCOMPARE(c.CitesteText(), scurt);
        QCOMPARE(c.CitesteText(), lung);
    }

    void valori_errors_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<bool>("text");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("text tag for integer") << QByteArray("\x06\x00", 2) << false << "Invalid property value";
        QTest::newRow("integer tag for text") << QByteArray("\x02\x00", 2) << true << "Invalid property value";
        QTest::newRow("empty") << QByteArray() << false << "Stream read error";
        QTest::newRow("short int32") << QByteArray("\x04\x01\x02", 3) << false << "Stream read error";
        QTest::newRow("short text") << QByteArray("\x06\x05" "ab", 4) << true << "Stream read error";
        QTest::newRow("negative length") << QByteArray("\x0C\xFF\xFF\xFF\xFF", 5) << true << "Stream read error";
    }
    void valori_errors()
    {
        QFETCH(QByteArray, octeti);
        QFETCH(bool, text);
        QFETCH(QString, mesaj);
        TCititorValori c(octeti);
        try {
            if (text)
                c.CitesteText();
            else
                c.CitesteIntreg();
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
    }

    void atomicWriteReplaces()
    {
        QTemporaryDir d;
        const QString cale = d.filePath(QStringLiteral("f.bin"));
        ScrieFisierAtomic(cale, "unu");
        ScrieFisierAtomic(cale, "doi");
        QFile f(cale);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("doi"));
        QCOMPARE(QDir(d.path()).entryList(QDir::Files).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TstFluxValori)
#include "tst_fluxvalori.moc"
