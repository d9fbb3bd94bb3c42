#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// The program's view of the Firebird engine: one connection, one transaction, query
// objects with SQL text and named parameters. Embedded engine, local file, SQL dialect 3.
//
// Text goes in and out as QString; the engine stores Windows-1250, so every text handed to
// it is folded first (ș -> ş ...) and a character the code page lacks is refused with an
// EZel naming it. Every engine failure becomes an EZel carrying the engine's own message.
//
// Typical use (the shared objects live in the data module, see db/DM.h):
//   Tr.StartTransaction();
//   Q1.SetSQL("SELECT VALOARE_TEXT FROM \"DATE\" WHERE COD_CAMP=:C AND ID_ELEVI=:ID");
//   Q1.SetParamText("C", "C_NUME"); Q1.SetParamInt("ID", 7);
//   Q1.Open(); if (!Q1.Eof()) x = Q1.AsText("VALOARE_TEXT"); Q1.Close();
//   Tr.Rollback();

class TTranzactie;
class TQuery;
struct TInstructiunePregatita;

class TBazaDeDate {
public:
    TBazaDeDate();
    ~TBazaDeDate();
    TBazaDeDate(const TBazaDeDate &) = delete;
    TBazaDeDate &operator=(const TBazaDeDate &) = delete;

    // Path of the database file; set before Open.
    QString DatabaseName;
    // "NAME=value" lines ("USER_NAME=sysdba", "password=quillbarn"); USER_NAME and
    // password are understood, other names are refused at Open.
    QStringList Params;
    // The user name and password every database of the program is opened with.
    static QStringList ParametriProgram();

    // Attaches to DatabaseName. Throws EZel: missing or unreadable file, a file that is
    // not a database, the file already in use by another program.
    void Open();
    void Close();
    bool Connected() const;

    // Creates a new, empty database file with DEFAULT CHARACTER SET WIN1250 and attaches
    // to it (the build's blank database generator uses this). Fails if the file exists.
    void CreateDatabase();

    // Drops every cached prepared statement that is not in use; done automatically at
    // commit after DDL, since a changed table may make a prepared plan stale.
    void GolesteInstructiunile();
    // Number of statements prepared since Open (a measure of the cache's work).
    int InstructiuniPregatite() const;

    // Moves whenever what a query would read may have changed: every statement run
    // (ExecSQL and Open alike, since a selectable block may write) and every start, commit
    // or roll back of a transaction. Caches of read values stay valid while it stands still.
    quint64 Generatie() const;

    struct Impl;
    Impl *impl() const { return m_impl.get(); }

private:
    std::unique_ptr<Impl> m_impl;
};

// The one transaction. Starting while active is an error; Commit and Rollback close
// every query of the transaction that is still open.
class TTranzactie {
public:
    explicit TTranzactie(TBazaDeDate &db);
    ~TTranzactie();
    TTranzactie(const TTranzactie &) = delete;
    TTranzactie &operator=(const TTranzactie &) = delete;

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;
    // Same as InTransaction.
    bool Active() const { return InTransaction(); }

    TBazaDeDate &Database() const { return m_db; }

    struct Impl;
    Impl *impl() const { return m_impl.get(); }

private:
    TBazaDeDate &m_db;
    std::unique_ptr<Impl> m_impl;
};

// A statement with named parameters (":NAME": letters, digits, "_" and "$"; a name used
// twice takes one value; nothing inside '...' literals, "..." identifiers or comments is a
// parameter). Prepared statements are cached by SQL text in the connection, so setting
// the same text again costs nothing but a lookup.
class TQuery {
public:
    TQuery(TBazaDeDate &db, TTranzactie &tr);
    ~TQuery();
    TQuery(const TQuery &) = delete;
    TQuery &operator=(const TQuery &) = delete;

    // Closes the query if open and forgets every parameter value.
    void SetSQL(const QString &sql);
    const QString &SQL() const;
    // Parameter names of the text, upper case, each once, in order of first use.
    QStringList ParamNames() const;

    // Every parameter must be given a value (NULL included) before Open/ExecSQL.
    // Unknown names are an error.
    void SetParamText(const QString &nume, const QString &valoare);
    void SetParamInt(const QString &nume, qint64 valoare);
    void SetParamFloat(const QString &nume, double valoare);
    void SetParamNull(const QString &nume);
    // Null/invalid variant -> NULL; integer types -> int; double -> float; else text.
    void SetParam(const QString &nume, const QVariant &valoare);

    // Runs a statement with a result set; the transaction must be active.
    void Open();
    // Runs a statement without a result set (INSERT/UPDATE/DELETE/DDL...).
    void ExecSQL();
    // Rows touched by the last ExecSQL.
    int RowsAffected() const;

    void Next();
    bool Eof() const;
    bool Active() const;
    void Close();

    // Columns of the current row, by name (exact, then case-insensitive). An unknown
    // name, or reading with no current row, is an error.
    bool HasField(const QString &coloana) const;
    bool IsNull(const QString &coloana) const;
    QString AsText(const QString &coloana) const;  // NULL -> ""; CHAR loses its padding
    qint64 AsInt(const QString &coloana) const;     // NULL -> 0; text must be an integer
    double AsFloat(const QString &coloana) const;   // NULL -> 0
    QVariant AsVariant(const QString &coloana) const; // NULL -> invalid QVariant
    QStringList FieldNames() const;

    TTranzactie &Transaction() const { return m_tr; }

    struct Impl;

private:
    TBazaDeDate &m_db;
    TTranzactie &m_tr;
    std::unique_ptr<Impl> m_impl;
};

// Parameter parsing, exposed for tests: the text handed to the engine ("?" for each
// parameter) and the parameter name of each "?" in order.
struct TSqlParsat {
    QString text;
    QStringList parametri;
};
TSqlParsat ParseazaParametri(const QString &sql);

// Splits a schema script into statements at ";" outside literals, quoted identifiers and
// comments; empty statements are dropped.
QStringList ImparteScript(const QString &script);

// Makes sure the engine's lock folder is writable by us; called before the first engine
// call (Open and CreateDatabase do it).
void PregatesteFolderulDeBlocare();
