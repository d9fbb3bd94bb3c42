#include "text/CodePage1250.h"
#include "text/Eroare.h"
#include "text/NumereInLitere.h"

#include <QRegularExpression>
#include <QtTest>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>

namespace {

enum class Functie { Cifra, CifraFem, Sub100, Sub100Fem, Sub1000, Sub1000Fem, SubMilion, Numar, Numar64 };

QString Cheama(Functie f, qint64 n)
{
    switch (f) {
    case Functie::Cifra: return CifraInLitere(int(n));
    case Functie::CifraFem: return CifraInLitereFem(int(n));
    case Functie::Sub100: return NumarSub100InLitere(int(n));
    case Functie::Sub100Fem: return NumarSub100InLitereFem(int(n));
    case Functie::Sub1000: return NumarSub1000InLitere(int(n));
    case Functie::Sub1000Fem: return NumarSub1000InLitereFem(int(n));
    case Functie::SubMilion: return NumarSubMilionInLitere(int(n));
    case Functie::Numar: return NumarInLitere(qint32(n));
    case Functie::Numar64: return NumarInLitere(qint64(n));
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Functie)

class TstNumereInLitere : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numarInLitere_data()
    {
        QTest::addColumn<int>("numar");
        QTest::addColumn<QString>("litere");
        QTest::newRow("0") << 0 << "ZERO";
        QTest::newRow("7") << 7 << "SAPTE";
        QTest::newRow("10") << 10 << "ZECE";
        QTest::newRow("12") << 12 << "DOUASPREZECE";
        QTest::newRow("19") << 19 << "NOUASPREZECE";
        QTest::newRow("20") << 20 << "DOUAZECI";
        QTest::newRow("21") << 21 << "DOUAZECISIUNU";
        QTest::newRow("22") << 22 << "DOUAZECISIDOI";
        QTest::newRow("60") << 60 << "SASEZECI";
        QTest::newRow("66") << 66 << "SASEZECISISASE";
        QTest::newRow("99") << 99 << "NOUAZECISINOUA";
        QTest::newRow("100") << 100 << "UNASUTA";
        QTest::newRow("101") << 101 << "UNASUTAUNU";
        QTest::newRow("150") << 150 << "UNASUTACINCIZECI";
        QTest::newRow("200") << 200 << "DOUASUTE";
        QTest::newRow("912") << 912 << "NOUASUTEDOUASPREZECE";
        QTest::newRow("1000") << 1000 << "UNAMIE";
        QTest::newRow("1001") << 1001 << "UNAMIEUNU";
        QTest::newRow("1100") << 1100 << "UNAMIEUNASUTA";
        QTest::newRow("2000") << 2000 << "DOUAMII";
        QTest::newRow("2351") << 2351 << "DOUAMIITREISUTECINCIZECISIUNU";
        QTest::newRow("12 000") << 12000 << "DOUASPREZECEMII";
        QTest::newRow("21 000") << 21000 << "DOUAZECISIUNAMII";
        QTest::newRow("101 001") << 101001 << "UNASUTAUNAMIIUNU";
        QTest::newRow("1 000 000") << 1000000 << "UNAMILIOANE";
        QTest::newRow("1 001 000") << 1001000 << "UNAMILIOANEUNAMIE";
        QTest::newRow("2 000 005") << 2000005 << "DOUAMILIOANECINCI";
        QTest::newRow("22 002 002") << 22002002 << "DOUAZECISIDOUAMILIOANEDOUAMIIDOI";
        QTest::newRow("999 999 999") << 999999999
                                     << "NOUASUTENOUAZECISINOUAMILIOANENOUASUTENOUAZECISINOUAMIINOUASUTENOUAZECISINOUA";
    }
    void numarInLitere()
    {
        QFETCH(int, numar);
        QFETCH(QString, litere);
        QCOMPARE(NumarInLitere(numar), litere);
        QCOMPARE(NumarInLitere(qint64(numar)), litere);
        // std::int64_t is not qint64 on every platform; unsigned values must not be ambiguous.
        QCOMPARE(NumarInLitere(std::int64_t(numar)), litere);
        QCOMPARE(NumarInLitere(unsigned(numar)), litere);
        QCOMPARE(NumarInLitere(std::size_t(numar)), litere);
    }

    void numarInLitere_otherIntegerTypesRefused_data()
    {
        QTest::addColumn<QString>("mesaj");
        QTest::addColumn<QString>("primit");
        const auto mesajul = [](auto n) {
            try {
                return QStringLiteral("no error, got ") + NumarInLitere(n);
            } catch (const EZel &e) {
                return e.Mesaj();
            }
        };
        QTest::newRow("int64_t billion") << "Numarul 1000000000 >= miliard" << mesajul(std::int64_t(1000000000));
        QTest::newRow("int64_t negative") << "Numarul -5 nu se afla in intervalul 0..999" << mesajul(std::int64_t(-5));
        QTest::newRow("unsigned billion") << "Numarul 1000000000 >= miliard" << mesajul(1000000000u);
        QTest::newRow("unsigned past int") << "Numarul 3000000000 >= miliard" << mesajul(3000000000u);
        QTest::newRow("uint64 max") << "Numarul 18446744073709551615 >= miliard"
                                    << mesajul(std::numeric_limits<std::uint64_t>::max());
    }
    void numarInLitere_otherIntegerTypesRefused()
    {
        QFETCH(QString, mesaj);
        QFETCH(QString, primit);
        QCOMPARE(primit, mesaj);
    }

    void genders_data()
    {
        QTest::addColumn<Functie>("functie");
        QTest::addColumn<int>("numar");
        QTest::addColumn<QString>("litere");
        QTest::newRow("digit 1") << Functie::Cifra << 1 << "UNU";
        QTest::newRow("digit 2") << Functie::Cifra << 2 << "DOI";
        QTest::newRow("digit fem 0") << Functie::CifraFem << 0 << "ZERO";
        QTest::newRow("digit fem 1") << Functie::CifraFem << 1 << "UNA";
        QTest::newRow("digit fem 2") << Functie::CifraFem << 2 << "DOUA";
        QTest::newRow("digit fem 9") << Functie::CifraFem << 9 << "NOUA";
        QTest::newRow("sub100 fem 1") << Functie::Sub100Fem << 1 << "UNA";
        QTest::newRow("sub100 fem 2") << Functie::Sub100Fem << 2 << "DOUA";
        QTest::newRow("sub100 fem 12") << Functie::Sub100Fem << 12 << "DOUASPREZECE";
        QTest::newRow("sub100 fem 22") << Functie::Sub100Fem << 22 << "DOUAZECISIDOUA";
        QTest::newRow("sub100 fem 31") << Functie::Sub100Fem << 31 << "TREIZECISIUNA";
        QTest::newRow("sub100 21") << Functie::Sub100 << 21 << "DOUAZECISIUNU";
        QTest::newRow("sub1000 fem 1") << Functie::Sub1000Fem << 1 << "UNA";
        QTest::newRow("sub1000 fem 2") << Functie::Sub1000Fem << 2 << "DOUA";
        QTest::newRow("sub1000 fem 102") << Functie::Sub1000Fem << 102 << "UNASUTADOUA";
        QTest::newRow("sub1000 102") << Functie::Sub1000 << 102 << "UNASUTADOI";
        QTest::newRow("sub1000 300") << Functie::Sub1000 << 300 << "TREISUTE";
        QTest::newRow("sub-million 999 999") << Functie::SubMilion << 999999 << "NOUASUTENOUAZECISINOUAMIINOUASUTENOUAZECISINOUA";
    }
    void genders()
    {
        QFETCH(Functie, functie);
        QFETCH(int, numar);
        QFETCH(QString, litere);
        QCOMPARE(Cheama(functie, numar), litere);
    }

    void rangeMessages_data()
    {
        QTest::addColumn<Functie>("functie");
        QTest::addColumn<qint64>("numar");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("digit 10") << Functie::Cifra << qint64(10) << "cifrele sunt de la 0 la 9 -> 10";
        QTest::newRow("digit fem -1") << Functie::CifraFem << qint64(-1) << "cifrele sunt de la 0 la 9 -> -1";
        QTest::newRow("sub100 100") << Functie::Sub100 << qint64(100) << "Numarul 100 nu este in intervalul 0..99";
        QTest::newRow("sub100 fem -3") << Functie::Sub100Fem << qint64(-3) << "Numarul -3 nu este in intervalul 0..99";
        QTest::newRow("sub1000 1000") << Functie::Sub1000 << qint64(1000) << "Numarul 1000 nu se afla in intervalul 0..999";
        QTest::newRow("sub1000 fem -1") << Functie::Sub1000Fem << qint64(-1) << "Numarul -1 nu se afla in intervalul 0..999";
        QTest::newRow("sub-million 1 000 000") << Functie::SubMilion << qint64(1000000)
                                               << "Numarul 1000000 nu este in intervalul 0..999999";
        QTest::newRow("sub-million -5") << Functie::SubMilion << qint64(-5) << "Numarul -5 nu se afla in intervalul 0..999";
        QTest::newRow("sub-million -5000") << Functie::SubMilion << qint64(-5000)
                                           << "Numarul -5 nu se afla in intervalul 0..999";
        QTest::newRow("billion") << Functie::Numar << qint64(1000000000) << "Numarul 1000000000 >= miliard";
        QTest::newRow("int max") << Functie::Numar << qint64(std::numeric_limits<qint32>::max())
                                 << "Numarul 2147483647 >= miliard";
        QTest::newRow("-1") << Functie::Numar << qint64(-1) << "Numarul -1 nu se afla in intervalul 0..999";
        QTest::newRow("-999 named whole") << Functie::Numar << qint64(-999) << "Numarul -999 nu se afla in intervalul 0..999";
        QTest::newRow("-1000 names thousands") << Functie::Numar << qint64(-1000)
                                               << "Numarul -1 nu se afla in intervalul 0..999";
        QTest::newRow("-2 000 000 names millions") << Functie::Numar << qint64(-2000000)
                                                   << "Numarul -2 nu se afla in intervalul 0..999";
        QTest::newRow("int min") << Functie::Numar << qint64(std::numeric_limits<qint32>::min())
                                 << "Numarul -2147 nu se afla in intervalul 0..999";
        // The 64-bit entry names the whole value instead of spelling its low 32 bits.
        QTest::newRow("64-bit billion") << Functie::Numar64 << qint64(1000000000) << "Numarul 1000000000 >= miliard";
        QTest::newRow("64-bit 2^32+5") << Functie::Numar64 << qint64(4294967301LL) << "Numarul 4294967301 >= miliard";
        QTest::newRow("64-bit 5e9") << Functie::Numar64 << qint64(5000000000LL) << "Numarul 5000000000 >= miliard";
        QTest::newRow("64-bit max") << Functie::Numar64 << std::numeric_limits<qint64>::max()
                                    << "Numarul 9223372036854775807 >= miliard";
        QTest::newRow("64-bit -2^32") << Functie::Numar64 << qint64(-4294967296LL)
                                      << "Numarul -4294 nu se afla in intervalul 0..999";
    }
    void rangeMessages()
    {
        QFETCH(Functie, functie);
        QFETCH(qint64, numar);
        QFETCH(QString, mesaj);
        try {
            const QString t = Cheama(functie, numar);
            QFAIL(qPrintable(QStringLiteral("no error, got ") + t));
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
    }

    void numarInLitere_wholeRangeInSteps()
    {
        static const QRegularExpression doarMajuscule(QStringLiteral("^[A-Z]+$"));
        int verificate = 0;
        const auto verifica = [&](qint32 n) {
            QString t;
            try {
                t = NumarInLitere(n);
            } catch (const EZel &e) {
                QFAIL(qPrintable(QStringLiteral("%1: %2").arg(n).arg(e.Mesaj())));
            }
            // Plain ASCII capitals, and ZERO only for zero itself.
            if (!doarMajuscule.match(t).hasMatch() || (n != 0 && t.contains(QLatin1String("ZERO"))))
                QFAIL(qPrintable(QStringLiteral("%1 -> \"%2\"").arg(n).arg(t)));
            ++verificate;
        };
        for (qint32 n = 0; n < 1000000000; n += 7919)
            verifica(n);
        for (qint32 n : {1, 999, 1000, 999999, 1000000, 999999999})
            verifica(n);
        QVERIFY(verificate > 100000);
    }

    void notaInLitere_data()
    {
        QTest::addColumn<int>("nota");
        QTest::addColumn<int>("mod");
        QTest::addColumn<QString>("text");
        QTest::newRow("963 words") << 963 << 1 << QStringLiteral("(NOUĂ, ŞAIZECIŞITREI)");
        QTest::newRow("963 digits") << 963 << 2 << QStringLiteral("(NOUĂ, 63)");
        QTest::newRow("963 percent") << 963 << 3 << QStringLiteral("(NOUĂ, 63%)");
        QTest::newRow("900 words") << 900 << 1 << QStringLiteral("(NOUĂ)");
        QTest::newRow("900 digits") << 900 << 2 << QStringLiteral("(NOUĂ)");
        QTest::newRow("900 percent") << 900 << 3 << QStringLiteral("(NOUĂ)");
        QTest::newRow("905 words") << 905 << 1 << QStringLiteral("(NOUĂ, ZEROCINCI)");
        QTest::newRow("905 digits") << 905 << 2 << QStringLiteral("(NOUĂ, 05)");
        QTest::newRow("905 percent") << 905 << 3 << QStringLiteral("(NOUĂ, 05%)");
        QTest::newRow("906 words") << 906 << 1 << QStringLiteral("(NOUĂ, ZEROŞASE)");
        QTest::newRow("909 words") << 909 << 1 << QStringLiteral("(NOUĂ, ZERONOUĂ)");
        QTest::newRow("910 words") << 910 << 1 << QStringLiteral("(NOUĂ, ZECE)");
        QTest::newRow("910 percent") << 910 << 3 << QStringLiteral("(NOUĂ, 10%)");
        QTest::newRow("912 words") << 912 << 1 << QStringLiteral("(NOUĂ, DOUASPREZECE)");
        QTest::newRow("916 words") << 916 << 1 << QStringLiteral("(NOUĂ, ŞASESPREZECE)");
        QTest::newRow("919 words") << 919 << 1 << QStringLiteral("(NOUĂ, NOUĂSPREZECE)");
        QTest::newRow("960 words") << 960 << 1 << QStringLiteral("(NOUĂ, ŞAIZECI)");
        QTest::newRow("966 words") << 966 << 1 << QStringLiteral("(NOUĂ, ŞAIZECIŞIŞASE)");
        QTest::newRow("570 words") << 570 << 1 << QStringLiteral("(CINCI, ŞAPTEZECI)");
        QTest::newRow("599 words") << 599 << 1 << QStringLiteral("(CINCI, NOUĂZECIŞINOUĂ)");
        QTest::newRow("521 words") << 521 << 1 << QStringLiteral("(CINCI, DOUĂZECIŞIUNU)");
        QTest::newRow("622 words") << 622 << 1 << QStringLiteral("(ŞASE, DOUĂZECIŞIDOI)");
        QTest::newRow("750 words") << 750 << 1 << QStringLiteral("(ŞAPTE, CINCIZECI)");
        QTest::newRow("845 words") << 845 << 1 << QStringLiteral("(OPT, PATRUZECIŞICINCI)");
        QTest::newRow("138 words") << 138 << 1 << QStringLiteral("(UNU, TREIZECIŞIOPT)");
        QTest::newRow("1000 words") << 1000 << 1 << QStringLiteral("(ZECE)");
        QTest::newRow("1000 digits") << 1000 << 2 << QStringLiteral("(ZECE)");
        QTest::newRow("1000 percent") << 1000 << 3 << QStringLiteral("(ZECE)");
        QTest::newRow("1050 words") << 1050 << 1 << QStringLiteral("(ZECE)");
        QTest::newRow("1050 digits") << 1050 << 2 << QStringLiteral("(ZECE)");
        QTest::newRow("1050 percent") << 1050 << 3 << QStringLiteral("(ZECE)");
        QTest::newRow("50 no whole word") << 50 << 1 << QStringLiteral("(, CINCIZECI)");
        QTest::newRow("1150 no whole word") << 1150 << 2 << QStringLiteral("(, 50)");
        QTest::newRow("mode 0") << 963 << 0 << QString();
        QTest::newRow("mode 4") << 963 << 4 << QString();
    }
    void notaInLitere()
    {
        QFETCH(int, nota);
        QFETCH(int, mod);
        QFETCH(QString, text);
        QCOMPARE(NotaInLitere(nota, mod), text);
    }

    void notaInLitere_lettersAreStorable()
    {
        // Grade words carry Ş and Ă (1250 bytes AA and C3); nothing else beyond ASCII.
        QCOMPARE(Cp1250::Codifica(NotaInLitere(963, 1)), QByteArray("(NOU\xC3, \xAA" "AIZECI\xAA" "ITREI)"));
        static const QRegularExpression permis(QStringLiteral("^\\([A-ZĂŞ]*(, ([A-ZĂŞ]+|[0-9]{2}%?))?\\)$"));
        for (int nota = 100; nota <= 1000; ++nota)
            for (int mod = 1; mod <= 3; ++mod) {
                const QString t = NotaInLitere(nota, mod);
                if (!permis.match(t).hasMatch() || t.size() < 5)
                    QFAIL(qPrintable(QStringLiteral("%1 mode %2 -> %3").arg(nota).arg(mod).arg(t)));
            }
    }

    void notaInLitere_negativeDoesNotBreak()
    {
        QCOMPARE(NotaInLitere(-963, 2), QStringLiteral("(, 63)"));
        QCOMPARE(NotaInLitere(std::numeric_limits<int>::min(), 1).isEmpty(), false);
    }

    void numarCuZecimale_data()
    {
        QTest::addColumn<int>("zecimale");
        QTest::addColumn<qint64>("valoare");
        QTest::addColumn<QString>("text");
        QTest::newRow("10,00") << 2 << qint64(100000) << "10,00";
        QTest::newRow("truncated 9,63") << 2 << qint64(96350) << "9,63";
        QTest::newRow("truncated 9,99") << 2 << qint64(99999) << "9,99";
        QTest::newRow("no decimals drops fraction") << 0 << qint64(96300) << "9";
        QTest::newRow("no decimals never rounds") << 0 << qint64(99999) << "9";
        QTest::newRow("four decimals") << 4 << qint64(96300) << "9,6300";
        QTest::newRow("more than four") << 6 << qint64(96300) << "9,6300";
        QTest::newRow("one decimal") << 1 << qint64(96300) << "9,6";
        QTest::newRow("negative") << 2 << qint64(-15000) << "-1,50";
        QTest::newRow("below one") << 2 << qint64(5000) << "0,50";
        QTest::newRow("smallest") << 4 << qint64(1) << "0,0001";
        QTest::newRow("zero") << 0 << qint64(0) << "0";
        QTest::newRow("grade 963") << 2 << qint64(9630000) << "963,00";
        QTest::newRow("thousand") << 0 << qint64(10000000) << "1.000";
        QTest::newRow("hundred thousand") << 0 << qint64(1000000000) << "100.000";
        QTest::newRow("grouped") << 2 << qint64(12345678900LL) << "1.234.567,89";
        QTest::newRow("negative grouped") << 2 << qint64(-12345678900LL) << "-1.234.567,89";
        QTest::newRow("negative count") << -1 << qint64(96300) << "9";
        QTest::newRow("most negative") << 4 << std::numeric_limits<qint64>::min() << "-922.337.203.685.477,5808";
        QTest::newRow("largest") << 4 << std::numeric_limits<qint64>::max() << "922.337.203.685.477,5807";
    }
    void numarCuZecimale()
    {
        QFETCH(int, zecimale);
        QFETCH(qint64, valoare);
        QFETCH(QString, text);
        QCOMPARE(NumarCuZecimale(zecimale, valoare), text);
    }
};

QTEST_GUILESS_MAIN(TstNumereInLitere)
#include "tst_numereinlitere.moc"
