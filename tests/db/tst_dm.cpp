// The data module's creation step on temporary program folders.
#include "db/DM.h"
#include "profile/ClasaProfil.h"
#include "profile/ProfilLX.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"
#include "text/Mesaje.h"

#include <QtTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

QStringList ColoaneProfil(TBazaDeTest &b)
{
    TDM &dm = b.Dm();
    QStringList r;
    dm.Tr.StartTransaction();
    dm.Q8.SetSQL(QStringLiteral("SELECT RDB$FIELD_NAME AS N FROM RDB$RELATION_FIELDS "
                                "WHERE RDB$RELATION_NAME=:T ORDER BY RDB$FIELD_POSITION"));
    dm.Q8.SetParamText(QStringLiteral("T"), QStringLiteral("PROFIL_DIPLOMA"));
    for (dm.Q8.Open(); !dm.Q8.Eof(); dm.Q8.Next())
        r << dm.Q8.AsText(QStringLiteral("N"));
    dm.Tr.Rollback();
    return r;
}

// Every column of every user table, for "nothing changed" comparisons.
QStringList Schema(TBazaDeTest &b)
{
    TDM &dm = b.Dm();
    QStringList r;
    dm.Tr.StartTransaction();
    dm.Q8.SetSQL(QStringLiteral("SELECT RDB$RELATION_NAME AS T, RDB$FIELD_NAME AS C FROM RDB$RELATION_FIELDS "
                                "WHERE RDB$SYSTEM_FLAG = 0 ORDER BY 1, RDB$FIELD_POSITION"));
    for (dm.Q8.Open(); !dm.Q8.Eof(); dm.Q8.Next())
        r << dm.Q8.AsText(QStringLiteral("T")) + QLatin1Char('.') + dm.Q8.AsText(QStringLiteral("C"));
    dm.Tr.Rollback();
    return r;
}

QString Versiune(TBazaDeTest &b)
{
    return b.Scalar(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
}

struct TIesire {
    int cod;
};

} // namespace

