#pragma once
#include <QByteArray>
#include <QChar>
#include <QString>

// Windows-1250, the code page of every 8-bit text the program stores (profile file,
// adjustments file, resource names, database).
//
// Rule for characters the code page lacks: the comma-below letters ș ț Ș Ț become the
// cedilla letters ş ţ Ş Ţ; any other letter with a diacritic becomes its unaccented base
// letter when it has one; everything else is refused with an EZel that names the
// character. Decomposed text (a letter followed by combining accents) is composed first
// and folds the same way; an accent that composes with nothing is dropped from its letter
// like any other accent. Nothing else is ever dropped or replaced by '?'.
namespace Cp1250 {

// Unicode character of one byte. Bytes the code page leaves undefined (81 83 88 90 98)
// map to the C1 control with the same number, so all 256 bytes round-trip.
QChar DinOctet(unsigned char octet);

// Byte of a character, or -1 when the code page has no such character.
int InOctet(QChar c);

// The character as it will be stored: itself when the code page has it, ş for ș and
// so on, the base letter of an accented letter; a null QChar when nothing fits.
QChar Pliaza(QChar c);

// Folds a whole text by Pliaza; throws EZel naming the first character that has no form.
QString PliazaText(const QString &text);

QString Decodifica(const QByteArray &octeti);
// Throws EZel naming the first character that cannot be stored.
QByteArray Codifica(const QString &text);

} // namespace Cp1250
