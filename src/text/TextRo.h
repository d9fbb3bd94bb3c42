#pragma once
#include <QChar>
#include <QDate>
#include <QString>

// Romanian letters, dates and two small text helpers.

// Replaces the "@" codes that let plain ASCII carry the Romanian letters:
// @A Ă, @a ă, @H Â, @h â, @I Î, @i î, @S Ş, @s ş, @T Ţ, @t ţ, @@ "@".
// An unknown code letter is dropped with its "@"; a "@" at the very end is dropped.
QString DecodeazaDiacritice(const QString &text);

// Lower / upper case of ASCII letters and of the pairs Ş/ş, Ţ/ţ, Ă/ă (and their
// comma-below forms Ș/ș, Ț/ț). Every other character, Â/â and Î/î included, stays as it
// is; the length never changes.
QString LitereMiciRo(const QString &text);
QString LitereMariRo(const QString &text);

// "28 iulie 2004": day without leading zero, lower-case month name, year.
QString DataRoLunga(const QDate &data);
// "28/07/04".
QString DataRoScurta(const QDate &data);
// "28/07".
QString DataRoZiLuna(const QDate &data);
// A null or invalid date gives "" in all three.

// The path with the platform's separator only: "/" and "\" both count as separators,
// doubled separators become one, and a path that begins with two separators (a network
// path) keeps exactly that pair in front.
QString NormalizeazaCale(const QString &cale);

// The text extended on the right with `caracter` up to `lungime`; longer texts unchanged.
QString CompleteazaLaDreapta(const QString &text, int lungime, QChar caracter);
