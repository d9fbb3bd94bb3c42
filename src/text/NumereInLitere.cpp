#include "text/NumereInLitere.h"

#include "text/Eroare.h"

#include <array>

namespace {

constexpr std::array<const char *, 10> kCifre = {"ZERO", "UNU", "DOI", "TREI", "PATRU",
                                                 "CINCI", "SASE", "SAPTE", "OPT", "NOUA"};
constexpr std::array<const char *, 10> kCifreFem = {"ZERO", "UNA", "DOUA", "TREI", "PATRU",
                                                    "CINCI", "SASE", "SAPTE", "OPT", "NOUA"};
constexpr std::array<const char *, 10> kZeceLaNouasprezece = {
    "ZECE", "UNSPREZECE", "DOUASPREZECE", "TREISPREZECE", "PATRUSPREZECE",
    "CINCISPREZECE", "SASESPREZECE", "SAPTESPREZECE", "OPTSPREZECE", "NOUASPREZECE"};
// Index = tens digit; 0 and 1 unused.
constexpr std::array<const char *, 10> kZeci = {"", "", "DOUAZECI", "TREIZECI", "PATRUZECI",
                                                "CINCIZECI", "SASEZECI", "SAPTEZECI", "OPTZECI", "NOUAZECI"};
constexpr std::array<const char *, 10> kSute = {"", "UNASUTA", "DOUASUTE", "TREISUTE", "PATRUSUTE",
                                                "CINCISUTE", "SASESUTE", "SAPTESUTE", "OPTSUTE", "NOUASUTE"};

// Grade words carry Ş (U+015E) and Ă (U+0102), bytes 0xAA and 0xC3 in Windows-1250.
const std::array<QString, 11> &CuvinteNota()
{
    static const std::array<QString, 11> t = {
        QString(), QStringLiteral("UNU"), QStringLiteral("DOI"), QStringLiteral("TREI"),
        QStringLiteral("PATRU"), QStringLiteral("CINCI"), QStringLiteral("ŞASE"),
        QStringLiteral("ŞAPTE"), QStringLiteral("OPT"), QStringLiteral("NOUĂ"), QStringLiteral("ZECE")};
    return t;
}

const std::array<QString, 10> &SutimiZeceLaNouasprezece()
{
    // DOUASPREZECE keeps a plain A, as on the printed certificates.
    static const std::array<QString, 10> t = {
        QStringLiteral("ZECE"), QStringLiteral("UNSPREZECE"), QStringLiteral("DOUASPREZECE"),
        QStringLiteral("TREISPREZECE"), QStringLiteral("PATRUSPREZECE"), QStringLiteral("CINCISPREZECE"),
        QStringLiteral("ŞASESPREZECE"), QStringLiteral("ŞAPTESPREZECE"), QStringLiteral("OPTSPREZECE"),
        QStringLiteral("NOUĂSPREZECE")};
    return t;
}

const std::array<QString, 10> &SutimiZeci()
{
    // Sixty is ŞAIZECI here, unlike the cardinal SASEZECI.
    static const std::array<QString, 10> t = {
        QString(), QString(), QStringLiteral("DOUĂZECI"), QStringLiteral("TREIZECI"),
        QStringLiteral("PATRUZECI"), QStringLiteral("CINCIZECI"), QStringLiteral("ŞAIZECI"),
        QStringLiteral("ŞAPTEZECI"), QStringLiteral("OPTZECI"), QStringLiteral("NOUĂZECI")};
    return t;
}

QString Text(const char *s)
{
    return QString::fromLatin1(s);
}

[[noreturn]] void InAfaraIntervalului(qint64 numar, const char *interval)
{
    throw EZel(QStringLiteral("Numarul %1 nu este in intervalul %2").arg(numar).arg(QLatin1String(interval)));
}

QString Cifra(qint64 cifra, bool feminin)
{
    if (cifra < 0 || cifra > 9)
        throw EZel(QStringLiteral("cifrele sunt de la 0 la 9 -> %1").arg(cifra));
    return Text(feminin ? kCifreFem[cifra] : kCifre[cifra]);
}

QString Sub100(qint64 n, bool feminin)
{
    if (n < 0 || n >= 100)
        InAfaraIntervalului(n, "0..99");
    if (n < 10)
        return Cifra(n, feminin);
    if (n < 20)
        return Text(kZeceLaNouasprezece[n - 10]);
    if (n % 10 == 0)
        return Text(kZeci[n / 10]);
    return Text(kZeci[n / 10]) + QStringLiteral("SI") + Cifra(n % 10, feminin);
}

QString Sub1000(qint64 n, bool feminin)
{
    if (n >= 0 && n <= 99)
        return Sub100(n, feminin);
    if (n < 0 || n >= 1000)
        throw EZel(QStringLiteral("Numarul %1 nu se afla in intervalul 0..999").arg(n));
    QString t = Text(kSute[n / 100]);
    if (n % 100 != 0)
        t += Sub100(n % 100, feminin);
    return t;
}

QString SubMilion(qint64 n)
{
    const qint64 m = n / 1000;
    const qint64 r = n % 1000;
    if (m >= 1000)
        InAfaraIntervalului(n, "0..999999");
    if (m == 0)
        return Sub1000(r, false);
    QString t = m == 1 ? QStringLiteral("UNAMIE") : Sub1000(m, true) + QStringLiteral("MII");
    if (r != 0)
        t += Sub1000(r, false);
    return t;
}

QString InLitere(qint64 n)
{
    const qint64 m = n / 1000000;
    const qint64 r = n % 1000000;
    if (m >= 1000)
        throw EZel(QStringLiteral("Numarul %1 >= miliard").arg(n));
    if (m == 0)
        return SubMilion(r);
    QString t = Sub1000(m, true) + QStringLiteral("MILIOANE");
    if (r != 0)
        t += SubMilion(r);
    return t;
}

} // namespace

