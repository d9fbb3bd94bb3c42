// The database wrapper against a real embedded database made from the blank.
#include "db/Baza.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class TstBaza : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TBazaDeTest> m_baza;
    TDM &Dm() { return m_baza->Dm(); }

    void InsereazaValoare(const QString &camp, const QVariant &valoare)
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT) "
                                    "VALUES (:F, 'FATA', :C, :V)"));
        dm.Q1.SetParamText(QStringLiteral("F"), QStringLiteral("Lauridex"));
        dm.Q1.SetParamText(QStringLiteral("C"), camp);
        dm.Q1.SetParam(QStringLiteral("V"), valoare);
        dm.Q1.ExecSQL();
        dm.Tr.Commit();
    }

    QString CitesteValoare(const QString &camp, bool *nul = nullptr)
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q2.SetSQL(QStringLiteral("SELECT VALOARE_TEXT FROM \"DATE\" WHERE COD_CAMP=:C"));
        dm.Q2.SetParamText(QStringLiteral("C"), camp);
        dm.Q2.Open();
        if (dm.Q2.Eof()) {
            dm.Tr.Rollback();
            throw EZel(QStringLiteral("lipseste ") + camp);
        }
        const QString r = dm.Q2.AsText(QStringLiteral("VALOARE_TEXT"));
        if (nul)
            *nul = dm.Q2.IsNull(QStringLiteral("VALOARE_TEXT"));
        dm.Q2.Close();
        dm.Tr.Rollback();
        return r;
    }

