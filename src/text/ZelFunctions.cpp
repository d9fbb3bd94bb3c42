#include "text/ZelFunctions.h"

#include "text/Conventii.h"
#include "text/Eroare.h"
#include "text/NumereInLitere.h"
#include "text/TextRo.h"

#include <QDateTime>

#include <cmath>

namespace {

bool EsteNul(const QVariant &v)
{
    return !v.isValid() || v.isNull();
}

bool EsteReal(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

bool EsteIntreg(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool EsteText(const QVariant &v)
{
    const int id = v.metaType().id();
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar;
}

[[noreturn]] void PreaMare(const QString &text)
{
    throw EZel(QStringLiteral("Valoarea %1 nu se incadreaza in domeniul unei sume de bani").arg(text));
}

} // namespace

QString TZelFunctions::NumeModul() const
{
    return QStringLiteral("TZelFunctions");
}

QList<ScriptFunctii::TDeclaratieFunctie> TZelFunctions::Declaratii() const
{
    const QString zel = QStringLiteral("ZEL");
    return {
        {QStringLiteral("function CurrencyToRoStr(Value:Variant): string"),
         QStringLiteral(" Scrie frumos si romaneste un numar"), zel},
        {QStringLiteral("function DateToRoStrScurt(Value:Variant): string"),
         QStringLiteral(" Scrie data calendaristica in format scurt (28/07/04)"), zel},
        {QStringLiteral("function DateToRoStrLung(Value:Variant): string"),
         QStringLiteral(" Scrie data calendaristica in format lung (28 iulie 2004)"), zel},
    };
}

QVariant TZelFunctions::Apeleaza(const QString &numeApelat, const QVariantList &argumente) const
{
    // Scripts pass the name in upper case; a direct caller may not.
    const QString numeMajuscule = numeApelat.toUpper();
    const QVariant v = argumente.isEmpty() ? QVariant() : argumente.at(0);
    if (numeMajuscule == QLatin1String("CURRENCYTOROSTR"))
        return EsteNul(v) ? QString() : NumarCuZecimale(2, MonedaDinValoare(v));
    if (numeMajuscule == QLatin1String("DATETOROSTRSCURT"))
        return EsteNul(v) ? QString() : DataRoScurta(DataDinValoare(v));
    if (numeMajuscule == QLatin1String("DATETOROSTRLUNG"))
        return EsteNul(v) ? QString() : DataRoLunga(DataDinValoare(v));
    return QString(numeMajuscule + QLatin1Char('?'));
}

void InregistreazaFunctiileZel()
{
    TZelFunctions modul;
    if (!ScriptFunctii::EsteInregistrat(modul.NumeModul()))
        ScriptFunctii::InregistreazaModul(std::make_unique<TZelFunctions>());
}

void InitializeazaTextul()
{
    InregistreazaFunctiileZel();
    Conventii::AplicaConventiileRomanesti();
}

qint64 MonedaDinValoare(const QVariant &valoare)
{
    if (valoare.metaType() == QMetaType::fromType<TMoneda>())
        return valoare.value<TMoneda>().Valoare;
    if (EsteReal(valoare))
        return Conventii::ZeciMiimiDeMoneda(valoare.toDouble());
    if (EsteIntreg(valoare)) {
        constexpr qint64 kLimita = 922337203685477LL; // largest whole currency amount
        if (valoare.metaType().id() == QMetaType::ULongLong || valoare.metaType().id() == QMetaType::ULong) {
            const quint64 u = valoare.toULongLong();
            if (u > quint64(kLimita))
                PreaMare(QString::number(u));
            return qint64(u) * 10000;
        }
        const qint64 i = valoare.toLongLong();
        if (i > kLimita || i < -kLimita)
            PreaMare(QString::number(i));
        return i * 10000;
    }
    if (valoare.metaType().id() == QMetaType::Bool)
        return valoare.toBool() ? 10000 : 0;
    if (EsteText(valoare))
        return Conventii::ZeciMiimiDeMoneda(Conventii::StrToFloat(valoare.toString()));
    throw EZel(QStringLiteral("Valoarea de tip %1 nu este un numar").arg(QLatin1String(valoare.typeName())));
}

QDate DataDinValoare(const QVariant &valoare)
{
    const int id = valoare.metaType().id();
    if (id == QMetaType::QDate)
        return valoare.toDate();
    if (id == QMetaType::QDateTime)
        return valoare.toDateTime().date();
    if (EsteText(valoare)) {
        const QDate d = Conventii::StrToDate(valoare.toString());
        if (!d.isValid())
            throw EZel(QStringLiteral("\"%1\" nu este o data valida").arg(valoare.toString()));
        return d;
    }
    if (EsteReal(valoare) || EsteIntreg(valoare)) {
        const double zile = valoare.toDouble();
        const QDate d = std::isfinite(zile) && std::fabs(zile) < 3.0e6
                            ? QDate(1899, 12, 30).addDays(qint64(std::floor(zile)))
                            : QDate();
        if (!d.isValid())
            throw EZel(QStringLiteral("Valoarea %1 nu este o data valida").arg(Conventii::FloatToStr(zile)));
        return d;
    }
    throw EZel(QStringLiteral("Valoarea de tip %1 nu este o data").arg(QLatin1String(valoare.typeName())));
}

QString TextAfisareRaport(const QVariant &valoare)
{
    if (EsteNul(valoare))
        return QString();
    if (valoare.metaType() == QMetaType::fromType<TMoneda>())
        return NumarCuZecimale(2, valoare.value<TMoneda>().Valoare);
    if (EsteReal(valoare)) {
        const double d = valoare.toDouble();
        const double scalat = d * 10000.0;
        // A real too large for the fixed-point form still shows, in plain digits.
        if (!std::isfinite(scalat) || std::fabs(scalat) >= 9223372036854775807.0)
            return Conventii::FloatToStr(d);
        return NumarCuZecimale(2, std::llrint(scalat));
    }
    switch (valoare.metaType().id()) {
    case QMetaType::QDate:
        return Conventii::DateToStr(valoare.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = valoare.toDateTime();
        const QString data = Conventii::DateToStr(dt.date());
        return dt.time() == QTime(0, 0) ? data : data + QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    case QMetaType::QTime:
        return valoare.toTime().toString(QStringLiteral("hh:mm:ss"));
    default:
        return valoare.toString();
    }
}
