// A select by key, 10,000 times: through the wrapper exactly as the data module's callers
// run it (set SQL text, parameter, open, read, close) against the same statement prepared
// once and run through the raw Firebird OO API. Both read the value into a QString.
#include "db/Baza.h"
#include "text/Eroare.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <firebird/Interface.h>

#include <cstdio>
#include <cstring>

namespace fb = Firebird;

namespace {

constexpr int Randuri = 1000;
constexpr int Repetari = 10000;
const char *const Sql = "SELECT NUME FROM BENCH_T WHERE ID=:ID";

double Noi(TBazaDeDate &db, qint64 *suma)
{
    TTranzactie tr(db);
    TQuery q(db, tr);
    tr.StartTransaction();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < Repetari; ++i) {
        q.SetSQL(QString::fromLatin1(Sql));
        q.SetParamInt(QStringLiteral("ID"), i % Randuri);
        q.Open();
        if (!q.Eof())
            *suma += q.AsText(QStringLiteral("NUME")).size();
        q.Close();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    tr.Rollback();
    return ms;
}

double Brut(const QString &cale, qint64 *suma)
{
    fb::IMaster *master = fb::fb_get_master_interface();
    fb::ThrowStatusWrapper st(master->getStatus());
    fb::IUtil *util = master->getUtilInterface();
    fb::IProvider *prov = master->getDispatcher();
    fb::IXpbBuilder *dpb = util->getXpbBuilder(&st, fb::IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&st, isc_dpb_user_name, "sysdba");
    dpb->insertString(&st, isc_dpb_password, "quillbarn");
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    dpb->insertString(&st, isc_dpb_config, "Providers=Engine12");
    const QByteArray c = QFile::encodeName(cale);
    fb::IAttachment *att = prov->attachDatabase(&st, c.constData(), dpb->getBufferLength(&st), dpb->getBuffer(&st));
    dpb->dispose();
    fb::ITransaction *tra = att->startTransaction(&st, 0, nullptr);
    const char *text = "SELECT NUME FROM BENCH_T WHERE ID=?";
    fb::IStatement *stmt = att->prepare(&st, tra, 0, text, SQL_DIALECT_V6, fb::IStatement::PREPARE_PREFETCH_METADATA);
    fb::IMessageMetadata *in = stmt->getInputMetadata(&st);
    fb::IMessageMetadata *out = stmt->getOutputMetadata(&st);
    QByteArray inBuf(static_cast<int>(in->getMessageLength(&st)), '\0');
    QByteArray outBuf(static_cast<int>(out->getMessageLength(&st)), '\0');
    const unsigned inOff = in->getOffset(&st, 0), inNul = in->getNullOffset(&st, 0);
    const unsigned outOff = out->getOffset(&st, 0), outNul = out->getNullOffset(&st, 0);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < Repetari; ++i) {
        const ISC_LONG id = i % Randuri;
        std::memcpy(inBuf.data() + inOff, &id, sizeof id);
        const short nul = 0;
        std::memcpy(inBuf.data() + inNul, &nul, sizeof nul);
        fb::IResultSet *rs = stmt->openCursor(&st, tra, in, inBuf.data(), out, 0);
        if (rs->fetchNext(&st, outBuf.data()) == fb::IStatus::RESULT_OK) {
            short n;
            std::memcpy(&n, outBuf.constData() + outNul, sizeof n);
            if (!n) {
                unsigned short l;
                std::memcpy(&l, outBuf.constData() + outOff, sizeof l);
                *suma += QString::fromUtf8(outBuf.constData() + outOff + 2, l).size();
            }
        }
        rs->close(&st);
    }
    const double ms = t.nsecsElapsed() / 1e6;
    in->release();
    out->release();
    stmt->free(&st);
    tra->rollback(&st);
    att->detach(&st);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString cale = QDir(dir.path()).filePath(QStringLiteral("BENCH.FDB"));
    try {
        TBazaDeDate db;
        db.DatabaseName = cale;
        db.Params = TBazaDeDate::ParametriProgram();
        db.CreateDatabase();
        {
            TTranzactie tr(db);
            TQuery q(db, tr);
            tr.StartTransaction();
            q.SetSQL(QStringLiteral("CREATE TABLE BENCH_T (ID INTEGER NOT NULL PRIMARY KEY, NUME VARCHAR(100))"));
            q.ExecSQL();
            tr.Commit();
            tr.StartTransaction();
            q.SetSQL(QStringLiteral("INSERT INTO BENCH_T (ID, NUME) VALUES (:ID, :NUME)"));
            for (int i = 0; i < Randuri; ++i) {
                q.SetParamInt(QStringLiteral("ID"), i);
                q.SetParamText(QStringLiteral("NUME"), QStringLiteral("Elev numarul %1 din Bucureşti").arg(i));
                q.ExecSQL();
            }
            tr.Commit();
        }
        qint64 sNoi = 0, sBrut = 0;
        // Warm both paths once, then keep the best of seven alternating rounds of each, so that
        // a busy machine slows both alike.
        Noi(db, &sNoi);
        Brut(cale, &sBrut);
        double bestNoi = 1e18, bestBrut = 1e18;
        for (int r = 0; r < 7; ++r) {
            bestNoi = std::min(bestNoi, Noi(db, &sNoi));
            bestBrut = std::min(bestBrut, Brut(cale, &sBrut));
        }
        if (sNoi != sBrut) {
            std::fprintf(stderr, "the two paths read different values (%lld, %lld)\n", static_cast<long long>(sNoi),
                         static_cast<long long>(sBrut));
            return 1;
        }
        std::printf("wrapper (SetSQL + param + Open + AsText + Close): %.1f ms for %d selects\n", bestNoi, Repetari);
        std::printf("raw OO API, prepared once:                       %.1f ms for %d selects\n", bestBrut, Repetari);
        std::printf("ratio: %.2f\n", bestNoi / bestBrut);
    } catch (const EZel &e) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.Mesaj()));
        return 1;
    } catch (const fb::FbException &) {
        std::fprintf(stderr, "engine error in the raw path\n");
        return 1;
    }
    return 0;
}
