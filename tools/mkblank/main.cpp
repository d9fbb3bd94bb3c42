// Builds BLANK.FDB: a new WIN1250 database on which the schema script is run through the
// program's own database wrapper, so the blank is made exactly as the program talks to it.
#include "db/Baza.h"
#include "text/Eroare.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "folosire: mkblank <schema.sql> <BLANK.FDB>\n");
        return 2;
    }
    const QString script = QString::fromLocal8Bit(argv[1]);
    const QString tinta = QString::fromLocal8Bit(argv[2]);
    // Built beside the target and renamed at the end, so a failed run leaves no half blank.
    const QString temporar = tinta + QStringLiteral(".tmp");
    try {
        QFile f(script);
        if (!f.open(QIODevice::ReadOnly))
            throw EZel(QStringLiteral("Nu pot citi %1").arg(script));
        const QString text = QString::fromUtf8(f.readAll());
        QFile::remove(temporar);
        {
            TBazaDeDate db;
            db.DatabaseName = QFileInfo(temporar).absoluteFilePath();
            db.Params = TBazaDeDate::ParametriProgram();
            db.CreateDatabase();
            TTranzactie tr(db);
            TQuery q(db, tr);
            // One transaction per statement: a table exists for the next statement only
            // once its creation is committed.
            for (const QString &instr : ImparteScript(text)) {
                tr.StartTransaction();
                q.SetSQL(instr);
                q.ExecSQL();
                tr.Commit();
            }
            db.Close();
        }
        // The engine creates files for its own user only; the blank is shipped to be read by anyone.
        QFile::setPermissions(temporar, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile::remove(tinta);
        if (!QFile::rename(temporar, tinta))
            throw EZel(QStringLiteral("Nu pot redenumi %1 in %2").arg(temporar, tinta));
    } catch (const EZel &e) {
        QFile::remove(temporar);
        std::fprintf(stderr, "mkblank: %s\n", qUtf8Printable(e.Mesaj()));
        return 1;
    }
    return 0;
}
