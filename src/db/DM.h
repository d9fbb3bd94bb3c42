#pragma once
#include "db/Baza.h"

#include <QString>
#include <functional>

// The data module: the program's one connection, its one transaction and the shared
// query objects, for the whole run. Created before any window; the other modules reach
// it through DM() once DataModuleCreate has connected.
class TDM {
public:
    TDM();
    // Unpublishes itself.
    ~TDM();
    TDM(const TDM &) = delete;
    TDM &operator=(const TDM &) = delete;

    // The creation step: checks the registered profile, finds or makes DB/<profile>.FDB
    // from BLANK.FDB beside the program, connects, publishes itself, upgrades the schema
    // and runs the start-up synchronisation. Throws EZel. When both files are missing it
    // shows the warning and ends the process with exit code 1.
    void DataModuleCreate();

    // The pieces of DataModuleCreate, in its order.
    void Conecteaza();            // profile check, database file, connect, publish
    void ActualizeazaSchema();    // schema upgrade up to version 5
    void SincronizeazaLaPornire(); // entity table list, entity tables, data types, profile

    // Path of the database file once Conecteaza found it.
    const QString &CaleBaza() const { return m_caleBaza; }

    TBazaDeDate Db;
    TTranzactie Tr;
    TQuery Q1, Q2, Q3, Q4, Q5, Q6, Q_GENERIC_LIST, Q7, Q8;

    static constexpr int VersiuneaSchemei = 5;

private:
    QString m_caleBaza;
};

// The published data module; throws EZel when no data module is connected.
TDM &DM();
// The published data module, or nullptr.
TDM *DMCurent();

// How the process ends when neither the database nor the blank exists. The default is
// std::exit; tests replace it (an empty function restores the default).
void SeteazaTerminareaProcesului(std::function<void(int)> terminare);
