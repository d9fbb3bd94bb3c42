#include "text/Ceas.h"
#include "text/Conventii.h"
#include "text/Eroare.h"
#include "text/ScriptFunctii.h"

#include <QLocale>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace Conventii;

class TstConventii : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { AplicaConventiileRomanesti(); }
    void cleanup() { Ceas::Inlocuieste({}); }

    void setari_tableOfConventions()
    {
        const TSetariFormat &s = SetariFormat();
        QCOMPARE(s.SimbolMoneda, QString());
        QCOMPARE(s.FormatMoneda, 0);
        QCOMPARE(s.FormatMonedaNegativ, 1);
        QCOMPARE(s.SeparatorMii, QChar('.'));
        QCOMPARE(s.SeparatorZecimal, QChar(','));
        QCOMPARE(s.ZecimaleMoneda, 2);
        QCOMPARE(s.SeparatorData, QChar('/'));
        QCOMPARE(s.FormatDataScurta, QStringLiteral("dd/mm/yyyy"));
        QCOMPARE(s.FormatDataLunga, QStringLiteral("dd/mm/yyyy"));
        QCOMPARE(s.SeparatorOra, QChar(':'));
        QCOMPARE(s.SimbolAM, QStringLiteral("AM"));
        QCOMPARE(s.SimbolPM, QStringLiteral("PM"));
        QCOMPARE(s.FormatOraScurta, QStringLiteral("hh:nn"));
        QCOMPARE(s.FormatOraLunga, QStringLiteral("hh:nn:ss"));
        QCOMPARE(s.SeparatorLista, QChar(','));
        QCOMPARE(s.LuniScurte.join(QLatin1Char(' ')), QStringLiteral("Ian Feb Mar Apr Mai Iun Iul Aug Sep Oct Nov Dec"));
        QCOMPARE(s.LuniLungi.join(QLatin1Char(' ')),
                 QStringLiteral("Ianuarie Februarie Martie Aprilie Mai Iunie Iulie August Septembrie Octombrie Noiembrie Decembrie"));
        QCOMPARE(s.ZileScurte.join(QLatin1Char(' ')), QStringLiteral("Du Lu Ma Mi Jo Vi Sb"));
        QCOMPARE(s.ZileLungi.join(QLatin1Char(' ')), QStringLiteral("Dumunica Luni Marti Miercuri Joi Vineri Sambata"));
    }

    void startupRegistersReportFunctions()
    {
        // The start-up step alone makes the ZEL functions callable from scripts.
        QVERIFY(ScriptFunctii::EsteInregistrat(QStringLiteral("TZelFunctions")));
        QCOMPARE(ScriptFunctii::ApeleazaFunctia(QStringLiteral("CurrencyToRoStr"), {1234.5}).toString(),
                 QStringLiteral("1.234,50"));
        AplicaConventiileRomanesti();
        QCOMPARE(ScriptFunctii::Declaratii().size(), 3);
    }

    void floatToStr_data()
    {
        QTest::addColumn<double>("valoare");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.5") << 1.5 << QStringLiteral("1,5");
        QTest::newRow("2.5") << 2.5 << QStringLiteral("2,5");
        QTest::newRow("integer") << 42.0 << QStringLiteral("42");
        QTest::newRow("negative fraction") << -0.25 << QStringLiteral("-0,25");
        QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
        QTest::newRow("no grouping") << 1234567.5 << QStringLiteral("1234567,5");
        QTest::newRow("15 digits") << 0.1 + 0.2 << QStringLiteral("0,3");
        QTest::newRow("large") << 1e20 << QStringLiteral("1E20");
        QTest::newRow("small") << 1.5e-7 << QStringLiteral("1,5E-7");
    }
    void floatToStr()
    {
        QFETCH(double, valoare);
        QFETCH(QString, text);
        QCOMPARE(FloatToStr(valoare), text);
    }

    void floatToStr_readsBack_data()
    {
        QTest::addColumn<double>("valoare");
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("calibration") << -3.175;
        QTest::newRow("tiny") << 1.5e-7;
        QTest::newRow("huge") << -9.87654321e300;
        QTest::newRow("third") << 1.0 / 3.0;
    }
    void floatToStr_readsBack()
    {
        QFETCH(double, valoare);
        const double inapoi = StrToFloat(FloatToStr(valoare));
        QVERIFY2(std::fabs(inapoi - valoare) <= std::fabs(valoare) * 1e-14, qPrintable(FloatToStr(valoare)));
    }

    void strToFloat_accepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("valoare");
        QTest::newRow("comma") << QStringLiteral("1,5") << 1.5;
        QTest::newRow("blanks") << QStringLiteral("  -2,25 ") << -2.25;
        QTest::newRow("plus") << QStringLiteral("+3") << 3.0;
        QTest::newRow("leading comma") << QStringLiteral(",5") << 0.5;
        QTest::newRow("trailing comma") << QStringLiteral("7,") << 7.0;
        QTest::newRow("exponent") << QStringLiteral("1,5E-7") << 1.5e-7;
        QTest::newRow("lower exponent") << QStringLiteral("2e3") << 2000.0;
    }
    void strToFloat_accepts()
    {
        QFETCH(QString, text);
        QFETCH(double, valoare);
        QCOMPARE(StrToFloat(text), valoare);
    }

    void strToFloat_refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("blank") << QStringLiteral("   ");
        QTest::newRow("garbage") << QStringLiteral("abc");
        QTest::newRow("decimal point") << QStringLiteral("1.5");
        QTest::newRow("thousands") << QStringLiteral("1.234,5");
        QTest::newRow("trailing garbage") << QStringLiteral("12x");
        QTest::newRow("two commas") << QStringLiteral("1,2,3");
        QTest::newRow("sign only") << QStringLiteral("-");
        QTest::newRow("nan") << QStringLiteral("NAN");
        QTest::newRow("inf") << QStringLiteral("INF");
        QTest::newRow("overflow") << QStringLiteral("1E400");
        QTest::newRow("bare exponent") << QStringLiteral("E5");
    }
    void strToFloat_refuses()
    {
        QFETCH(QString, text);
        try {
            StrToFloat(text);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("\"%1\" nu este un numar valid").arg(text));
        }
    }

    void currToStr_data()
    {
        QTest::addColumn<double>("valoare");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 1234.5 << QStringLiteral("1234,5");
        QTest::newRow("whole") << 2.0 << QStringLiteral("2");
        QTest::newRow("four decimals") << 0.1234 << QStringLiteral("0,1234");
        QTest::newRow("rounded to four") << 0.12345678 << QStringLiteral("0,1235");
        QTest::newRow("negative") << -2.5 << QStringLiteral("-2,5");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    }
    void currToStr()
    {
        QFETCH(double, valoare);
        QFETCH(QString, text);
        QCOMPARE(CurrToStr(valoare), text);
    }

    void currToStr_refusesOutOfRange()
    {
        QVERIFY_THROWS_EXCEPTION(EZel, CurrToStr(1e300));
        QVERIFY_THROWS_EXCEPTION(EZel, CurrToStr(std::numeric_limits<double>::quiet_NaN()));
    }

    void dates_data()
    {
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("text");
        QTest::newRow("5 March 2004") << QDate(2004, 3, 5) << QStringLiteral("05/03/2004");
        QTest::newRow("28 July 2004") << QDate(2004, 7, 28) << QStringLiteral("28/07/2004");
        QTest::newRow("31 December 1999") << QDate(1999, 12, 31) << QStringLiteral("31/12/1999");
    }
    void dates()
    {
        QFETCH(QDate, data);
        QFETCH(QString, text);
        QCOMPARE(DateToStr(data), text);
        QCOMPARE(StrToDate(text), data);
    }

    void dateToStr_nullIsEmpty() { QCOMPARE(DateToStr(QDate()), QString()); }

    void strToDate_shortForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("data");
        // The clock is set to 2026.
        QTest::newRow("single digits") << QStringLiteral("5/3/2004") << QDate(2004, 3, 5);
        QTest::newRow("two-digit year recent") << QStringLiteral("28/07/04") << QDate(2004, 7, 28);
        QTest::newRow("two-digit year past") << QStringLiteral("28/07/80") << QDate(1980, 7, 28);
        QTest::newRow("window start") << QStringLiteral("01/01/76") << QDate(1976, 1, 1);
        QTest::newRow("window end") << QStringLiteral("01/01/75") << QDate(2075, 1, 1);
        QTest::newRow("no year") << QStringLiteral("09/12") << QDate(2026, 12, 9);
        QTest::newRow("blanks") << QStringLiteral(" 1/2/2003 ") << QDate(2003, 2, 1);
        QTest::newRow("blank is null") << QStringLiteral("  ") << QDate();
    }
    void strToDate_shortForms()
    {
        QFETCH(QString, text);
        QFETCH(QDate, data);
        Ceas::Inlocuieste([] { return QDateTime(QDate(2026, 6, 1), QTime(12, 0)); });
        QCOMPARE(StrToDate(text), data);
    }

    void strToDate_refuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("garbage") << QStringLiteral("ieri");
        QTest::newRow("30 February") << QStringLiteral("30/02/2004");
        QTest::newRow("month 13") << QStringLiteral("01/13/2004");
        QTest::newRow("day 0") << QStringLiteral("00/01/2004");
        QTest::newRow("dots") << QStringLiteral("05.03.2004");
        QTest::newRow("four parts") << QStringLiteral("1/2/3/4");
        QTest::newRow("day alone") << QStringLiteral("5");
        QTest::newRow("letters in year") << QStringLiteral("05/03/20x4");
        QTest::newRow("long year") << QStringLiteral("05/03/20040");
        QTest::newRow("empty part") << QStringLiteral("05//2004");
    }
    void strToDate_refuses()
    {
        QFETCH(QString, text);
        try {
            StrToDate(text);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("\"%1\" nu este o data valida").arg(text));
        }
    }

    void qlocaleAgreesAfterStartup()
    {
        QCOMPARE(QLocale().toString(2.5), QStringLiteral("2,5"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        bool ok = true;
        QLocale().toDouble(QStringLiteral("1.500"), &ok);
        QVERIFY(!ok);
    }
};

QTEST_GUILESS_MAIN(TstConventii)
#include "tst_conventii.moc"
