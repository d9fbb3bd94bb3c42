#pragma once
#include "db/DM.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// A temporary program folder: FolderulProgramului() points at it while the object lives.
// It starts with copies of the named files of the build's program folder (LX_BIN_DIR);
// a listed file the build did not make is simply not copied. Throws EZel when the
// temporary folder cannot be made, rather than leave the real program folder in use.
class TFolderDeTest {
public:
    static QStringList FisiereImplicite(); // BLANK.FDB and the certificate's profile file
    explicit TFolderDeTest(const QStringList &fisiere = FisiereImplicite());
    ~TFolderDeTest();
    TFolderDeTest(const TFolderDeTest &) = delete;
    TFolderDeTest &operator=(const TFolderDeTest &) = delete;

    bool Valid() const;
    // The folder, with a trailing separator.
    QString Cale() const;
    // A path inside the folder ("DB/LX2008.FDB" may use either separator).
    QString CaleFisier(const QString &relativ) const;
    // Copies a file of the build's program folder in; false when it cannot.
    bool CopiazaDinBuild(const QString &nume, const QString &tinta = QString()) const;
    // Writes bytes to a file of the folder (for broken-input fixtures).
    bool ScrieFisier(const QString &relativ, const QByteArray &octeti) const;

private:
    QTemporaryDir m_dir;
};

// A temporary program folder with a data module on it. Start() runs the whole creation
// step (the certificate's profile is registered first when no profile is); the data
// module stays published until Stop() or the end of the object.
class TBazaDeTest : public TFolderDeTest {
public:
    explicit TBazaDeTest(const QStringList &fisiere = FisiereImplicite());
    ~TBazaDeTest();

    void Start();       // DataModuleCreate; throws EZel
    void Conecteaza();  // only the connection part of the creation step
    void Stop();        // destroys the data module (closes the database)
    TDM &Dm();

    // Path of DB/<profile>.FDB.
    QString CaleBaza() const;

    // First column of the first row of a query, as text ("" when no row). Runs in its
    // own transaction, rolled back, unless one is already active.
    QString Scalar(const QString &sql);
    // Every row of a query, its columns joined by "|" and NULL shown as "<null>". Runs in
    // its own transaction, rolled back, unless one is already active; uses the data
    // module's Q8.
    QStringList Randuri(const QString &sql);
    // Runs one statement and commits it in a transaction of its own.
    void Executa(const QString &sql);

private:
    std::unique_ptr<TDM> m_dm;
};

// Registers the certificate's profile when no profile is registered yet.
void AsiguraProfilulInregistrat();

// The message of the EZel the call raises, or "<no error>".
QString MesajulErorii(const std::function<void()> &f);
