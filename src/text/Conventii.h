#pragma once
#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

// The program's Romanian number and date conventions. Every conversion between numbers
// or dates and text that is stored or shown (registry values, report texts, grids) goes
// through these functions, never through the C locale or QString::number directly, so
// that 1.5 is always written "1,5" and read back the same way.
namespace Conventii {

// The program-wide format settings. Field order follows the usual platform settings.
struct TSetariFormat {
    QString SimbolMoneda;          // currency symbol: empty
    int FormatMoneda = 0;          // positive currency: symbol before the amount, no blank
    int FormatMonedaNegativ = 1;   // negative currency: minus sign, symbol, amount
    QChar SeparatorMii;            // thousands separator: "."
    QChar SeparatorZecimal;        // decimal separator: ","
    int ZecimaleMoneda = 2;        // currency decimals
    QChar SeparatorData;           // date separator: "/"
    QString FormatDataScurta;      // "dd/mm/yyyy"
    QString FormatDataLunga;       // "dd/mm/yyyy"
    QChar SeparatorOra;            // time separator: ":"
    QString SimbolAM;              // "AM"
    QString SimbolPM;              // "PM"
    QString FormatOraScurta;       // "hh:nn" (nn = minutes)
    QString FormatOraLunga;        // "hh:nn:ss"
    QChar SeparatorLista;          // list separator: ","
    QStringList LuniScurte;        // "Ian" .. "Dec", January first
    QStringList LuniLungi;         // "Ianuarie" .. "Decembrie", January first
    QStringList ZileScurte;        // "Du" .. "Sb", Sunday first
    QStringList ZileLungi;         // "Dumunica" .. "Sambata", Sunday first

    // The Romanian conventions the program runs with.
    static TSetariFormat Romanesti();
};

// The settings in force. They hold the Romanian conventions from the very first call,
// so code running before start-up (tests, tools) converts the same way as the program.
const TSetariFormat &SetariFormat();

// Start-up step, before any window: registers the report functions of TZelFunctions
// (once), then (re)applies the Romanian settings and makes them
// the default of QLocale too (decimal comma, no thousands grouping), so Qt widgets and
// QLocale() conversions agree with the functions below. Safe to call more than once.
void AplicaConventiileRomanesti();

// Shortest text with up to 15 significant digits, decimal comma, no thousands
// separator, exponent as "E-7" / "E20": 1.5 -> "1,5", -0.25 -> "-0,25", 1e20 -> "1E20".
// Non-finite values give "NAN", "INF", "-INF".
QString FloatToStr(double valoare);

// Reads what FloatToStr writes: optional blanks around, optional sign, digits with the
// decimal comma, optional exponent. Throws EZel naming the text for anything else
// (empty text, a decimal point, thousands separators, trailing garbage, NAN/INF, overflow).
double StrToFloat(const QString &text);

// The value as a currency amount (rounded to four decimals, ties to even) written
// with the decimal comma and without trailing zeros or thousands separator:
// 1234.5 -> "1234,5", 2 -> "2". Throws EZel when the value is outside the currency range.
QString CurrToStr(double valoare);
// The same value as a count of ten-thousandths, the way a currency amount is held
// (rounded ties to even). Throws EZel when it is outside the currency range.
qint64 ZeciMiimiDeMoneda(double valoare);

// "dd/mm/yyyy": 5 March 2004 -> "05/03/2004". A null or invalid date gives "".
QString DateToStr(const QDate &data);

// Reads day/month/year in that order, separated by "/" (1 or 2 digits for day and
// month; year of 4 digits, or 2 digits placed in the 100 years starting 50 before the
// current year, or
// left out for the current year). Blank text gives a null QDate; anything else that is
// not a real calendar date throws EZel naming the text.
QDate StrToDate(const QString &text);

} // namespace Conventii
