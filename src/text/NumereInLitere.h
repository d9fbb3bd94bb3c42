#pragma once
#include <QMetaType>
#include <QString>
#include <QtGlobal>

#include <type_traits>

// Numbers as Romanian text, in the exact forms the printed documents use.
// Pure functions: no settings, no locale. Range errors are thrown as EZel.
//
// Cardinal words are capitals without spaces and use plain ASCII letters only
// (DOUAZECISIUNU); the grade words of NotaInLitere carry Ş and Ă (NOUĂ, ŞAIZECIŞITREI).

// 0..9: "ZERO", "UNU", "DOI", ... (counting form) and "ZERO", "UNA", "DOUA", ... (feminine).
QString CifraInLitere(int cifra);
QString CifraInLitereFem(int cifra);

// 0..99.
QString NumarSub100InLitere(int numar);
QString NumarSub100InLitereFem(int numar);

// 0..999.
QString NumarSub1000InLitere(int numar);
QString NumarSub1000InLitereFem(int numar);

// 0..999 999.
QString NumarSubMilionInLitere(int numar);

// 0..999 999 999. The last group of three digits counts (UNU, DOI), the counts of
// thousands and millions are feminine (UNAMIE, DOUAMII, UNAMILIOANE).
QString NumarInLitere(qint32 numar);
// The same for a 64-bit value; a value past the 32-bit range is refused with the
// range message that names it in full, never spelled from its low bits.
QString NumarInLitere(qint64 numar);
// Any other integer type (std::int64_t is `long` here, not qint64, and unsigned values
// would be ambiguous between the two entries above) goes through the same checks.
namespace NumereInLitereIntern {
[[noreturn]] void RefuzaMiliard(quint64 numar);
}
template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, qint32> &&
             !std::is_same_v<T, qint64>)
QString NumarInLitere(T numar)
{
    if constexpr (std::is_unsigned_v<T>) {
        // Named as it is, even past the signed range.
        if (quint64(numar) >= 1000000000u)
            NumereInLitereIntern::RefuzaMiliard(quint64(numar));
        return NumarInLitere(qint32(numar));
    } else {
        return NumarInLitere(qint64(numar));
    }
}

// The grade in words that follows a grade on the certificate; the grade is given in
// hundredths (9,63 as 963). Mode 1: (NOUĂ, ŞAIZECIŞITREI); mode 2: (NOUĂ, 63);
// mode 3: (NOUĂ, 63%), or (NOUĂ) for a whole grade. Any other mode gives "".
// A whole part of 10 never shows decimals. Never throws.
QString NotaInLitere(int notaSutimi, int mod);

// A fixed-point value with four decimals (value × 10 000, as a currency amount is held)
// in digits: "." groups thousands, "," before the decimals, which are truncated to
// `zecimale` digits (0 drops them, 4 or more shows all four): (2, 96 350) -> "9,63".
// Never throws.
QString NumarCuZecimale(int zecimale, qint64 valoare);

// A currency amount carried in a QVariant (value × 10 000), so that display code can
// tell it from a plain integer.
struct TMoneda {
    qint64 Valoare = 0;
};
Q_DECLARE_METATYPE(TMoneda)
