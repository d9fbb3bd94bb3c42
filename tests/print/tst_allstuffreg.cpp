#include "print/AllStuffReg.h"
#include "settings/Registru.h"
#include "text/Eroare.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Stocat(const QString &nume)
{
    TCheieRegistru cheie(TAllStuffReg::CaleCheie());
    return cheie.ExistaValoare(nume) ? cheie.CitesteText(nume) : QStringLiteral("<lipsa>");
}

void Stocheaza(const QString &nume, const QString &valoare)
{
    TCheieRegistru(TAllStuffReg::CaleCheie()).ScrieText(nume, valoare);
}

QByteArray Continut(const QString &cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstAllStuffReg : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_fisier;

private Q_SLOTS:
    void init()
    {
        // An empty redirection would put the test on the user's real settings.
        QVERIFY(m_dir.isValid());
        m_fisier = m_dir.filePath(QStringLiteral("%1.json").arg(QTest::currentTestFunction()));
        QFile::remove(m_fisier);
        Registru::RedirectioneazaStocul(m_fisier);
    }
    void cleanup()
    {
        Registru::RedirectioneazaStocul(QString());
        QVERIFY(!CurrentPrinterSettings());
    }

    void commaTextWrites_data()
    {
        QTest::addColumn<QStringList>("elemente");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringList{"0", "1", "abc"} << "0,1,abc";
        QTest::newRow("blank") << QStringList{"HP LaserJet 1020"} << "\"HP LaserJet 1020\"";
        QTest::newRow("comma") << QStringList{"1,5", "0"} << "\"1,5\",0";
        QTest::newRow("quote") << QStringList{"a\"b"} << "\"a\"\"b\"";
        QTest::newRow("control") << QStringList{"a\tb"} << "\"a\tb\"";
        QTest::newRow("empty items") << QStringList{"", "x", "", ""} << ",x,,";
        QTest::newRow("lone empty item") << QStringList{""} << "\"\"";
        QTest::newRow("two empty items") << QStringList{"", ""} << ",";
    }
    void commaTextWrites()
    {
        QFETCH(QStringList, elemente);
        QFETCH(QString, text);
        QCOMPARE(CommaText(elemente), text);
        QCOMPARE(DinCommaText(text), elemente);
    }

    void commaTextReads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("elemente");
        QTest::newRow("leading blanks") << "   a,b" << QStringList{"a", "b"};
        QTest::newRow("blank separates") << "a b  c" << QStringList{"a", "b", "c"};
        QTest::newRow("blanks around commas") << "a , b" << QStringList{"a", "b"};
        QTest::newRow("quoted keeps blanks and commas") << "\" x, y \",z" << QStringList{" x, y ", "z"};
        QTest::newRow("unclosed quote takes the rest") << "\"a,b" << QStringList{"a,b"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
        QTest::newRow("trailing comma and blank") << "a, " << QStringList{"a"};
        QTest::newRow("leading comma") << ",a" << QStringList{"", "a"};
        QTest::newRow("only blanks") << " \t " << QStringList{};
        QTest::newRow("text right after a closing quote") << "\"a b\"c,d" << QStringList{"a b", "c", "d"};
        QTest::newRow("quoted empty") << "a,\"\",b" << QStringList{"a", "", "b"};
        QTest::newRow("quote inside a plain item") << "ab\"c d\"" << QStringList{"ab\"c", "d\""};
    }
    void commaTextReads()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, elemente);
        QCOMPARE(DinCommaText(text), elemente);
    }

    void commaTextRoundTrips_data()
    {
        QTest::addColumn<QStringList>("elemente");
        QTest::newRow("mixed") << QStringList{"\"", ",", " ", "", "a \"b\", c", "\"\"", "Şcoală"};
        QTest::newRow("blank edges") << QStringList{" lead", "trail ", "  "};
    }
    void commaTextRoundTrips()
    {
        QFETCH(QStringList, elemente);
        QCOMPARE(DinCommaText(CommaText(elemente)), elemente);
    }

    void neverCalibratedUserGetsInitialValues()
    {
        {
            TAllStuffReg s;
            QVERIFY(!s.Configured);
            QVERIFY(!s.PaperTurned && !s.LineRight && !s.LineBottom);
            QCOMPARE(s.FeedMode, uint8_t(0));
            QCOMPARE(s.PrinterName, QString());
            QCOMPARE(s.PrinterIndex, 0);
            QCOMPARE(s.LeftFront, 0.0);
            QCOMPARE(s.MirrorFront, QStringLiteral("*"));
            QCOMPARE(s.MirrorBack, QStringLiteral("*"));
        }
        QCOMPARE(Stocat("all"), QStringLiteral("0,0,0,0,0,0,0,0,0,0,,0"));
        QCOMPARE(Stocat("OglindescFata"), QStringLiteral("*"));
        QCOMPARE(Stocat("OglindescVerso"), QStringLiteral("*"));
    }

    void everythingRoundTrips_data()
    {
        QTest::addColumn<QString>("imprimanta");
        QTest::addColumn<QString>("all");
        QTest::newRow("blanks in the name")
            << "HP LaserJet 1020 on \\\\srv" << "0,1,1,0,1,3,\"1,5\",0,\"12,25\",\"-0,5\",\"HP LaserJet 1020 on \\\\srv\",2";
        QTest::newRow("empty name") << "" << "0,1,1,0,1,3,\"1,5\",0,\"12,25\",\"-0,5\",,2";
        QTest::newRow("quote and comma in the name")
            << "Birou \"2\", etaj" << "0,1,1,0,1,3,\"1,5\",0,\"12,25\",\"-0,5\",\"Birou \"\"2\"\", etaj\",2";
    }
    void everythingRoundTrips()
    {
        QFETCH(QString, imprimanta);
        QFETCH(QString, all);
        {
            TAllStuffReg s;
            s.Configured = true;
            s.PaperTurned = true;
            s.LineBottom = true;
            s.FeedMode = 3;
            s.LeftFront = 1.5;
            s.TopFront = 0;
            s.LeftBack = 12.25;
            s.TopBack = -0.5;
            s.PrinterName = imprimanta;
            s.PrinterIndex = 2;
            s.SetMirrorFor(0, QStringLiteral("D"));
            s.SetMirrorFor(1, QStringLiteral("N"));
        }
        QCOMPARE(Stocat("all"), all);
        QCOMPARE(Stocat("OglindescFata"), QStringLiteral("D"));
        QCOMPARE(Stocat("OglindescVerso"), QStringLiteral("N"));
        TAllStuffReg s;
        QVERIFY(s.Configured && s.PaperTurned && !s.LineRight && s.LineBottom);
        QCOMPARE(s.FeedMode, uint8_t(3));
        QCOMPARE(s.LeftFront, 1.5);
        QCOMPARE(s.TopFront, 0.0);
        QCOMPARE(s.LeftBack, 12.25);
        QCOMPARE(s.TopBack, -0.5);
        QCOMPARE(s.PrinterName, imprimanta);
        QCOMPARE(s.PrinterIndex, 2);
        QCOMPARE(s.MirrorFor(0), QStringLiteral("D"));
        QCOMPARE(s.MirrorFor(1), QStringLiteral("N"));
    }

    void booleansAreTrueOnlyForExactlyOne()
    {
        Stocheaza("all", "9,1,2,true,01,4,0,0,0,0,p,0,extra");
        TAllStuffReg s;
        QVERIFY(s.Configured);
        QVERIFY(!s.PaperTurned && !s.LineRight && !s.LineBottom);
        QCOMPARE(s.FeedMode, uint8_t(4));
    }

    void freshlyLoadedInstanceNormalisesOnly()
    {
        Stocheaza("all", "  0 , 1,0,0,0,2, \"1,5\" ,0,0,0,\"P 1\",1");
        Stocheaza("OglindescFata", "D");
        {
            TAllStuffReg s;
        }
        QCOMPARE(Stocat("all"), QStringLiteral("0,1,0,0,0,2,\"1,5\",0,0,0,\"P 1\",1"));
        QCOMPARE(Stocat("OglindescFata"), QStringLiteral("D"));
        QCOMPARE(Stocat("OglindescVerso"), QStringLiteral("*"));
        const QByteArray dupa = Continut(m_fisier);
        { TAllStuffReg s; }
        QCOMPARE(Continut(m_fisier), dupa);
    }

    void badStoredTextFailsCreation_data()
    {
        QTest::addColumn<QString>("all");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("eleven items") << "0,1,0,0,0,2,0,0,0,0,P" << "11 elemente";
        QTest::newRow("empty") << "" << "0 elemente";
        QTest::newRow("feed mode not a number") << "0,1,0,0,0,x,0,0,0,0,P,0" << "'x'";
        QTest::newRow("feed mode out of range") << "0,1,0,0,0,256,0,0,0,0,P,0" << "'256' nu este intre 0 si 255";
        QTest::newRow("decimal point") << "0,1,0,0,0,2,1.5,0,0,0,P,0" << "1.5";
        QTest::newRow("empty margin") << "0,1,0,0,0,2,0,,0,0,P,0" << "";
        QTest::newRow("printer index") << "0,1,0,0,0,2,0,0,0,0,P,2x" << "'2x'";
    }
    void badStoredTextFailsCreation()
    {
        QFETCH(QString, all);
        QFETCH(QString, mesaj);
        Stocheaza("all", all);
        const QByteArray inainte = Continut(m_fisier);
        try {
            TAllStuffReg s;
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(mesaj), qPrintable(e.Mesaj()));
        }
        QVERIFY(!CurrentPrinterSettings());
        QCOMPARE(Continut(m_fisier), inainte); // nothing written over what the user had
    }

    void keyIsStoredUnderItsOwnPath()
    {
        // The global settings' key, with the same parents spelled otherwise, exists first.
        TCheieRegistru(QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008\\Global"))
            .ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        { TAllStuffReg s; }
        const QJsonObject doc = QJsonDocument::fromJson(Continut(m_fisier)).object();
        const QJsonObject cheie = doc.value(QStringLiteral("SOFTWARE\\Zelmora SOFT\\Brevia\\2008\\Lauridex")).toObject();
        QStringList nume = cheie.keys();
        nume.sort();
        QCOMPARE(nume, (QStringList{"OglindescFata", "OglindescVerso", "all"}));
        for (const QString &n : nume)
            QVERIFY(cheie.value(n).isString());
    }

    void mirrorValueOfTheOtherTypeFailsCreation()
    {
        TCheieRegistru(TAllStuffReg::CaleCheie()).ScrieIntreg("oglindescverso", 1);
        QVERIFY_THROWS_EXCEPTION(EZel, TAllStuffReg());
    }

    void mirrorForPages_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<QString>("fata");
        QTest::addColumn<QString>("verso");
        QTest::addColumn<QString>("citit");
        QTest::newRow("front") << 0 << "D" << "*" << "D";
        QTest::newRow("back") << 1 << "*" << "D" << "D";
        QTest::newRow("other page") << 2 << "*" << "*" << "*";
        QTest::newRow("negative page") << -1 << "*" << "*" << "*";
    }
    void mirrorForPages()
    {
        QFETCH(int, pagina);
        QFETCH(QString, fata);
        QFETCH(QString, verso);
        QFETCH(QString, citit);
        TAllStuffReg s;
        s.SetMirrorFor(pagina, QStringLiteral("D"));
        QCOMPARE(s.MirrorFront, fata);
        QCOMPARE(s.MirrorBack, verso);
        QCOMPARE(s.MirrorFor(pagina), citit);
    }

    void currentInstanceIsTheFirstOne()
    {
        QVERIFY(!CurrentPrinterSettings());
        auto *a = new TAllStuffReg;
        QCOMPARE(CurrentPrinterSettings(), a);
        auto *b = new TAllStuffReg;
        QCOMPARE(CurrentPrinterSettings(), a);
        delete a;
        QVERIFY(!CurrentPrinterSettings());
        auto *c = new TAllStuffReg;
        QCOMPARE(CurrentPrinterSettings(), c);
        delete b;
        QCOMPARE(CurrentPrinterSettings(), c);
        delete c;
    }

    void nonFiniteMarginIsWrittenAsZero()
    {
        {
            TAllStuffReg s;
            s.LeftFront = std::numeric_limits<double>::quiet_NaN();
            s.TopBack = std::numeric_limits<double>::infinity();
        }
        TAllStuffReg s; // and the next creation still works
        QCOMPARE(s.LeftFront, 0.0);
        QCOMPARE(s.TopBack, 0.0);
    }
};

QTEST_GUILESS_MAIN(TstAllStuffReg)
#include "tst_allstuffreg.moc"