QString CifraInLitere(int cifra) { return Cifra(cifra, false); }
QString CifraInLitereFem(int cifra) { return Cifra(cifra, true); }
QString NumarSub100InLitere(int numar) { return Sub100(numar, false); }
QString NumarSub100InLitereFem(int numar) { return Sub100(numar, true); }
QString NumarSub1000InLitere(int numar) { return Sub1000(numar, false); }
QString NumarSub1000InLitereFem(int numar) { return Sub1000(numar, true); }
QString NumarSubMilionInLitere(int numar) { return SubMilion(numar); }
QString NumarInLitere(qint32 numar) { return InLitere(numar); }
QString NumarInLitere(qint64 numar) { return InLitere(numar); }

void NumereInLitereIntern::RefuzaMiliard(quint64 numar)
{
    throw EZel(QStringLiteral("Numarul %1 >= miliard").arg(numar));
}

QString NotaInLitere(int notaSutimi, int mod)
{
    const int intreg = notaSutimi / 100;
    // A negative grade is nonsense, but the text must not index past the tables.
    int sutimi = notaSutimi % 100;
    if (sutimi < 0)
        sutimi = -sutimi;
    const int zeci = sutimi / 10;
    const int unitati = sutimi % 10;

    QString w = intreg >= 1 && intreg <= 10 ? CuvinteNota()[intreg] : QString();
    QString p = w;
    bool intreaga = true;
    if (intreg != 10 && sutimi != 0) {
        intreaga = false;
        p = w + QStringLiteral(", ") + QChar(u'0' + zeci) + QChar(u'0' + unitati);
        QString cuvinte;
        if (sutimi < 10)
            cuvinte = QStringLiteral("ZERO") + CuvinteNota()[unitati];
        else if (sutimi < 20)
            cuvinte = SutimiZeceLaNouasprezece()[sutimi - 10];
        else if (unitati == 0)
            cuvinte = SutimiZeci()[zeci];
        else
            cuvinte = SutimiZeci()[zeci] + QStringLiteral("ŞI") + CuvinteNota()[unitati];
        w = w + QStringLiteral(", ") + cuvinte;
    }
    switch (mod) {
    case 1: return QStringLiteral("(") + w + QStringLiteral(")");
    case 2: return QStringLiteral("(") + p + QStringLiteral(")");
    case 3: return QStringLiteral("(") + p + (intreaga ? QStringLiteral(")") : QStringLiteral("%)"));
    default: return QString();
    }
}

QString NumarCuZecimale(int zecimale, qint64 valoare)
{
    const bool negativ = valoare < 0;
    // Unsigned, so that the most negative value has an absolute value too.
    const quint64 a = negativ ? 0 - quint64(valoare) : quint64(valoare);
    const QString cifre = QString::number(a / 10000);
    QString t;
    t.reserve(cifre.size() + cifre.size() / 3 + 6);
    for (qsizetype i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0)
            t += QLatin1Char('.');
        t += cifre.at(i);
    }
    if (zecimale > 0) {
        const QString f = QString::number(a % 10000).rightJustified(4, QLatin1Char('0'));
        t += QLatin1Char(',') + f.left(zecimale);
    }
    return negativ ? QStringLiteral("-") + t : t;
}
