#pragma once
#include "db/DM.h"

// Small steps shared by the start-up synchronisation modules.

// Runs `lucru` in a transaction of its own and commits it; on any error rolls it back
// (which closes every query it left open) and passes the error on.
template <class F>
void InTranzactie(TDM &dm, F &&lucru)
{
    dm.Tr.StartTransaction();
    try {
        lucru();
        dm.Tr.Commit();
    } catch (...) {
        if (dm.Tr.InTransaction())
            dm.Tr.Rollback();
        throw;
    }
}

// Whether the query, its text and parameters set, gives a row.
inline bool AreRand(TQuery &q)
{
    q.Open();
    const bool exista = !q.Eof();
    q.Close();
    return exista;
}
