#include "text/CodePage1250.h"
#include "text/TextRo.h"

#include <QDir>
#include <QtTest>

class TstTextRo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodeazaDiacritice_data()
    {
        QTest::addColumn<QString>("intrare");
        QTest::addColumn<QString>("iesire");
        QTest::newRow("school") << QStringLiteral("@Scoal@a") << QStringLiteral("Şcoală");
        QTest::newRow("Romania") << QStringLiteral("Rom@hnia") << QStringLiteral("România");
        QTest::newRow("every code") << QStringLiteral("@A@a@H@h@I@i@S@s@T@t") << QStringLiteral("ĂăÂâÎîŞşŢţ");
        QTest::newRow("at sign") << QStringLiteral("@@") << QStringLiteral("@");
        QTest::newRow("at then code letter") << QStringLiteral("@@S") << QStringLiteral("@S");
        QTest::newRow("unknown code") << QStringLiteral("@x") << QString();
        QTest::newRow("unknown code inside") << QStringLiteral("a@xb") << QStringLiteral("ab");
        QTest::newRow("trailing at") << QStringLiteral("abc@") << QStringLiteral("abc");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
    }
    void decodeazaDiacritice()
    {
        QFETCH(QString, intrare);
        QFETCH(QString, iesire);
        QCOMPARE(DecodeazaDiacritice(intrare), iesire);
    }

    void decodeazaDiacritice_givesCodePageBytes()
    {
        QCOMPARE(Cp1250::Codifica(DecodeazaDiacritice(QStringLiteral("@A@a@H@h@I@i@S@s@T@t"))),
                 QByteArray("\xC3\xE3\xC2\xE2\xCE\xEE\xAA\xBA\xDE\xFE"));
    }

    void litere_data()
    {
        QTest::addColumn<QString>("mari");
        QTest::addColumn<QString>("mici");
        QTest::newRow("grade") << QStringLiteral("(NOUĂ, ŞAIZECIŞITREI)") << QStringLiteral("(nouă, şaizecişitrei)");
        QTest::newRow("school") << QStringLiteral("ŞCOALĂ") << QStringLiteral("şcoală");
        QTest::newRow("t cedilla") << QStringLiteral("ŢARĂ") << QStringLiteral("ţară");
        QTest::newRow("comma below") << QStringLiteral("ȘȚ") << QStringLiteral("șț");
        QTest::newRow("digits and signs") << QStringLiteral("9,63%") << QStringLiteral("9,63%");
    }
    void litere()
    {
        QFETCH(QString, mari);
        QFETCH(QString, mici);
        QCOMPARE(LitereMiciRo(mari), mici);
        QCOMPARE(LitereMariRo(mici), mari);
    }

    void litere_keepOthers()
    {
        // Â and Î keep their case; other accented letters are left alone too.
        QCOMPARE(LitereMiciRo(QStringLiteral("ÂÎâîÉ")), QStringLiteral("ÂÎâîÉ"));
        QCOMPARE(LitereMariRo(QStringLiteral("ÂÎâîé")), QStringLiteral("ÂÎâîé"));
        QCOMPARE(LitereMariRo(QStringLiteral("România")), QStringLiteral("ROMâNIA"));
    }

    void date_data()
    {
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("lunga");
        QTest::addColumn<QString>("scurta");
        QTest::addColumn<QString>("ziLuna");
        QTest::newRow("28 July 2004") << QDate(2004, 7, 28) << "28 iulie 2004" << "28/07/04" << "28/07";
        QTest::newRow("1 March 2009") << QDate(2009, 3, 1) << "1 martie 2009" << "01/03/09" << "01/03";
        QTest::newRow("5 May 2008") << QDate(2008, 5, 5) << "5 mai 2008" << "05/05/08" << "05/05";
        QTest::newRow("9 December 1999") << QDate(1999, 12, 9) << "9 decembrie 1999" << "09/12/99" << "09/12";
        QTest::newRow("January") << QDate(2010, 1, 31) << "31 ianuarie 2010" << "31/01/10" << "31/01";
        QTest::newRow("short year") << QDate(987, 2, 3) << "3 februarie 987" << "03/02/7?" << "03/02";
    }
    void date()
    {
        QFETCH(QDate, data);
        QFETCH(QString, lunga);
        QFETCH(QString, scurta);
        QFETCH(QString, ziLuna);
        QCOMPARE(DataRoLunga(data), lunga);
        QCOMPARE(DataRoScurta(data), scurta);
        QCOMPARE(DataRoZiLuna(data), ziLuna);
    }

    void date_everyMonthName()
    {
        const QStringList luni = QStringLiteral("ianuarie februarie martie aprilie mai iunie iulie august "
                                                "septembrie octombrie noiembrie decembrie").split(QLatin1Char(' '));
        for (int l = 1; l <= 12; ++l)
            QCOMPARE(DataRoLunga(QDate(2004, l, 2)), QStringLiteral("2 %1 2004").arg(luni.at(l - 1)));
    }

    void date_invalidIsEmpty()
    {
        QCOMPARE(DataRoLunga(QDate()), QString());
        QCOMPARE(DataRoScurta(QDate()), QString());
        QCOMPARE(DataRoZiLuna(QDate()), QString());
    }

    void normalizeazaCale_data()
    {
        // "|" stands for the platform's separator in the expected path.
        QTest::addColumn<QString>("cale");
        QTest::addColumn<QString>("asteptat");
        QTest::newRow("drive path") << QStringLiteral("C:/date//poze/a.jpg") << QStringLiteral("C:|date|poze|a.jpg");
        QTest::newRow("backslashes") << QStringLiteral("C:\\date\\\\poze\\a.jpg") << QStringLiteral("C:|date|poze|a.jpg");
        QTest::newRow("mixed run") << QStringLiteral("a/\\/b") << QStringLiteral("a|b");
        QTest::newRow("network") << QStringLiteral("\\\\server\\\\share\\a") << QStringLiteral("||server|share|a");
        QTest::newRow("network with slashes") << QStringLiteral("//server//share/a") << QStringLiteral("||server|share|a");
        QTest::newRow("network keeps only a pair") << QStringLiteral("\\\\\\server") << QStringLiteral("||server");
        QTest::newRow("absolute") << QStringLiteral("/home//x/") << QStringLiteral("|home|x|");
        QTest::newRow("relative") << QStringLiteral("ER/LX.re") << QStringLiteral("ER|LX.re");
        QTest::newRow("empty") << QString() << QString();
    }
    void normalizeazaCale()
    {
        QFETCH(QString, cale);
        QFETCH(QString, asteptat);
        asteptat.replace(QLatin1Char('|'), QDir::separator());
        QCOMPARE(NormalizeazaCale(cale), asteptat);
    }

    void completeazaLaDreapta_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lungime");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("extended") << QStringLiteral("ab") << 5 << QStringLiteral("ab...");
        QTest::newRow("exact") << QStringLiteral("abcde") << 5 << QStringLiteral("abcde");
        QTest::newRow("longer unchanged") << QStringLiteral("abcdef") << 3 << QStringLiteral("abcdef");
        QTest::newRow("empty") << QString() << 2 << QStringLiteral("..");
        QTest::newRow("negative length") << QStringLiteral("a") << -4 << QStringLiteral("a");
    }
    void completeazaLaDreapta()
    {
        QFETCH(QString, text);
        QFETCH(int, lungime);
        QFETCH(QString, rezultat);
        QCOMPARE(CompleteazaLaDreapta(text, lungime, QLatin1Char('.')), rezultat);
    }
};

QTEST_GUILESS_MAIN(TstTextRo)
#include "tst_textro.moc"
