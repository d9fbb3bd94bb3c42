#pragma once
#include <QString>

// Entity tables: every name in TABELE becomes a table T with the key column ID_T, the
// primary key PK_T, the generator G_ID_T, the columns ID_T and IDF_T of "DATE" and the
// cascading foreign keys FK_T_1 and FK_T_2. Each object is created only when the system
// catalogue shows it missing, so the pass runs at every start and repairs older files.

// Whole pass over TABELE: each table's five steps, each in a transaction of its own.
// The first error rolls back its step and stops the pass; earlier steps stay.
void PregatesteTabeleEntitati();

// Refuses, with a clear EZel, a name that is not a plain upper-case identifier
// ([A-Z][A-Z0-9_]*, short enough that FK_T_1 and G_ID_T stay valid engine names).
// Names are pasted into DDL, so nothing else may pass.
void VerificaNumeTabelEntitate(const QString &tabel);
bool EsteNumeTabelEntitateValid(const QString &tabel);

// The five steps. Each expects an active transaction and leaves the commit to its caller.
void CreeazaTabelEntitate(const QString &tabel);
void CreeazaCheiePrimara(const QString &tabel);
void CreeazaGenerator(const QString &tabel);
void AdaugaColoaneDate(const QString &tabel);
void AdaugaCheiStraine(const QString &tabel);
