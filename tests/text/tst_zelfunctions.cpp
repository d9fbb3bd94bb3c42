#include "text/Conventii.h"
#include "text/Eroare.h"
#include "text/NumereInLitere.h"
#include "text/ScriptFunctii.h"
#include "text/ZelFunctions.h"

#include <QDateTime>
#include <QLocale>
#include <QtTest>

using ScriptFunctii::ApeleazaFunctia;

class TstZelFunctions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        InitializeazaTextul();
        InitializeazaTextul(); // start-up may run twice in tests: still one module
    }

    void declarations()
    {
        const QList<ScriptFunctii::TDeclaratieFunctie> d = ScriptFunctii::Declaratii();
        QCOMPARE(d.size(), 3);
        QCOMPARE(d.at(0).Declaratie, QStringLiteral("function CurrencyToRoStr(Value:Variant): string"));
        QCOMPARE(d.at(0).Descriere, QStringLiteral(" Scrie frumos si romaneste un numar"));
        QCOMPARE(d.at(1).Declaratie, QStringLiteral("function DateToRoStrScurt(Value:Variant): string"));
        QCOMPARE(d.at(1).Descriere, QStringLiteral(" Scrie data calendaristica in format scurt (28/07/04)"));
        QCOMPARE(d.at(2).Declaratie, QStringLiteral("function DateToRoStrLung(Value:Variant): string"));
        QCOMPARE(d.at(2).Descriere, QStringLiteral(" Scrie data calendaristica in format lung (28 iulie 2004)"));
        for (const auto &x : d)
            QCOMPARE(x.Categorie, QStringLiteral("ZEL"));
        QCOMPARE(d.at(1).Nume(), QStringLiteral("DateToRoStrScurt"));
    }

    void calls_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QVariant>("argument");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("currency 0") << "CurrencyToRoStr" << QVariant(0.0) << "0,00";
        QTest::newRow("currency -2.5") << "CurrencyToRoStr" << QVariant(-2.5) << "-2,50";
        QTest::newRow("currency truncated") << "CurrencyToRoStr" << QVariant(1234567.891) << "1.234.567,89";
        QTest::newRow("currency 1234.5") << "CurrencyToRoStr" << QVariant(1234.5) << "1.234,50";
        QTest::newRow("currency 9.63 not 9,62") << "CurrencyToRoStr" << QVariant(9.63) << "9,63";
        QTest::newRow("currency integer") << "CurrencyToRoStr" << QVariant(42) << "42,00";
        QTest::newRow("currency fixed point") << "CurrencyToRoStr" << QVariant::fromValue(TMoneda{96350}) << "9,63";
        QTest::newRow("currency text") << "CurrencyToRoStr" << QVariant(QStringLiteral("1,5")) << "1,50";
        QTest::newRow("currency null") << "CurrencyToRoStr" << QVariant() << "";
        QTest::newRow("upper-case name") << "CURRENCYTOROSTR" << QVariant(1.0) << "1,00";
        QTest::newRow("lower-case name") << "currencytorostr" << QVariant(1.0) << "1,00";
        QTest::newRow("short date") << "DateToRoStrScurt" << QVariant(QDate(2004, 3, 5)) << "05/03/04";
        QTest::newRow("long date") << "DateToRoStrLung" << QVariant(QDate(2004, 3, 5)) << "5 martie 2004";
        QTest::newRow("long date of date-time") << "DateToRoStrLung" << QVariant(QDateTime(QDate(2004, 7, 28), QTime(23, 59)))
                                                << "28 iulie 2004";
        QTest::newRow("short date of text") << "DateToRoStrScurt" << QVariant(QStringLiteral("28/07/2004")) << "28/07/04";
        QTest::newRow("date of day number") << "DateToRoStrScurt" << QVariant(38196.75) << "28/07/04";
        QTest::newRow("short date null") << "DateToRoStrScurt" << QVariant() << "";
        QTest::newRow("long date null") << "DateToRoStrLung" << QVariant() << "";
        QTest::newRow("unknown") << "Foo" << QVariant(1) << "FOO?";
    }
    void calls()
    {
        QFETCH(QString, nume);
        QFETCH(QVariant, argument);
        QFETCH(QString, rezultat);
        QCOMPARE(ApeleazaFunctia(nume, {argument}).toString(), rezultat);
    }

    void moduleAnswersUnknownNames()
    {
        TZelFunctions m;
        QCOMPARE(m.Apeleaza(QStringLiteral("BAR"), {QVariant(1)}).toString(), QStringLiteral("BAR?"));
        QCOMPARE(m.Apeleaza(QStringLiteral("CURRENCYTOROSTR"), {}).toString(), QString());
        QCOMPARE(m.Apeleaza(QStringLiteral("DateToRoStrLung"), {QDate(2004, 7, 28)}).toString(),
                 QStringLiteral("28 iulie 2004"));
    }

    void calls_refuseWhatIsNotANumberOrDate_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QVariant>("argument");
        QTest::newRow("currency of garbage") << "CurrencyToRoStr" << QVariant(QStringLiteral("abc"));
        QTest::newRow("currency too large") << "CurrencyToRoStr" << QVariant(1e300);
        QTest::newRow("currency of a date") << "CurrencyToRoStr" << QVariant(QDate(2004, 1, 1));
        QTest::newRow("date of garbage") << "DateToRoStrLung" << QVariant(QStringLiteral("ieri"));
        QTest::newRow("date of blank text") << "DateToRoStrLung" << QVariant(QStringLiteral(" "));
        QTest::newRow("date of huge number") << "DateToRoStrScurt" << QVariant(1e300);
    }
    void calls_refuseWhatIsNotANumberOrDate()
    {
        QFETCH(QString, nume);
        QFETCH(QVariant, argument);
        try {
            ApeleazaFunctia(nume, {argument});
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY(!e.Mesaj().isEmpty());
        }
    }

    void secondModuleOfSameNameRefused()
    {
        QVERIFY_THROWS_EXCEPTION(EZel, ScriptFunctii::InregistreazaModul(std::make_unique<TZelFunctions>()));
        QCOMPARE(ScriptFunctii::Declaratii().size(), 3);
    }

    void display_data()
    {
        QTest::addColumn<QVariant>("valoare");
        QTest::addColumn<QString>("text");
        QTest::newRow("null") << QVariant() << "";
        QTest::newRow("double") << QVariant(3.14159) << "3,14";
        QTest::newRow("double grouped") << QVariant(1234567.891) << "1.234.567,89";
        QTest::newRow("double 9.63") << QVariant(9.63) << "9,63";
        QTest::newRow("negative double") << QVariant(-0.5) << "-0,50";
        QTest::newRow("float") << QVariant(2.5f) << "2,50";
        QTest::newRow("currency") << QVariant::fromValue(TMoneda{12345678900LL}) << "1.234.567,89";
        QTest::newRow("huge double") << QVariant(1e300) << "1E300";
        QTest::newRow("integer") << QVariant(42) << "42";
        QTest::newRow("int64") << QVariant(qint64(-7)) << "-7";
        QTest::newRow("text") << QVariant(QStringLiteral("Ionescu")) << "Ionescu";
        QTest::newRow("date") << QVariant(QDate(2004, 7, 28)) << "28/07/2004";
    }
    void display()
    {
        QFETCH(QVariant, valoare);
        QFETCH(QString, text);
        QCOMPARE(TextAfisareRaport(valoare), text);
    }

    void platformConversionsAfterStartup()
    {
        QCOMPARE(QLocale().toString(2.5), QStringLiteral("2,5"));
        QCOMPARE(Conventii::FloatToStr(2.5), QStringLiteral("2,5"));
        QCOMPARE(Conventii::DateToStr(QDate(2004, 3, 5)), QStringLiteral("05/03/2004"));
    }
};

QTEST_GUILESS_MAIN(TstZelFunctions)
#include "tst_zelfunctions.moc"
