#pragma once

// Start-up synchronisation: writes the compiled-in description of the document into the
// database. Each pass runs in one transaction of its own, committed at its end; an error
// rolls the whole pass back and travels on.

// The registered table list into TABELE (insert or update by name; other rows stay).
// No registered table list class: "Nu ai inclus nici o "lista tabel"".
void SincronizeazaTabele();

// The seven data type names into TIPURI_DE_DATE (missing ones inserted; others stay).
void SincronizeazaTipuriDeDate();

// The registered profile's lines (read from its profile file) into PROFIL_DIPLOMA: insert
// or update by the three codes, then delete rows the profile no longer has (their values
// in "DATE" stay). ONOREZ_SIMILAR is written only when a line first enters, as "DA".
// No registered profile class: "Nu ai inclus nici o "lista profil""; a missing or bad
// profile file fails before anything is written.
void SincronizeazaProfil();
