#pragma once
#include "text/ScriptFunctii.h"

#include <QDate>
#include <QString>
#include <QVariant>

// The Romanian formatting functions offered to report scripts, category "ZEL":
// CurrencyToRoStr, DateToRoStrScurt, DateToRoStrLung. A null argument gives "".
class TZelFunctions : public ScriptFunctii::TModulFunctii {
public:
    QString NumeModul() const override;
    QList<ScriptFunctii::TDeclaratieFunctie> Declaratii() const override;
    // Dispatched on the name in upper case, whatever case it is given in; unknown names
    // give the upper-case name followed by "?". Throws EZel for an argument that is
    // neither null nor convertible (a text that is not a number or a date).
    QVariant Apeleaza(const QString &numeApelat, const QVariantList &argumente) const override;
};

// Registers TZelFunctions once; later calls do nothing.
void InregistreazaFunctiileZel();

// Start-up step of the text subsystem, before any window: the script functions and the
// Romanian conventions.
void InitializeazaTextul();

// A QVariant as a fixed-point amount with four decimals (value × 10 000): reals are
// rounded to four decimals, integers and TMoneda taken exactly, texts read with the
// decimal comma. Throws EZel for other kinds, texts that are not numbers and values
// outside the currency range.
qint64 MonedaDinValoare(const QVariant &valoare);

// A QVariant as a calendar date: QDate, QDateTime, a "dd/mm/yyyy" text, or a number of
// days since 30/12/1899 (how date-times travel as reals). Throws EZel otherwise.
QDate DataDinValoare(const QVariant &valoare);

// How a value is shown in a report text: null as "", a real (double, float) or a
// TMoneda with two decimals through NumarCuZecimale ("3,14"), a date as "dd/mm/yyyy",
// anything else as its plain text ("42").
QString TextAfisareRaport(const QVariant &valoare);
