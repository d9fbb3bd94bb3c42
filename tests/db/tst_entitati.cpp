// Entity tables made from TABELE at start-up, on real databases in temporary folders.
#include "db/DM.h"
#include "db/TabeleEntitati.h"
#include "profile/ProfilLX.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"

#include <QtTest>

namespace {

// What any DDL would leave a trace in: table formats (every ALTER TABLE makes a new one),
// columns, constraints, indices, generators and their values.
QStringList Catalog(TBazaDeTest &b)
{
    QStringList r;
    r << b.Randuri(QStringLiteral("SELECT RDB$RELATION_NAME, RDB$FORMAT FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG=0 ORDER BY 1"));
    r << b.Randuri(QStringLiteral("SELECT RDB$RELATION_NAME, RDB$FIELD_NAME, RDB$FIELD_POSITION FROM RDB$RELATION_FIELDS "
                                  "WHERE RDB$SYSTEM_FLAG=0 ORDER BY 1, 2"));
    r << b.Randuri(QStringLiteral("SELECT RDB$CONSTRAINT_NAME, RDB$RELATION_NAME, RDB$CONSTRAINT_TYPE FROM "
                                  "RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME NOT STARTING WITH 'RDB$' ORDER BY 1"));
    r << b.Randuri(QStringLiteral("SELECT RDB$INDEX_NAME FROM RDB$INDICES WHERE RDB$SYSTEM_FLAG=0 ORDER BY 1"));
    for (const QString &g : b.Randuri(QStringLiteral("SELECT RDB$GENERATOR_NAME, RDB$GENERATOR_ID FROM RDB$GENERATORS "
                                                     "WHERE RDB$SYSTEM_FLAG=0 ORDER BY 1"))) {
        const QString nume = g.section(u'|', 0, 0);
        r << g + u'|' + b.Scalar(QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(nume));
    }
    return r;
}

bool Exista(TBazaDeTest &b, const QString &sql) { return !b.Randuri(sql).isEmpty(); }

} // namespace