private Q_SLOTS:
    void init()
    {
        m_baza = std::make_unique<TBazaDeTest>();
        QVERIFY(QFileInfo::exists(m_baza->CaleFisier(QStringLiteral("BLANK.FDB"))));
        m_baza->Conecteaza();
    }
    void cleanup() { m_baza.reset(); }

    void parseazaParametri_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("motor");
        QTest::addColumn<QStringList>("nume");
        QTest::newRow("simplu") << "SELECT * FROM T WHERE A=:A" << "SELECT * FROM T WHERE A=?" << QStringList{"A"};
        QTest::newRow("repetat") << "X=:ID OR Y=:id" << "X=? OR Y=?" << QStringList{"ID", "ID"};
        QTest::newRow("dolar") << "N=:RDB$CONSTRAINT_NAME" << "N=?" << QStringList{"RDB$CONSTRAINT_NAME"};
        QTest::newRow("literal") << "A=':NU' AND B=:DA" << "A=':NU' AND B=?" << QStringList{"DA"};
        QTest::newRow("literal cu apostrof dublu") << "A='x'':NU' AND B=:DA" << "A='x'':NU' AND B=?" << QStringList{"DA"};
        QTest::newRow("identificator") << "SELECT \"A:B\" FROM \"DATE\" WHERE C=:C"
                                       << "SELECT \"A:B\" FROM \"DATE\" WHERE C=?" << QStringList{"C"};
        QTest::newRow("comentariu linie") << "A=:A -- :B\nAND C=:C" << "A=? -- :B\nAND C=?" << QStringList{"A", "C"};
        QTest::newRow("comentariu bloc") << "A=:A /* :B */ AND C=:C" << "A=? /* :B */ AND C=?" << QStringList{"A", "C"};
        QTest::newRow("doua puncte singure") << "A = : B" << "A = : B" << QStringList{};
        QTest::newRow("literal neterminat") << "A=:A AND B=':X" << "A=? AND B=':X" << QStringList{"A"};
    }
    void parseazaParametri()
    {
        QFETCH(QString, sql);
        QFETCH(QString, motor);
        QFETCH(QStringList, nume);
        const TSqlParsat p = ParseazaParametri(sql);
        QCOMPARE(p.text, motor);
        QCOMPARE(p.parametri, nume);
    }

    void imparteScript()
    {
        const QStringList s = ImparteScript(QStringLiteral(
            "-- titlu; cu punct si virgula\nCREATE TABLE A (X VARCHAR(5));\n"
            "INSERT INTO A VALUES ('a;b'); /* ; */\n\"DATE\";\n  ;\n-- doar comentariu\n"));
        QCOMPARE(s.size(), 3);
        QVERIFY(s[0].endsWith(QLatin1String("CREATE TABLE A (X VARCHAR(5))")));
        QCOMPARE(s[1], QStringLiteral("INSERT INTO A VALUES ('a;b')"));
        QCOMPARE(s[2], QStringLiteral("/* ; */\n\"DATE\""));
    }

    // Every integer width the engine hands back, with and without a scale, read three ways.
    void coloaneIntregi_data()
    {
        QTest::addColumn<QString>("expresie");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("intreg");
        QTest::addColumn<QVariant>("varianta");
        QTest::newRow("smallint") << "CAST(-7 AS SMALLINT)" << "-7" << qint64(-7) << QVariant(qint64(-7));
        QTest::newRow("integer") << "CAST(123456 AS INTEGER)" << "123456" << qint64(123456) << QVariant(qint64(123456));
        QTest::newRow("bigint") << "CAST(9000000000 AS BIGINT)" << "9000000000" << qint64(9000000000LL)
                                << QVariant(qint64(9000000000LL));
        QTest::newRow("numeric(4,1) pe 16 biti") << "CAST(-12.5 AS NUMERIC(4,1))" << "-12.5" << qint64(-12)
                                                 << QVariant(-12.5);
        QTest::newRow("numeric(9,2) pe 32 biti") << "CAST(0.05 AS NUMERIC(9,2))" << "0.05" << qint64(0) << QVariant(0.05);
        QTest::newRow("numeric(18,3) pe 64 biti") << "CAST(12345678901.250 AS NUMERIC(18,3))" << "12345678901.250"
                                                  << qint64(12345678901LL) << QVariant(12345678901.25);
    }
    void coloaneIntregi()
    {
        QFETCH(QString, expresie);
        QFETCH(QString, text);
        QFETCH(qint64, intreg);
        QFETCH(QVariant, varianta);
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT %1 AS X FROM RDB$DATABASE").arg(expresie));
        dm.Q1.Open();
        QVERIFY(!dm.Q1.Eof());
        QCOMPARE(dm.Q1.AsText(QStringLiteral("X")), text);
        QCOMPARE(dm.Q1.AsInt(QStringLiteral("X")), intreg);
        const QVariant v = dm.Q1.AsVariant(QStringLiteral("X"));
        QCOMPARE(v.typeId(), varianta.typeId());
        QCOMPARE(v, varianta);
        dm.Q1.Close();
        dm.Tr.Rollback();
    }

    // Repeated names, a "$" name, the quoted "DATE" and a literal holding a colon.
    void parametriNumitiInBaza()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT) "
                                    "VALUES (:COD, :COD, :COD, :VAL$1 || ':X')"));
        QCOMPARE(dm.Q1.ParamNames(), (QStringList{"COD", "VAL$1"}));
        dm.Q1.SetParamText(QStringLiteral("COD"), QStringLiteral("K"));
        dm.Q1.SetParamText(QStringLiteral("val$1"), QStringLiteral("v"));
        dm.Q1.ExecSQL();
        QCOMPARE(dm.Q1.RowsAffected(), 1);
        dm.Tr.Commit();

        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT VALOARE_TEXT AS V, ':NU' AS L FROM \"DATE\" "
                                    "WHERE COD_FORMULAR=:COD AND COD_CAMP=:COD /* :ALT */ -- :ALT\n"));
        QCOMPARE(dm.Q1.ParamNames(), QStringList{"COD"});
        dm.Q1.SetParamText(QStringLiteral("COD"), QStringLiteral("K"));
        dm.Q1.Open();
        QVERIFY(!dm.Q1.Eof());
        QCOMPARE(dm.Q1.AsText(QStringLiteral("V")), QStringLiteral("v:X"));
        QCOMPARE(dm.Q1.AsText(QStringLiteral("l")), QStringLiteral(":NU"));
        dm.Q1.Next();
        QVERIFY(dm.Q1.Eof());
        dm.Q1.Next(); // past the end stays there
        QVERIFY(dm.Q1.Eof());
        dm.Q1.Close();

        // No row: end-of-data at once.
        dm.Q1.SetParamText(QStringLiteral("COD"), QStringLiteral("ALTUL"));
        dm.Q1.Open();
        QVERIFY(dm.Q1.Eof());
        dm.Tr.Rollback();
    }

    void nullLaIntrareSiIesire()
    {
        InsereazaValoare(QStringLiteral("N1"), QVariant());
        bool nul = false;
        QCOMPARE(CitesteValoare(QStringLiteral("N1"), &nul), QString());
        QVERIFY(nul);

        InsereazaValoare(QStringLiteral("N2"), QStringLiteral(""));
        QCOMPARE(CitesteValoare(QStringLiteral("N2"), &nul), QString());
        QVERIFY(!nul);

        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q3.SetSQL(QStringLiteral("SELECT VALOARE_TEXT, VALOARE_NUM FROM \"DATE\" WHERE COD_CAMP=:C"));
        dm.Q3.SetParamText(QStringLiteral("C"), QStringLiteral("N1"));
        dm.Q3.Open();
        QVERIFY(!dm.Q3.AsVariant(QStringLiteral("VALOARE_TEXT")).isValid());
        QCOMPARE(dm.Q3.AsInt(QStringLiteral("VALOARE_NUM")), 0);
        QVERIFY(dm.Q3.IsNull(QStringLiteral("VALOARE_NUM")));
        dm.Tr.Rollback();
    }

    void intregiSiNumere()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT CAST(:A AS INTEGER) + 1 AS S, CAST(:B AS DOUBLE PRECISION) AS D, "
                                    "CAST(:A AS VARCHAR(20)) AS T, CAST('42' AS VARCHAR(5)) AS TX FROM RDB$DATABASE"));
        dm.Q1.SetParamInt(QStringLiteral("A"), 41);
        dm.Q1.SetParamFloat(QStringLiteral("B"), 9.63);
        dm.Q1.Open();
        QCOMPARE(dm.Q1.AsInt(QStringLiteral("S")), 42);
        QCOMPARE(dm.Q1.AsText(QStringLiteral("S")), QStringLiteral("42"));
        QCOMPARE(dm.Q1.AsFloat(QStringLiteral("D")), 9.63);
        QCOMPARE(dm.Q1.AsText(QStringLiteral("T")), QStringLiteral("41"));
        QCOMPARE(dm.Q1.AsInt(QStringLiteral("TX")), 42);
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q1.AsInt(QStringLiteral("NU_EXISTA")));
        dm.Q1.Close();
        // A text handed to an integer parameter is converted by the engine.
        dm.Q1.SetSQL(QStringLiteral("SELECT COUNT(*) AS X FROM TABELE WHERE CHAR_LENGTH(NUME_TABEL) = :N"));
        dm.Q1.SetParamText(QStringLiteral("N"), QStringLiteral("5"));
        dm.Q1.Open();
        QCOMPARE(dm.Q1.AsInt(QStringLiteral("X")), 1);
        dm.Tr.Rollback();
    }

    void parametruLipsaSauNecunoscut()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT 1 AS X FROM RDB$DATABASE WHERE 1=:A"));
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q1.SetParamInt(QStringLiteral("B"), 1));
        try {
            dm.Q1.Open();
            QFAIL("a parameter without a value must not run");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String(":A")), qPrintable(e.Mesaj()));
        }
        // Setting the text again forgets the values.
        dm.Q1.SetParamInt(QStringLiteral("A"), 1);
        dm.Q1.SetSQL(dm.Q1.SQL());
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q1.Open());
        dm.Tr.Rollback();
    }

    void tranzactiaPornitaDeDouaOri()
    {
        TDM &dm = Dm();
        QVERIFY(!dm.Tr.InTransaction());
        dm.Tr.StartTransaction();
        QVERIFY(dm.Tr.InTransaction());
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Tr.StartTransaction());
        QVERIFY(dm.Tr.InTransaction());
        dm.Tr.Rollback();
        QVERIFY(!dm.Tr.InTransaction());
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Tr.Commit());
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Tr.Rollback());
        // Running a statement needs an active transaction.
        dm.Q1.SetSQL(QStringLiteral("SELECT 1 AS X FROM RDB$DATABASE"));
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q1.Open());
    }

    void commitulInchideInterogarile()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT NUME_TABEL FROM TABELE ORDER BY NUME_TABEL"));
        dm.Q1.Open();
        QCOMPARE(dm.Q1.AsText(QStringLiteral("NUME_TABEL")), QStringLiteral("ELEVI"));
        dm.Tr.Commit();
        QVERIFY(!dm.Q1.Active());
        QVERIFY(dm.Q1.Eof());
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q1.AsText(QStringLiteral("NUME_TABEL")));
    }

    // DDL inside the transaction takes effect at commit; prepared statements survive commits.
    void ddlSiCacheulDeInstructiuni()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("CREATE TABLE T_PROBA (ID INTEGER NOT NULL, NUME VARCHAR(10))"));
        dm.Q1.ExecSQL();
        dm.Tr.Commit();

        const QString ins = QStringLiteral("INSERT INTO T_PROBA (ID, NUME) VALUES (:ID, :NUME)");
        const int inainte = dm.Db.InstructiuniPregatite();
        for (int i = 0; i < 5; ++i) {
            dm.Tr.StartTransaction();
            dm.Q2.SetSQL(ins);
            dm.Q2.SetParamInt(QStringLiteral("ID"), i);
            dm.Q2.SetParamText(QStringLiteral("NUME"), QStringLiteral("n%1").arg(i));
            dm.Q2.ExecSQL();
            dm.Tr.Commit();
        }
        QCOMPARE(dm.Db.InstructiuniPregatite(), inainte + 1);

        // The same text open twice at once gets two statements.
        dm.Tr.StartTransaction();
        const QString sel = QStringLiteral("SELECT NUME FROM T_PROBA WHERE ID=:ID");
        dm.Q3.SetSQL(sel);
        dm.Q3.SetParamInt(QStringLiteral("ID"), 1);
        dm.Q3.Open();
        dm.Q4.SetSQL(sel);
        dm.Q4.SetParamInt(QStringLiteral("ID"), 3);
        dm.Q4.Open();
        QCOMPARE(dm.Q3.AsText(QStringLiteral("NUME")), QStringLiteral("n1"));
        QCOMPARE(dm.Q4.AsText(QStringLiteral("NUME")), QStringLiteral("n3"));
        dm.Tr.Rollback();

        // A column added later is seen by statements prepared after it.
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("ALTER TABLE T_PROBA ADD EXTRA INTEGER"));
        dm.Q1.ExecSQL();
        dm.Tr.Commit();
        dm.Tr.StartTransaction();
        dm.Q2.SetSQL(QStringLiteral("SELECT * FROM T_PROBA WHERE ID=:ID"));
        dm.Q2.SetParamInt(QStringLiteral("ID"), 2);
        dm.Q2.Open();
        QVERIFY(dm.Q2.HasField(QStringLiteral("EXTRA")));
        QVERIFY(dm.Q2.IsNull(QStringLiteral("EXTRA")));
        dm.Q3.SetSQL(sel);
        dm.Q3.SetParamInt(QStringLiteral("ID"), 4);
        dm.Q3.Open();
        QCOMPARE(dm.Q3.AsText(QStringLiteral("NUME")), QStringLiteral("n4"));
        dm.Tr.Rollback();
    }

    void tabelCreatNeconfirmatNuSeVede()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("CREATE TABLE T_NECONFIRMAT (ID INTEGER)"));
        dm.Q1.ExecSQL();
        dm.Q2.SetSQL(QStringLiteral("INSERT INTO T_NECONFIRMAT (ID) VALUES (1)"));
        QVERIFY_THROWS_EXCEPTION(EZel, dm.Q2.ExecSQL());
        dm.Tr.Rollback();
    }

    void textRomanescSiLatime()
    {
        InsereazaValoare(QStringLiteral("R"), QStringLiteral("Ștefan Țiriac ăîâșț"));
        QCOMPARE(CitesteValoare(QStringLiteral("R")), QStringLiteral("Ştefan Ţiriac ăîâşţ"));
        const QString lung = QString(256, QChar(0x0103));
        InsereazaValoare(QStringLiteral("L"), lung);
        QCOMPARE(CitesteValoare(QStringLiteral("L")), lung);
        // Longer than the column: the engine refuses it, nothing is cut.
        QVERIFY_THROWS_EXCEPTION(EZel, InsereazaValoare(QStringLiteral("X"), QString(1025, QLatin1Char('a'))));
        Dm().Tr.Rollback();
    }

    void caracterFaraCodificare()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT 1 AS X FROM RDB$DATABASE WHERE 'a'=:T"));
        try {
            dm.Q1.SetParamText(QStringLiteral("T"), QStringLiteral("abc \u4E2D"));
            QFAIL("a character Windows-1250 lacks must be refused");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String(":T")), qPrintable(e.Mesaj()));
            QVERIFY2(e.Mesaj().contains(QLatin1String("1250")), qPrintable(e.Mesaj()));
        }
        dm.Tr.Rollback();
    }

    void eroareaMotoruluiAjungeEZel()
    {
        TDM &dm = Dm();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT * FROM TABEL_INEXISTENT"));
        try {
            dm.Q1.Open();
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String("TABEL_INEXISTENT")), qPrintable(e.Mesaj()));
        }
        QVERIFY(dm.Tr.InTransaction());
        dm.Tr.Rollback();
    }

    // Text blobs, as some catalogue columns are: written from a text parameter, read as text.
    void blobText()
    {
        m_baza->Executa(QStringLiteral("CREATE TABLE T_BLOB (ID INTEGER, B BLOB SUB_TYPE TEXT)"));
        TDM &dm = Dm();
        const QString lung = QStringLiteral("Ştefan ") + QString(20000, QLatin1Char('x'));
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("INSERT INTO T_BLOB (ID, B) VALUES (1, :B)"));
        dm.Q1.SetParamText(QStringLiteral("B"), lung);
        dm.Q1.ExecSQL();
        dm.Q1.SetSQL(QStringLiteral("INSERT INTO T_BLOB (ID, B) VALUES (2, :B)"));
        dm.Q1.SetParamNull(QStringLiteral("B"));
        dm.Q1.ExecSQL();
        dm.Tr.Commit();
        dm.Tr.StartTransaction();
        dm.Q1.SetSQL(QStringLiteral("SELECT ID, B FROM T_BLOB ORDER BY ID"));
        dm.Q1.Open();
        QCOMPARE(dm.Q1.AsText(QStringLiteral("B")), lung);
        dm.Q1.Next();
        QVERIFY(dm.Q1.IsNull(QStringLiteral("B")));
        QCOMPARE(dm.Q1.AsText(QStringLiteral("B")), QString());
        dm.Tr.Rollback();
    }

    void generator()
    {
        m_baza->Executa(QStringLiteral("CREATE GENERATOR G_ID_PROBA"));
        m_baza->Executa(QStringLiteral("SET GENERATOR G_ID_PROBA TO 10"));
        QCOMPARE(m_baza->Scalar(QStringLiteral("SELECT GEN_ID(G_ID_PROBA,1) AS \"ID\" FROM RDB$DATABASE")),
                 QStringLiteral("11"));
    }

    // A second process on the same file: a clear message instead of the engine's text.
    void fisierDeschisDeAltProces()
    {
        const QString isql = QStandardPaths::findExecutable(QStringLiteral("isql-fb"));
        if (isql.isEmpty())
            QSKIP("isql-fb is not installed");
        const QString cale = m_baza->CaleBaza();
        m_baza->Stop();
        QProcess p;
        p.start(isql, {QStringLiteral("-user"), QStringLiteral("sysdba"), QStringLiteral("-q"), cale});
        QVERIFY(p.waitForStarted());
        // isql attaches before it reads its first command.
        p.write("SELECT 'GATA' FROM RDB$DATABASE;\n");
        QByteArray iesire;
        QTRY_VERIFY_WITH_TIMEOUT((iesire += p.readAllStandardOutput()).contains("GATA"), 20000);
        TBazaDeDate db;
        db.DatabaseName = cale;
        db.Params = TBazaDeDate::ParametriProgram();
        try {
            db.Open();
            QFAIL("the file is held by another process");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QLatin1String("deschisa de alt program")), qPrintable(e.Mesaj()));
            QVERIFY2(e.Mesaj().contains(QDir::toNativeSeparators(cale)), qPrintable(e.Mesaj()));
        }
        p.write("QUIT;\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(20000));
        db.Open(); // free again
        QVERIFY(db.Connected());
    }
};

QTEST_GUILESS_MAIN(TstBaza)
#include "tst_baza.moc"
