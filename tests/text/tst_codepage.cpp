#include "text/CodePage1250.h"
#include "text/Eroare.h"

#include <QtTest>

// Complements the byte round-trip in tst_fluxvalori: the Unicode side of the table and
// the folding rule for text that arrives decomposed or from outside the code page.
class TstCodePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCharacterOfTheTableIsStable()
    {
        for (int b = 0; b < 256; ++b) {
            const QChar c = Cp1250::DinOctet(uchar(b));
            QCOMPARE(Cp1250::InOctet(c), b);
            QCOMPARE(Cp1250::Pliaza(c), c);
            QCOMPARE(Cp1250::PliazaText(QString(c)), QString(c));
        }
    }

    void knownBytes_data()
    {
        QTest::addColumn<int>("octet");
        QTest::addColumn<int>("unicode");
        QTest::newRow("S cedilla") << 0xAA << 0x015E;
        QTest::newRow("s cedilla") << 0xBA << 0x015F;
        QTest::newRow("T cedilla") << 0xDE << 0x0162;
        QTest::newRow("t cedilla") << 0xFE << 0x0163;
        QTest::newRow("A breve") << 0xC3 << 0x0102;
        QTest::newRow("a breve") << 0xE3 << 0x0103;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 98") << 0x98 << 0x0098;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    }
    void knownBytes()
    {
        QFETCH(int, octet);
        QFETCH(int, unicode);
        QCOMPARE(int(Cp1250::DinOctet(uchar(octet)).unicode()), unicode);
    }

    void folds_data()
    {
        QTest::addColumn<QString>("intrare");
        QTest::addColumn<QByteArray>("octeti");
        QTest::newRow("decomposed comma below") << QStringLiteral("s\u0326t\u0326S\u0326T\u0326") << QByteArray("\xBA\xFE\xAA\xDE");
        QTest::newRow("decomposed breve") << QStringLiteral("a\u0306") << QByteArray("\xE3");
        QTest::newRow("decomposed circumflex") << QStringLiteral("i\u0302") << QByteArray("\xEE");
        QTest::newRow("accent without precomposed letter") << QStringLiteral("q\u0301") << QByteArray("q");
        QTest::newRow("a caron") << QStringLiteral("\u01CE") << QByteArray("a");
        QTest::newRow("o with two accents") << QStringLiteral("\u1ED1") << QByteArray("\xF4");
    }
    void folds()
    {
        QFETCH(QString, intrare);
        QFETCH(QByteArray, octeti);
        QCOMPARE(Cp1250::Codifica(intrare), octeti);
        QCOMPARE(Cp1250::PliazaText(intrare), Cp1250::Decodifica(octeti));
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("intrare");
        QTest::addColumn<QString>("numit");
        QTest::newRow("emoji named whole") << QStringLiteral("x\U0001F600") << QStringLiteral("\"\U0001F600\" (U+1F600)");
        QTest::newRow("lone combining mark") << QStringLiteral("\u0301") << QStringLiteral("(U+0301)");
        QTest::newRow("mark after digit") << QStringLiteral("1\u0301") << QStringLiteral("(U+0301)");
        QTest::newRow("ligature") << QStringLiteral("\u0153") << QStringLiteral("(U+0153)");
        QTest::newRow("cyrillic") << QStringLiteral("\u0416") << QStringLiteral("(U+0416)");
    }
    void refuses()
    {
        QFETCH(QString, intrare);
        QFETCH(QString, numit);
        for (int fel = 0; fel < 2; ++fel) {
            try {
                if (fel == 0)
                    Cp1250::Codifica(intrare);
                else
                    Cp1250::PliazaText(intrare);
                QFAIL("no error");
            } catch (const EZel &e) {
                QVERIFY2(e.Mesaj().contains(numit), qPrintable(e.Mesaj()));
                QVERIFY(e.Mesaj().contains(QLatin1String("Windows-1250")));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstCodePage)
#include "tst_codepage.moc"