class TstEntitati : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InregistreazaProfilulLX(); }

    void pornireNoua_data()
    {
        QTest::addColumn<QString>("t");
        for (const char *t : {"ELEVI", "SCOALA", "CANDIDAT", "INSTITUTIA"})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void pornireNoua()
    {
        QFETCH(QString, t);
        TBazaDeTest b;
        b.Start();
        // The table: one INTEGER NOT NULL key column.
        QCOMPARE(b.Randuri(QStringLiteral("SELECT rf.RDB$FIELD_NAME, f.RDB$FIELD_TYPE, rf.RDB$NULL_FLAG FROM RDB$RELATION_FIELDS rf "
                                          "JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE WHERE rf.RDB$RELATION_NAME='%1'")
                               .arg(t)),
                 QStringList{QStringLiteral("ID_%1|8|1").arg(t)});
        QCOMPARE(b.Randuri(QStringLiteral("SELECT rc.RDB$CONSTRAINT_TYPE, s.RDB$FIELD_NAME FROM RDB$RELATION_CONSTRAINTS rc "
                                          "JOIN RDB$INDEX_SEGMENTS s ON s.RDB$INDEX_NAME = rc.RDB$INDEX_NAME "
                                          "WHERE rc.RDB$CONSTRAINT_NAME='PK_%1' AND rc.RDB$RELATION_NAME='%1'")
                               .arg(t)),
                 QStringList{QStringLiteral("PRIMARY KEY|ID_%1").arg(t)});
        QCOMPARE(b.Scalar(QStringLiteral("SELECT GEN_ID(G_ID_%1, 0) FROM RDB$DATABASE").arg(t)), QStringLiteral("0"));
        QCOMPARE(b.Randuri(QStringLiteral("SELECT f.RDB$FIELD_TYPE FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f ON "
                                          "f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE WHERE rf.RDB$RELATION_NAME='DATE' AND "
                                          "rf.RDB$FIELD_NAME IN ('ID_%1', 'IDF_%1')")
                               .arg(t)),
                 (QStringList{"8", "8"}));
        // Both foreign keys: from the right column of "DATE", onto PK_T, deleting in cascade.
        QCOMPARE(b.Randuri(QStringLiteral("SELECT rc.RDB$CONSTRAINT_NAME, s.RDB$FIELD_NAME, rf.RDB$CONST_NAME_UQ, rf.RDB$DELETE_RULE "
                                          "FROM RDB$RELATION_CONSTRAINTS rc JOIN RDB$REF_CONSTRAINTS rf ON "
                                          "rf.RDB$CONSTRAINT_NAME = rc.RDB$CONSTRAINT_NAME JOIN RDB$INDEX_SEGMENTS s ON "
                                          "s.RDB$INDEX_NAME = rc.RDB$INDEX_NAME WHERE rc.RDB$RELATION_NAME='DATE' AND "
                                          "rc.RDB$CONSTRAINT_NAME IN ('FK_%1_1', 'FK_%1_2') ORDER BY 1")
                               .arg(t)),
                 (QStringList{QStringLiteral("FK_%1_1|ID_%1|PK_%1|CASCADE").arg(t),
                              QStringLiteral("FK_%1_2|IDF_%1|PK_%1|CASCADE").arg(t)}));
    }

    void aDouaPornireNuAtingeSchema()
    {
        TBazaDeTest b;
        b.Start();
        const QStringList inainte = Catalog(b);
        b.Stop();
        b.Start();
        QCOMPARE(Catalog(b), inainte);
        // The pass itself, run once more by hand, finds everything in place too.
        PregatesteTabeleEntitati();
        QCOMPARE(Catalog(b), inainte);
    }

    void doarGeneratorulLipsaEsteRefacut()
    {
        TBazaDeTest b;
        b.Start();
        b.Scalar(QStringLiteral("SELECT GEN_ID(G_ID_ELEVI, 5) FROM RDB$DATABASE"));
        b.Executa(QStringLiteral("DROP GENERATOR G_ID_CANDIDAT"));
        const QStringList inainte = Catalog(b);
        QVERIFY(!inainte.join(u'\n').contains(QLatin1String("G_ID_CANDIDAT")));
        b.Stop();
        b.Start();
        const QStringList dupa = Catalog(b);
        QStringList nou = dupa;
        for (const QString &r : inainte)
            nou.removeOne(r);
        QCOMPARE(nou.size(), 1);
        QVERIFY2(nou.at(0).startsWith(QLatin1String("G_ID_CANDIDAT|")) && nou.at(0).endsWith(QLatin1String("|0")),
                 qPrintable(nou.at(0)));
        QCOMPARE(dupa.size(), inainte.size() + 1);
        QCOMPARE(b.Scalar(QStringLiteral("SELECT GEN_ID(G_ID_ELEVI, 0) FROM RDB$DATABASE")), QStringLiteral("5"));
    }

    void stergereInCascada_data()
    {
        QTest::addColumn<QString>("sterge");
        QTest::addColumn<QStringList>("raman");
        // Rows: a owned by pupil 1, b owned by pupil 2 linking to pupil 1, c owned by pupil 2
        // linking to institution 7, d owned by institution 7, e owned by pupil 2.
        QTest::newRow("pupil") << "DELETE FROM ELEVI WHERE ID_ELEVI=1" << QStringList{"c", "d", "e"};
        QTest::newRow("institution") << "DELETE FROM INSTITUTIA WHERE ID_INSTITUTIA=7" << QStringList{"a", "b", "e"};
    }
    void stergereInCascada()
    {
        QFETCH(QString, sterge);
        QFETCH(QStringList, raman);
        TBazaDeTest b;
        b.Start();
        for (const char *s : {"INSERT INTO ELEVI (ID_ELEVI) VALUES (1)", "INSERT INTO ELEVI (ID_ELEVI) VALUES (2)",
                              "INSERT INTO INSTITUTIA (ID_INSTITUTIA) VALUES (7)",
                              "INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI) VALUES ('F','P','C','a',1)",
                              "INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI, IDF_ELEVI) VALUES ('F','P','C','b',2,1)",
                              "INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI, IDF_INSTITUTIA) VALUES ('F','P','C','c',2,7)",
                              "INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_INSTITUTIA) VALUES ('F','P','C','d',7)",
                              "INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI) VALUES ('F','P','C','e',2)"})
            b.Executa(QString::fromLatin1(s));
        b.Executa(sterge);
        QCOMPARE(b.Randuri(QStringLiteral("SELECT VALOARE_TEXT FROM \"DATE\" ORDER BY 1")), raman);
    }

    void numeInvalidInTabele_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::newRow("lower case") << "elevi";
        QTest::newRow("blank inside") << "DOUA CUVINTE";
        QTest::newRow("sql") << "X(ID_X INTEGER); DROP TABLE TABELE";
        QTest::newRow("quote") << "A\"B";
        QTest::newRow("leading digit") << "1ABC";
        QTest::newRow("empty") << "";
        QTest::newRow("too long for G_ID_") << QString(27, u'A');
        QTest::newRow("diacritic") << QStringLiteral("ŞCOALA");
    }
    void numeInvalidInTabele()
    {
        QFETCH(QString, nume);
        TBazaDeTest b;
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        TDM &dm = b.Dm();
        dm.Tr.StartTransaction();
        dm.Q8.SetSQL(QStringLiteral("INSERT INTO TABELE (NUME_TABEL) VALUES (:N)"));
        dm.Q8.SetParamText(QStringLiteral("N"), nume);
        dm.Q8.ExecSQL();
        dm.Tr.Commit();
        const QStringList inainte = Catalog(b);
        try {
            PregatesteTabeleEntitati();
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QStringLiteral("\"%1\"").arg(nume)) && e.Mesaj().contains(QLatin1String("nu este valid")),
                     qPrintable(e.Mesaj()));
        }
        QVERIFY(!dm.Tr.InTransaction());
        // Nothing was made from the bad name: every object the catalogue gained belongs to
        // a valid table handled before it.
        for (const QString &r : Catalog(b))
            if (!inainte.contains(r))
                QVERIFY2(r.contains(QLatin1String("ELEVI")) || r.contains(QLatin1String("SCOALA")) || r.startsWith(QLatin1String("DATE|")),
                         qPrintable(r));
        // And a full start reports it too, before data types and profile lines are written.
        b.Stop();
        try {
            b.Start();
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY(e.Mesaj().contains(QLatin1String("nu este valid")));
        }
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM TIPURI_DE_DATE")), QStringLiteral("0"));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM PROFIL_DIPLOMA")), QStringLiteral("0"));
    }

    void tabeleGolNuFaceNimic()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        b.Executa(QStringLiteral("DELETE FROM TABELE"));
        const QStringList inainte = Catalog(b);
        PregatesteTabeleEntitati();
        QCOMPARE(Catalog(b), inainte);
        QVERIFY(!Exista(b, QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='ELEVI'")));
    }

    void pasiiLucreazaInTranzactiaApelantului()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        TDM &dm = b.Dm();
        dm.Tr.StartTransaction();
        CreeazaTabelEntitate(QStringLiteral("PROBA"));
        CreeazaCheiePrimara(QStringLiteral("PROBA"));
        CreeazaGenerator(QStringLiteral("PROBA"));
        QVERIFY(dm.Tr.InTransaction());
        dm.Tr.Rollback();
        QVERIFY(!Exista(b, QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME='PROBA'")));
        QVERIFY(!Exista(b, QStringLiteral("SELECT 1 FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME='G_ID_PROBA'")));
    }
};

QTEST_GUILESS_MAIN(TstEntitati)
#include "tst_entitati.moc"
