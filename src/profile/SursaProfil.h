#pragma once
#include "profile/ProfilDiploma.h"

// The readable source of a ".binprof" file, kept in the repository and compiled into the
// profile file at build time. UTF-8 text, one record per line, columns separated by "|"
// and trimmed; blank lines and lines starting with "#" are comments:
//
//   ANTET    | header text of the file
//   FORMULAR | text 1 | text 2                  (a form description)
//   PAGINA   | text 1 | text 2                  (a page of the last FORMULAR)
//   CAMP     | Formular.Pagina.Camp | SIMILAR_CU | ONOREZ_SIMILAR | ETICHETA_EDITOR |
//              FORMULA | VIZIBIL | TIP_DE_DATE | ASOCIAT_CU | GRUP | ORDINE |
//              LATIME_SUGERATA | COD_LINIE      (one profile line, on one line)
//
// Errors name the line: an unknown record, a wrong column count, a key without three
// codes or with braces, an unknown data type, a number that is not an integer, a page
// before any form, a field key given twice.
struct TSursaProfil {
    QString Antet;
    TListaLiniiProfilDiploma Profil;
};

TSursaProfil CitesteSursaProfil(const QString &text);
TSursaProfil CitesteFisierSursaProfil(const QString &cale);
