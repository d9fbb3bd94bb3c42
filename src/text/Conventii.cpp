#include "text/Conventii.h"

#include "text/Ceas.h"
#include "text/Eroare.h"
#include "text/ZelFunctions.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace Conventii {

TSetariFormat TSetariFormat::Romanesti()
{
    TSetariFormat s;
    s.SimbolMoneda = QString();
    s.FormatMoneda = 0;
    s.FormatMonedaNegativ = 1;
    s.SeparatorMii = QLatin1Char('.');
    s.SeparatorZecimal = QLatin1Char(',');
    s.ZecimaleMoneda = 2;
    s.SeparatorData = QLatin1Char('/');
    s.FormatDataScurta = QStringLiteral("dd/mm/yyyy");
    s.FormatDataLunga = QStringLiteral("dd/mm/yyyy");
    s.SeparatorOra = QLatin1Char(':');
    s.SimbolAM = QStringLiteral("AM");
    s.SimbolPM = QStringLiteral("PM");
    s.FormatOraScurta = QStringLiteral("hh:nn");
    s.FormatOraLunga = QStringLiteral("hh:nn:ss");
    s.SeparatorLista = QLatin1Char(',');
    s.LuniScurte = {QStringLiteral("Ian"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                    QStringLiteral("Mai"), QStringLiteral("Iun"), QStringLiteral("Iul"), QStringLiteral("Aug"),
                    QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    s.LuniLungi = {QStringLiteral("Ianuarie"), QStringLiteral("Februarie"), QStringLiteral("Martie"),
                   QStringLiteral("Aprilie"), QStringLiteral("Mai"), QStringLiteral("Iunie"),
                   QStringLiteral("Iulie"), QStringLiteral("August"), QStringLiteral("Septembrie"),
                   QStringLiteral("Octombrie"), QStringLiteral("Noiembrie"), QStringLiteral("Decembrie")};
    s.ZileScurte = {QStringLiteral("Du"), QStringLiteral("Lu"), QStringLiteral("Ma"), QStringLiteral("Mi"),
                    QStringLiteral("Jo"), QStringLiteral("Vi"), QStringLiteral("Sb")};
    // "Dumunica" is the name the program has always shown; kept as it is.
    s.ZileLungi = {QStringLiteral("Dumunica"), QStringLiteral("Luni"), QStringLiteral("Marti"),
                   QStringLiteral("Miercuri"), QStringLiteral("Joi"), QStringLiteral("Vineri"),
                   QStringLiteral("Sambata")};
    return s;
}

namespace {

TSetariFormat &Setari()
{
    static TSetariFormat setari = TSetariFormat::Romanesti();
    return setari;
}

[[noreturn]] void NuEsteNumar(const QString &text)
{
    throw EZel(QStringLiteral("\"%1\" nu este un numar valid").arg(text));
}

[[noreturn]] void NuEsteData(const QString &text)
{
    throw EZel(QStringLiteral("\"%1\" nu este o data valida").arg(text));
}

} // namespace

const TSetariFormat &SetariFormat()
{
    return Setari();
}

void AplicaConventiileRomanesti()
{
    // The report functions belong to the same start-up step and come first; start-up
    // code that only knows this call still gets them.
    InregistreazaFunctiileZel();
    Setari() = TSetariFormat::Romanesti();
    // Qt widgets and QLocale() conversions then agree with the functions here: a decimal
    // comma and no thousands grouping, so "1.500" is never read as fifteen hundred.
    QLocale ro(QLocale::Romanian, QLocale::Romania);
    ro.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    QLocale::setDefault(ro);
}

QString FloatToStr(double valoare)
{
    if (std::isnan(valoare))
        return QStringLiteral("NAN");
    if (std::isinf(valoare))
        return valoare > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (valoare == 0)
        return QStringLiteral("0"); // also for -0
    QString t = QString::number(valoare, 'g', 15);
    QString exponent;
    const qsizetype e = t.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString ex = t.mid(e + 1);
        t.truncate(e);
        bool negativ = false;
        if (ex.startsWith(QLatin1Char('+')) || ex.startsWith(QLatin1Char('-'))) {
            negativ = ex.at(0) == QLatin1Char('-');
            ex.remove(0, 1);
        }
        while (ex.size() > 1 && ex.at(0) == QLatin1Char('0'))
            ex.remove(0, 1);
        exponent = QStringLiteral("E") + (negativ ? QStringLiteral("-") : QString()) + ex;
    }
    t.replace(QLatin1Char('.'), SetariFormat().SeparatorZecimal);
    return t + exponent;
}

double StrToFloat(const QString &text)
{
    const QString t = text.trimmed();
    // The pattern depends on the decimal separator only: compiled again when it changes.
    thread_local QChar separator;
    thread_local QRegularExpression re;
    if (re.pattern().isEmpty() || separator != SetariFormat().SeparatorZecimal) {
        separator = SetariFormat().SeparatorZecimal;
        const QString zec = QRegularExpression::escape(QString(separator));
        re.setPattern(QStringLiteral("^[+-]?(?:[0-9]+(?:%1[0-9]*)?|%1[0-9]+)(?:[eE][+-]?[0-9]+)?$").arg(zec));
    }
    if (!re.match(t).hasMatch())
        NuEsteNumar(text);
    QString c = t;
    c.replace(SetariFormat().SeparatorZecimal, QLatin1Char('.'));
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        NuEsteNumar(text);
    return v;
}

qint64 ZeciMiimiDeMoneda(double valoare)
{
    // Currency holds an int64 of ten-thousandths.
    constexpr double kMaxim = 9223372036854775807.0;
    const double scalat = valoare * 10000.0;
    if (!std::isfinite(scalat) || std::fabs(scalat) >= kMaxim)
        throw EZel(QStringLiteral("Valoarea %1 nu se incadreaza in domeniul unei sume de bani").arg(FloatToStr(valoare)));
    return std::llrint(scalat);
}

QString CurrToStr(double valoare)
{
    const qint64 v = ZeciMiimiDeMoneda(valoare);
    const bool negativ = v < 0;
    const quint64 a = negativ ? 0 - quint64(v) : quint64(v);
    QString rezultat = QString::number(a / 10000);
    QString f = QString::number(a % 10000).rightJustified(4, QLatin1Char('0'));
    while (!f.isEmpty() && f.endsWith(QLatin1Char('0')))
        f.chop(1);
    if (!f.isEmpty())
        rezultat += SetariFormat().SeparatorZecimal + f;
    return negativ ? QStringLiteral("-") + rezultat : rezultat;
}

QString DateToStr(const QDate &data)
{
    if (!data.isValid())
        return QString();
    const QChar sep = SetariFormat().SeparatorData;
    const QLatin1Char zero('0');
    return QStringLiteral("%1%2%3%2%4")
        .arg(data.day(), 2, 10, zero)
        .arg(sep)
        .arg(data.month(), 2, 10, zero)
        .arg(data.year(), 4, 10, zero);
}

QDate StrToDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QDate();
    const QStringList parti = t.split(SetariFormat().SeparatorData);
    if (parti.size() < 2 || parti.size() > 3)
        NuEsteData(text);
    static const QRegularExpression cifre(QStringLiteral("^[0-9]+$"));
    for (const QString &p : parti)
        if (!cifre.match(p).hasMatch())
            NuEsteData(text);
    if (parti.at(0).size() > 2 || parti.at(1).size() > 2)
        NuEsteData(text);
    const int zi = parti.at(0).toInt();
    const int luna = parti.at(1).toInt();
    const int anCurent = Ceas::Acum().date().year();
    int an = anCurent;
    if (parti.size() == 3) {
        const QString &a = parti.at(2);
        if (a.size() > 4)
            NuEsteData(text);
        an = a.toInt();
        if (a.size() <= 2) {
            // Two digits: the year within the hundred years that start 50 years ago.
            const int inceput = anCurent - 50;
            an += inceput / 100 * 100;
            if (an < inceput)
                an += 100;
        }
    }
    const QDate d(an, luna, zi);
    if (!d.isValid() || an < 1)
        NuEsteData(text);
    return d;
}

} // namespace Conventii
