#pragma once
#include <QString>

// Printable values of fields.
//
// A field (form code F, page code P, field code C) is resolved for a pupil X (an
// ID_ELEVI, or -1) or for a record Y of another entity table (or -1). The result is always
// a stored VALOARE_TEXT, unchanged, or "" when nothing is found:
//   - ONOREZ_SIMILAR "NU" (any case), empty, or no SIMILAR_CU: the field's own value;
//   - "OPTIONAL" (exactly): the own value when there is one, else the linked field's;
//   - anything else ("DA", "SELECTIV"...): the value of the SIMILAR_CU field.
// The own value of a field owned by ELEVI is the pupil's row; of a field owned by table T,
// the row of the record of T that the pupil links to through IDF_T (or of Y when X is -1).
// A chain of links that comes back to a field already met resolves that field to "".
//
// Works inside the caller's transaction when one is active; otherwise it starts one and
// rolls it back. Uses the data module's Q1, Q2 and Q3 only.
QString ValoareCamp(const QString &formular, const QString &pagina, const QString &camp, int elev, int alt);

// Expands every braced key "{F.P.C}" of the expression into ValoareCamp(F, P, C, X, Y);
// everything outside braces is copied, a key left open at the end is dropped. The
// transaction must be active: "Tranzactia trebuie sa fie activa in momentul apelarii
// procedurii ParseExp".
QString ParseExp(const QString &expresie, int elev, int alt);

// A blank before every capital letter A to Z ("DatePersonale" -> " Date Personale").
QString DespartePeCuvinte(const QString &text);

// The naming fields of an entity table: the braced keys of its fields whose ONOREZ_SIMILAR
// is "DA", joined by "; " ("" when there are none). Works inside the caller's transaction
// when one is active.
QString ListaCampuriOnorate(const QString &tabel);