class TstDm : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        AsiguraProfilulInregistrat();
        Mesaje::GolesteIstoric();
        Mesaje::GolesteRaspunsuri();
    }
    void cleanup() { SeteazaTerminareaProcesului({}); }

    void pornirePeBlank()
    {
        TBazaDeTest b;
        QVERIFY(!QFileInfo::exists(b.CaleBaza()));
        b.Start();
        QVERIFY(QFileInfo(b.CaleFisier(QStringLiteral("DB"))).isDir());
        QVERIFY(QFileInfo::exists(b.CaleBaza()));
        QCOMPARE(b.Dm().CaleBaza(), b.CaleBaza());
        QCOMPARE(DMCurent(), &b.Dm());
        QCOMPARE(&DM().Q1, &b.Dm().Q1);
        QCOMPARE(Versiune(b), QStringLiteral("5"));
        const QStringList col = ColoaneProfil(b);
        QVERIFY(col.contains(QLatin1String("LATIME_SUGERATA")));
        QVERIFY(col.contains(QLatin1String("COD_LINIE")));
        QVERIFY(col.contains(QLatin1String("ORDINE")));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM CONFID_DB")), QStringLiteral("1"));
        QVERIFY(!b.Dm().Tr.InTransaction());
        const QStringList schema = Schema(b);
        b.Stop();
        QCOMPARE(DMCurent(), nullptr);

        // The blank is only read; a second start changes nothing.
        QFile::remove(b.CaleFisier(QStringLiteral("BLANK.FDB")));
        b.Start();
        QCOMPARE(Versiune(b), QStringLiteral("5"));
        QCOMPARE(Schema(b), schema);
        QVERIFY(Mesaje::Istoric().isEmpty());
    }

    void copiaEsteBlankul()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Stop();
        QFile a(b.CaleBaza()), bl(b.CaleFisier(QStringLiteral("BLANK.FDB")));
        QVERIFY(a.open(QIODevice::ReadOnly));
        QVERIFY(bl.open(QIODevice::ReadOnly));
        QCOMPARE(a.size(), bl.size());
        // The blank itself is still at version 1 after the copy was upgraded.
        b.Start();
        QCOMPARE(Versiune(b), QStringLiteral("5"));
        b.Stop();
        TBazaDeDate db;
        db.DatabaseName = b.CaleFisier(QStringLiteral("BLANK.FDB"));
        db.Params = TBazaDeDate::ParametriProgram();
        db.Open();
        TTranzactie tr(db);
        TQuery q(db, tr);
        tr.StartTransaction();
        q.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
        q.Open();
        QCOMPARE(q.AsInt(QStringLiteral("VERSIUNE")), 1);
        tr.Rollback();
    }

    void bazaLaVersiunea2()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Executa(QStringLiteral("ALTER TABLE PROFIL_DIPLOMA ADD LATIME_SUGERATA INTEGER, ADD COD_LINIE VARCHAR(32)"));
        b.Executa(QStringLiteral("UPDATE CONFID_DB SET VERSIUNE=2"));
        // A value in a column of version 2 survives the upgrade.
        b.Executa(QStringLiteral("INSERT INTO PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, COD_LINIE) "
                                 "VALUES ('X', 'Y', 'Z', 'L1')"));
        b.Stop();
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        QCOMPARE(Versiune(b), QStringLiteral("5"));
        const QStringList col = ColoaneProfil(b);
        QCOMPARE(col.count(QStringLiteral("LATIME_SUGERATA")), 1);
        QCOMPARE(col.count(QStringLiteral("ORDINE")), 1);
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COD_LINIE FROM PROFIL_DIPLOMA WHERE COD_CAMP='Z'")), QStringLiteral("L1"));
    }

    // Each step commits on its own: a step the engine refuses leaves the steps before it
    // in place, its own version update undone and no transaction open.
    void pasRefuzatPastreazaPasiiDinainte()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Executa(QStringLiteral("ALTER TABLE PROFIL_DIPLOMA ADD ORDINE INTEGER"));
        try {
            b.Dm().ActualizeazaSchema();
            QFAIL("adding ORDINE a second time must fail");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String("ORDINE")), qPrintable(e.Mesaj()));
        }
        QVERIFY(!b.Dm().Tr.InTransaction());
        QVERIFY(!b.Dm().Q1.Active());
        QCOMPARE(Versiune(b), QStringLiteral("2"));
        QVERIFY(ColoaneProfil(b).contains(QLatin1String("COD_LINIE")));
    }

    void versiuneViitoareNeatinsa()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Executa(QStringLiteral("UPDATE CONFID_DB SET VERSIUNE=7"));
        b.Dm().ActualizeazaSchema();
        QCOMPARE(Versiune(b), QStringLiteral("7"));
        QVERIFY(!ColoaneProfil(b).contains(QLatin1String("ORDINE")));
    }

    void confidDbGol()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Executa(QStringLiteral("DELETE FROM CONFID_DB"));
        b.Stop();
        try {
            b.Start();
            QFAIL("an empty CONFID_DB must stop the creation step");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String("CONFID_DB")), qPrintable(e.Mesaj()));
            QVERIFY2(e.Mesaj().contains(QDir::toNativeSeparators(b.CaleBaza())), qPrintable(e.Mesaj()));
        }
        // Connected and published, nothing upgraded, no transaction left open.
        QVERIFY(b.Dm().Db.Connected());
        QVERIFY(!b.Dm().Tr.InTransaction());
        QVERIFY(!b.Dm().Q1.Active());
        QVERIFY(!ColoaneProfil(b).contains(QLatin1String("LATIME_SUGERATA")));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM TABELE")), QStringLiteral("2"));
    }

    void faraProfil()
    {
        TBazaDeTest b;
        AnuleazaInregistrareaProfilului();
        TDM dm;
        try {
            dm.DataModuleCreate();
            QFAIL("no profile registered");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("NU ai definit profilul diplomei"));
        }
        AsiguraProfilulInregistrat();
        QCOMPARE(DMCurent(), nullptr);
        QVERIFY(!QFileInfo::exists(b.CaleFisier(QStringLiteral("DB"))));
    }

    void fisiereDefecte_data()
    {
        QTest::addColumn<QString>("caz");
        QTest::newRow("octeti oarecare") << "gunoi";
        QTest::newRow("fisier gol") << "gol";
        QTest::newRow("fisier numai pentru citire") << "citire";
        QTest::newRow("blank lipsa") << "faraBlank";
        QTest::newRow("blank defect") << "blankDefect";
    }
    void fisiereDefecte()
    {
        QFETCH(QString, caz);
        TBazaDeTest b(caz == QLatin1String("faraBlank") ? QStringList() : TFolderDeTest::FisiereImplicite());
        const QString cale = b.CaleBaza();
        QString numit = cale;
        if (caz == QLatin1String("gunoi")) {
            QByteArray g;
            for (int i = 0; i < 70000; ++i)
                g.append(static_cast<char>((i * 7919) % 251));
            QVERIFY(b.ScrieFisier(QStringLiteral("DB/LX2008.FDB"), g));
        } else if (caz == QLatin1String("gol")) {
            QVERIFY(b.ScrieFisier(QStringLiteral("DB/LX2008.FDB"), QByteArray()));
        } else if (caz == QLatin1String("citire")) {
#ifndef Q_OS_WIN
            if (::geteuid() == 0)
                QSKIP("file permissions do not bind root");
#endif
            QVERIFY(b.CopiazaDinBuild(QStringLiteral("BLANK.FDB"), QStringLiteral("DB/LX2008.FDB")));
            QVERIFY(QFile::setPermissions(cale, QFile::ReadOwner | QFile::ReadGroup));
        } else if (caz == QLatin1String("blankDefect")) {
            QVERIFY(b.ScrieFisier(QStringLiteral("BLANK.FDB"), QByteArray("nu sunt o baza de date")));
        }

        int cod = -1;
        SeteazaTerminareaProcesului([&cod](int c) { cod = c; });
        try {
            b.Start();
            QFAIL("a broken database file must fail");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QDir::toNativeSeparators(numit)), qPrintable(e.Mesaj()));
        }
        if (caz == QLatin1String("faraBlank")) {
            QCOMPARE(cod, 1);
            QCOMPARE(Mesaje::Istoric().size(), 1);
            const Mesaje::Afisare &a = Mesaje::Istoric().first();
            QCOMPARE(a.tip, Mesaje::Tip::Avertisment);
            QCOMPARE(a.butoane, int(Mesaje::Ok));
            QCOMPARE(a.text, QStringLiteral("Nu exista baza de date curenta si nu gasesc baza de date \"BLANK\" "
                                            "pentru initializare.\r\nDB Curent:")
                                 + cale + QStringLiteral("\r\nDB Blank:") + b.CaleFisier(QStringLiteral("BLANK.FDB")));
            QVERIFY(!QFileInfo::exists(cale));
        } else {
            QCOMPARE(cod, -1);
            QVERIFY(Mesaje::Istoric().isEmpty());
        }
        if (caz == QLatin1String("citire"))
            QFile::setPermissions(cale, QFile::ReadOwner | QFile::WriteOwner);
    }
};

QTEST_GUILESS_MAIN(TstDm)
#include "tst_dm.moc"
