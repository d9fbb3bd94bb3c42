// Field values, display expressions and naming fields, on a real database.
#include "db/DM.h"
#include "db/ValoriCampuri.h"
#include "profile/ProfilLX.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"

#include <QtTest>
#include <optional>

namespace {

// Test fields live on form "T", page "P": (code, SIMILAR_CU, ONOREZ_SIMILAR, ASOCIAT_CU).
struct TCamp {
    const char *cod;
    const char *similar;
    const char *onorez; // nullptr: NULL
    const char *asociat;
};
const TCamp kCampuri[] = {
    {"A", "", "DA", "ELEVI"},
    {"N", "T.P.A", "NU", "ELEVI"},
    {"NL", "T.P.A", "nu", "ELEVI"},
    {"D", "T.P.A", "DA", "ELEVI"},
    {"OL", "T.P.A", "optional", "ELEVI"},
    {"SEL", "T.P.A", "SELECTIV", "ELEVI"},
    {"GOL", "T.P.A", nullptr, "ELEVI"},
    {"SPATII", "   ", "DA", "ELEVI"},
    {"O", "T.P.A", "OPTIONAL", "ELEVI"},
    {"I", "", "DA", "INSTITUTIA"},
    {"DI", "T.P.I", "DA", "ELEVI"},
    {"OI", "T.P.A", "OPTIONAL", "INSTITUTIA"},
    {"CH", "T.P.D", "DA", "ELEVI"},
    {"C1", "T.P.C2", "DA", "ELEVI"},
    {"C2", "T.P.C1", "DA", "ELEVI"},
    {"C3", "T.P.C3", "DA", "ELEVI"},
    {"C4", "T.P.C5", "OPTIONAL", "ELEVI"},
    {"C5", "T.P.C4", "DA", "ELEVI"},
    {"DX", "T.P.NOPE", "DA", "ELEVI"},
    {"RAU", "", "NU", "NU E TABEL"},
    {"IL", "", "DA", "institutia"},
    {"ORAU", "T.P.A", "OPTIONAL", "NU E TABEL"},
    {"OF", "T.P.A", "OPTIONAL", "FANTOMA"},
};

// Values: (code, text, owner column, owner id, link column or nullptr, link id).
struct TValoare {
    const char *cod;
    const char *text;
    const char *coloana;
    int id;
    const char *legatura;
    std::optional<int> idLegatura;
};
const TValoare kValori[] = {
    {"A", "a1", "ID_ELEVI", 1, nullptr, {}},
    {"A", "a2", "ID_ELEVI", 2, nullptr, {}},
    {"N", "n1", "ID_ELEVI", 1, nullptr, {}},
    {"NL", "nl1", "ID_ELEVI", 1, nullptr, {}},
    {"D", "d1", "ID_ELEVI", 1, nullptr, {}},
    {"GOL", "gol1", "ID_ELEVI", 1, nullptr, {}},
    {"SPATII", "sp1", "ID_ELEVI", 1, nullptr, {}},
    {"O", "o2", "ID_ELEVI", 2, nullptr, {}},
    {"I", "inst10", "ID_INSTITUTIA", 10, nullptr, {}},
    {"I", "ignorat", "ID_ELEVI", 1, "IDF_INSTITUTIA", 10},
    {"OI", "oi10", "ID_INSTITUTIA", 10, nullptr, {}},
    {"OI", "", "ID_ELEVI", 1, "IDF_INSTITUTIA", 10},
    {"OI", "", "ID_ELEVI", 2, "IDF_INSTITUTIA", 11},
    {"OI", "", "ID_ELEVI", 3, "IDF_INSTITUTIA", std::nullopt},
    {"C1", "c1", "ID_ELEVI", 1, nullptr, {}},
    {"C4", "c4", "ID_ELEVI", 1, nullptr, {}},
    {"RAU", "x", "ID_ELEVI", 1, nullptr, {}},
    {"IL", "il10", "ID_INSTITUTIA", 10, nullptr, {}},
    {"IL", "", "ID_ELEVI", 1, "IDF_INSTITUTIA", 10},
};

void Executa(TDM &dm, TQuery &q, const QString &sql, const std::function<void(TQuery &)> &parametri = {})
{
    (void)dm;
    q.SetSQL(sql);
    if (parametri)
        parametri(q);
    q.ExecSQL();
}

void ScrieValoare(TDM &dm, const QString &f, const QString &p, const QString &c, const QString &text, const QString &coloana,
                  int id, const char *legatura = nullptr, std::optional<int> idLegatura = {})
{
    QString sql = QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, %1%2) "
                                 "VALUES (:F, :P, :C, :V, 0, :ID%3)")
                      .arg(coloana, legatura ? QStringLiteral(", ") + QLatin1String(legatura) : QString(),
                           legatura ? QStringLiteral(", :L") : QString());
    Executa(dm, dm.Q8, sql, [&](TQuery &q) {
        q.SetParamText(QStringLiteral("F"), f);
        q.SetParamText(QStringLiteral("P"), p);
        q.SetParamText(QStringLiteral("C"), c);
        q.SetParamText(QStringLiteral("V"), text);
        q.SetParamInt(QStringLiteral("ID"), id);
        if (legatura) {
            if (idLegatura)
                q.SetParamInt(QStringLiteral("L"), *idLegatura);
            else
                q.SetParamNull(QStringLiteral("L"));
        }
    });
}

void PregatesteDate(TBazaDeTest &b)
{
    b.Start();
    TDM &dm = b.Dm();
    dm.Tr.StartTransaction();
    for (int id : {1, 2, 3})
        Executa(dm, dm.Q8, QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (%1)").arg(id));
    for (int id : {10, 11})
        Executa(dm, dm.Q8, QStringLiteral("INSERT INTO INSTITUTIA (ID_INSTITUTIA) VALUES (%1)").arg(id));
    for (const TCamp &c : kCampuri)
        Executa(dm, dm.Q8,
                QStringLiteral("INSERT INTO PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR, "
                               "ASOCIAT_CU, TIP_DE_DATE) VALUES ('T', 'P', :C, :S, :O, :A, 'TEXT')"),
                [&](TQuery &q) {
                    q.SetParamText(QStringLiteral("C"), QLatin1String(c.cod));
                    q.SetParamText(QStringLiteral("S"), QLatin1String(c.similar));
                    if (c.onorez)
                        q.SetParamText(QStringLiteral("O"), QLatin1String(c.onorez));
                    else
                        q.SetParamNull(QStringLiteral("O"));
                    q.SetParamText(QStringLiteral("A"), QLatin1String(c.asociat));
                });
    for (const TValoare &v : kValori)
        ScrieValoare(dm, "T", "P", QLatin1String(v.cod), QLatin1String(v.text), QLatin1String(v.coloana), v.id, v.legatura,
                     v.idLegatura);
    dm.Tr.Commit();
}

} // namespace

class TstValori : public QObject {
    Q_OBJECT

    std::unique_ptr<TBazaDeTest> m_b;

private Q_SLOTS:
    void initTestCase()
    {
        InregistreazaProfilulLX();
        m_b = std::make_unique<TBazaDeTest>();
        PregatesteDate(*m_b);
    }
    void cleanupTestCase() { m_b.reset(); }
    void cleanup()
    {
        if (m_b && m_b->Dm().Tr.InTransaction())
            m_b->Dm().Tr.Rollback();
    }

    void valoareCamp_data()
    {
        QTest::addColumn<QString>("cod");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("valoare");
        QTest::newRow("own") << "A" << 1 << -1 << "a1";
        QTest::newRow("own, no row") << "A" << 3 << -1 << "";
        QTest::newRow("own, no pupil") << "A" << -1 << 10 << "";
        QTest::newRow("NU gives own") << "N" << 1 << -1 << "n1";
        QTest::newRow("NU, own empty") << "N" << 2 << -1 << "";
        QTest::newRow("nu lower case") << "NL" << 1 << -1 << "nl1";
        QTest::newRow("DA over own") << "D" << 1 << -1 << "a1";
        QTest::newRow("DA") << "D" << 2 << -1 << "a2";
        QTest::newRow("optional lower case is DA") << "OL" << 1 << -1 << "a1";
        QTest::newRow("SELECTIV is DA") << "SEL" << 2 << -1 << "a2";
        QTest::newRow("NULL onorez gives own") << "GOL" << 1 << -1 << "gol1";
        QTest::newRow("blank link gives own") << "SPATII" << 1 << -1 << "sp1";
        QTest::newRow("OPTIONAL, own empty") << "O" << 1 << -1 << "a1";
        QTest::newRow("OPTIONAL, own set") << "O" << 2 << -1 << "o2";
        QTest::newRow("institution of pupil") << "I" << 1 << -1 << "inst10";
        QTest::newRow("pupil without institution") << "I" << 2 << -1 << "";
        QTest::newRow("institution record") << "I" << -1 << 10 << "inst10";
        QTest::newRow("institution without value") << "I" << -1 << 11 << "";
        QTest::newRow("no record at all") << "I" << -1 << -1 << "";
        QTest::newRow("DA to institution field") << "DI" << 1 << -1 << "inst10";
        QTest::newRow("DA to institution, none chosen") << "DI" << 2 << -1 << "";
        QTest::newRow("OPTIONAL institution, own") << "OI" << 1 << -1 << "oi10";
        QTest::newRow("OPTIONAL institution, link") << "OI" << 2 << -1 << "a2";
        QTest::newRow("OPTIONAL institution, NULL link") << "OI" << 3 << -1 << "";
        QTest::newRow("OPTIONAL institution, no pupil") << "OI" << -1 << 10 << "";
        QTest::newRow("chain") << "CH" << 1 << -1 << "a1";
        QTest::newRow("cycle of two") << "C1" << 1 << -1 << "";
        QTest::newRow("cycle of one") << "C3" << 1 << -1 << "";
        QTest::newRow("OPTIONAL cycle, own") << "C4" << 1 << -1 << "c4";
        QTest::newRow("OPTIONAL cycle, no own") << "C4" << 2 << -1 << "";
        QTest::newRow("not in profile") << "NOPE" << 1 << -1 << "";
        QTest::newRow("link to a missing field") << "DX" << 1 << -1 << "";
        QTest::newRow("owner named in lower case") << "IL" << 1 << -1 << "il10";
        QTest::newRow("owner named in lower case, record") << "IL" << -1 << 10 << "il10";
        QTest::newRow("OPTIONAL, bad owner, no row of the pupil") << "ORAU" << 2 << -1 << "";
        QTest::newRow("OPTIONAL, owner without columns, no row") << "OF" << 2 << -1 << "";
    }
    void valoareCamp()
    {
        QFETCH(QString, cod);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, valoare);
        TDM &dm = m_b->Dm();
        // On its own: starts and ends its own transaction.
        QCOMPARE(ValoareCamp(QStringLiteral("T"), QStringLiteral("P"), cod, x, y), valoare);
        QVERIFY(!dm.Tr.InTransaction());
        // Inside the caller's transaction, which it leaves open; through ParseExp too.
        dm.Tr.StartTransaction();
        QCOMPARE(ValoareCamp(QStringLiteral("T"), QStringLiteral("P"), cod, x, y), valoare);
        QCOMPARE(ParseExp(QStringLiteral("<{T.P.%1}>").arg(cod), x, y), QStringLiteral("<%1>").arg(valoare));
        QVERIFY(dm.Tr.InTransaction());
        dm.Tr.Rollback();
    }

    void valoareCamp_vedeScrierileApelantului()
    {
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        QCOMPARE(ValoareCamp("T", "P", "A", 3, -1), QString());
        ScrieValoare(dm, "T", "P", "A", "a3", "ID_ELEVI", 3);
        QCOMPARE(ValoareCamp("T", "P", "A", 3, -1), QStringLiteral("a3"));
        dm.Tr.Rollback();
        QCOMPARE(ValoareCamp("T", "P", "A", 3, -1), QString());
    }

    void valoareCamp_eroare_data()
    {
        QTest::addColumn<bool>("inTranzactie");
        QTest::newRow("own transaction") << false;
        QTest::newRow("caller's transaction") << true;
    }
    void valoareCamp_eroare()
    {
        QFETCH(bool, inTranzactie);
        TDM &dm = m_b->Dm();
        if (inTranzactie)
            dm.Tr.StartTransaction();
        const QString m = MesajulErorii([] { ValoareCamp("T", "P", "RAU", 1, -1); });
        QVERIFY2(m.contains(QLatin1String("NU E TABEL")), qPrintable(m));
        QCOMPARE(dm.Tr.InTransaction(), inTranzactie);
        for (TQuery *q : {&dm.Q1, &dm.Q2, &dm.Q3})
            QVERIFY(!q->Active());
        if (inTranzactie) {
            // The caller's transaction is still usable.
            QCOMPARE(ValoareCamp("T", "P", "A", 1, -1), QStringLiteral("a1"));
            dm.Tr.Rollback();
        }
    }

    void parseExp_data()
    {
        QTest::addColumn<QString>("expresie");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("two empty keys") << "{T.P.NOPE} - {X.Y.Z}" << " - ";
        QTest::newRow("separators kept") << "{T.P.A}; {T.P.N} {T.P.D}" << "a1; n1 a1";
        QTest::newRow("no braces") << "fara acolade: x.y.z" << "fara acolade: x.y.z";
        QTest::newRow("open key") << "{T.P.A" << "";
        QTest::newRow("open key after text") << "ab {T.P.A} {T.P.N" << "ab a1 ";
        QTest::newRow("lone closing brace") << "x}{T.P.A}y" << "x}a1y";
        QTest::newRow("brace inside key") << "{{T.P.A}" << "";
        QTest::newRow("empty key") << "[{}]" << "[]";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("four-part key") << "{T.P.A.rest}" << "a1";
    }
    void parseExp()
    {
        QFETCH(QString, expresie);
        QFETCH(QString, rezultat);
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        QCOMPARE(ParseExp(expresie, 1, -1), rezultat);
        dm.Tr.Rollback();
    }

    void parseExp_faraTranzactie()
    {
        QCOMPARE(MesajulErorii([] { ParseExp(QStringLiteral("{T.P.A}"), 1, -1); }),
                 QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
        QVERIFY(!m_b->Dm().Tr.InTransaction());
    }

    void despartePeCuvinte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("form code") << "DatePersonale" << " Date Personale";
        QTest::newRow("lower case only") << "lauridex" << "lauridex";
        QTest::newRow("capitals") << "AB" << " A B";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not A to Z") << QStringLiteral("ŞcoalaÎn 1") << QStringLiteral("ŞcoalaÎn 1");
    }
    void despartePeCuvinte()
    {
        QFETCH(QString, text);
        QFETCH(QString, rezultat);
        QCOMPARE(DespartePeCuvinte(text), rezultat);
    }

    void listaCampuriOnorate()
    {
        TDM &dm = m_b->Dm();
        QStringList institutia = ListaCampuriOnorate(QStringLiteral("INSTITUTIA")).split(QStringLiteral("; "));
        QVERIFY(!dm.Tr.InTransaction());
        institutia.sort();
        QCOMPARE(institutia, (QStringList{"{Lauridex.FATA.C_ADRESA}", "{Lauridex.FATA.C_DECAN/DIRECTOR}",
                                          "{Lauridex.FATA.C_INSTITUTIA_1}", "{Lauridex.FATA.C_INSTITUTIA_2}",
                                          "{Lauridex.FATA.C_RECTOR}", "{Lauridex.FATA.C_SECRETAR_SEF}", "{T.P.I}"}));
        QCOMPARE(ListaCampuriOnorate(QStringLiteral("CANDIDAT")), QString());

        // Inside the caller's transaction: sees its change, leaves it open.
        dm.Tr.StartTransaction();
        dm.Q8.SetSQL(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ONOREZ_SIMILAR='SELECTIV' WHERE COD_FORMULAR='Lauridex'"));
        dm.Q8.ExecSQL();
        QCOMPARE(ListaCampuriOnorate(QStringLiteral("INSTITUTIA")), QStringLiteral("{T.P.I}"));
        QVERIFY(dm.Tr.InTransaction());
        dm.Tr.Rollback();
    }

    // The read cache must follow every change made in the same transaction.
    void cache_nuServesteValoriVechi()
    {
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        for (int id = 100; id < 140; ++id) {
            dm.Q8.SetSQL(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (%1)").arg(id));
            dm.Q8.ExecSQL();
            ScrieValoare(dm, "T", "P", "A", QStringLiteral("v%1").arg(id), "ID_ELEVI", id);
        }
        auto toate = [] {
            QStringList r;
            for (int id = 100; id < 140; ++id)
                r << ParseExp(QStringLiteral("{T.P.D}"), id, -1);
            return r;
        };
        QStringList asteptat;
        for (int id = 100; id < 140; ++id)
            asteptat << QStringLiteral("v%1").arg(id);
        QCOMPARE(toate(), asteptat); // enough lookups for the whole field to be read at once
        QCOMPARE(toate(), asteptat);

        dm.Q4.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT='schimbat' WHERE COD_CAMP='A' AND ID_ELEVI=105"));
        dm.Q4.ExecSQL();
        asteptat[5] = QStringLiteral("schimbat");
        QCOMPARE(toate(), asteptat);

        dm.Q4.SetSQL(QStringLiteral("DELETE FROM \"DATE\" WHERE COD_CAMP='A' AND ID_ELEVI=106"));
        dm.Q4.ExecSQL();
        asteptat[6] = QString();
        QCOMPARE(toate(), asteptat);

        // A write whose statement gives a row back, opened rather than executed.
        dm.Q4.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT='intors' WHERE COD_CAMP='A' AND ID_ELEVI=107 "
                                    "RETURNING VALOARE_TEXT"));
        dm.Q4.Open();
        dm.Q4.Close();
        asteptat[7] = QStringLiteral("intors");
        QCOMPARE(toate(), asteptat);

        dm.Q4.SetSQL(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ONOREZ_SIMILAR='NU' WHERE COD_FORMULAR='T' AND COD_CAMP='D'"));
        dm.Q4.ExecSQL();
        QCOMPARE(toate(), QStringList(40, QString())); // D has no own values for these pupils
        dm.Tr.Rollback();

        // Rolled back: the old values and the old link again.
        dm.Tr.StartTransaction();
        QCOMPARE(ParseExp(QStringLiteral("{T.P.D}|{T.P.D}"), 1, -1), QStringLiteral("a1|a1"));
        QCOMPARE(ParseExp(QStringLiteral("{T.P.A}"), 105, -1), QString());
        dm.Tr.Rollback();
    }

    // A write run through a cursor (a block that returns rows) must show at once too.
    void cache_scriereCuCursor()
    {
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        auto refa = qScopeGuard([&] { dm.Tr.Rollback(); });
        for (int i = 0; i < 20; ++i) // enough for the whole field to be read at once
            QCOMPARE(ValoareCamp("T", "P", "A", 1, -1), QStringLiteral("a1"));
        dm.Q4.SetSQL(QStringLiteral("EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN UPDATE \"DATE\" SET VALOARE_TEXT='bloc' "
                                    "WHERE COD_FORMULAR='T' AND COD_CAMP='A' AND ID_ELEVI=1; N = 1; SUSPEND; END"));
        dm.Q4.Open();
        dm.Q4.Close();
        QCOMPARE(ValoareCamp("T", "P", "A", 1, -1), QStringLiteral("bloc"));
    }

    // Reading a field whole is only a shortcut: where it cannot be done (an owner with no
    // link column), the one-record queries decide, as they would without it.
    void cache_citireIntreagaImposibila()
    {
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        for (int id = 300; id < 340; ++id) {
            dm.Q8.SetSQL(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (%1)").arg(id));
            dm.Q8.ExecSQL();
        }
        for (int id = 300; id < 340; ++id)
            QCOMPARE(ValoareCamp("T", "P", "OF", id, -1), QString());
        dm.Tr.Rollback();
    }

    // What another connection commits is seen exactly when the engine shows it to the
    // caller's transaction, never earlier or later.
    void cache_altaConexiune()
    {
        TDM &dm = m_b->Dm();
        TBazaDeDate alta;
        alta.DatabaseName = m_b->CaleBaza();
        alta.Params = TBazaDeDate::ParametriProgram();
        alta.Open();
        TTranzactie trAlta(alta);
        TQuery qAlta(alta, trAlta);
        auto scrie = [&](const QString &text) {
            trAlta.StartTransaction();
            qAlta.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT=:V WHERE COD_FORMULAR='T' AND COD_PAGINA='P' AND "
                                        "COD_CAMP='A' AND ID_ELEVI=1"));
            qAlta.SetParamText(QStringLiteral("V"), text);
            qAlta.ExecSQL();
            trAlta.Commit();
        };
        auto motorul = [&] {
            dm.Q4.SetSQL(QStringLiteral("SELECT VALOARE_TEXT FROM \"DATE\" WHERE COD_FORMULAR='T' AND COD_PAGINA='P' AND "
                                        "COD_CAMP='A' AND ID_ELEVI=1"));
            dm.Q4.Open();
            const QString v = dm.Q4.AsText(QStringLiteral("VALOARE_TEXT"));
            dm.Q4.Close();
            return v;
        };
        auto refa = qScopeGuard([&] {
            if (dm.Tr.InTransaction())
                dm.Tr.Rollback();
            scrie(QStringLiteral("a1"));
        });

        dm.Tr.StartTransaction();
        for (int i = 0; i < 20; ++i) // enough for the whole field to be read at once
            for (int id : {1, 2})
                QCOMPARE(ParseExp(QStringLiteral("{T.P.A}"), id, -1), id == 1 ? QStringLiteral("a1") : QStringLiteral("a2"));
        scrie(QStringLiteral("de alaturi"));
        QCOMPARE(ParseExp(QStringLiteral("{T.P.A}"), 1, -1), motorul());
        dm.Tr.Rollback();
        QCOMPARE(ValoareCamp("T", "P", "A", 1, -1), QStringLiteral("de alaturi"));
        dm.Tr.StartTransaction();
        QCOMPARE(ParseExp(QStringLiteral("{T.P.A}|{T.P.D}"), 1, -1), QStringLiteral("de alaturi|de alaturi"));
        dm.Tr.Rollback();
    }

    // A record with two rows of one field: reading the field whole answers as the
    // one-record query does.
    void cache_randuriDuble()
    {
        TDM &dm = m_b->Dm();
        dm.Tr.StartTransaction();
        for (int id = 200; id < 230; ++id) {
            dm.Q8.SetSQL(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (%1)").arg(id));
            dm.Q8.ExecSQL();
            ScrieValoare(dm, "T", "P", "A", QStringLiteral("w%1").arg(id), "ID_ELEVI", id);
        }
        ScrieValoare(dm, "T", "P", "A", QStringLiteral("dublura"), "ID_ELEVI", 229);
        const QString singur = ValoareCamp("T", "P", "A", 229, -1); // first lookup: one-record query
        for (int id = 200; id < 229; ++id)
            QCOMPARE(ValoareCamp("T", "P", "A", id, -1), QStringLiteral("w%1").arg(id));
        QCOMPARE(ValoareCamp("T", "P", "A", 229, -1), singur);
        dm.Tr.Rollback();
    }

    // A database opened after another one never sees the first one's values, even when
    // its data module takes the same place in memory and does the same work.
    void cache_bazaNouaNuVedeBazaVeche()
    {
        for (const QString &nume : {QStringLiteral("prima"), QStringLiteral("a doua")}) {
            TBazaDeTest b;
            b.Start();
            TDM &dm = b.Dm();
            dm.Tr.StartTransaction();
            dm.Q8.SetSQL(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (1)"));
            dm.Q8.ExecSQL();
            ScrieValoare(dm, "Lauridex", "FATA", "C_NUME", nume, "ID_ELEVI", 1);
            dm.Tr.Commit();
            dm.Tr.StartTransaction();
            QCOMPARE(ParseExp(QStringLiteral("{Lauridex.FATA.C_NUME}"), 1, -1), nume);
            dm.Tr.Rollback();
        }
    }

    // The certificate's own profile: each value typed once, on the stub or the record.
    void profilulCertificatului()
    {
        TBazaDeTest b;
        b.Start();
        TDM &dm = b.Dm();
        dm.Tr.StartTransaction();
        for (const char *s : {"INSERT INTO ELEVI (ID_ELEVI) VALUES (1)", "INSERT INTO ELEVI (ID_ELEVI) VALUES (2)",
                              "INSERT INTO INSTITUTIA (ID_INSTITUTIA) VALUES (5)", "INSERT INTO SCOALA (ID_SCOALA) VALUES (8)"}) {
            dm.Q8.SetSQL(QString::fromLatin1(s));
            dm.Q8.ExecSQL();
        }
        ScrieValoare(dm, "Lauridex", "FATA", "C_NUME", QStringLiteral("Popescu Ana"), "ID_ELEVI", 1);
        ScrieValoare(dm, "Lauridex", "FATA", "C_GRAD_1_L1", QStringLiteral("gradul I"), "ID_ELEVI", 1);
        ScrieValoare(dm, "Lauridex", "FATA", "C_INSTITUTIA_1", QStringLiteral("Universitatea din Iaşi"), "ID_INSTITUTIA", 5);
        ScrieValoare(dm, "Lauridex", "FATA", "C_INSTITUTIA_1", QString(), "ID_ELEVI", 1, "IDF_INSTITUTIA", 5);
        ScrieValoare(dm, "Lauridex", "FATA", "C_SESIUNEA", QStringLiteral("iulie 2008"), "ID_SCOALA", 8);
        ScrieValoare(dm, "Lauridex", "FATA", "C_SESIUNEA", QString(), "ID_ELEVI", 1, "IDF_SCOALA", 8);
        QCOMPARE(ParseExp(TListaLiniiProfilLX::Clasa().ListaCampuriElev(), 1, -1), QStringLiteral("Popescu Ana"));
        QCOMPARE(ParseExp(TListaLiniiProfilLX::Clasa().ListaCampuriElev(), 2, -1), QString());
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_NUME", 1, -1), QStringLiteral("Popescu Ana"));
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_GRAD_1", 1, -1), QStringLiteral("gradul I"));
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_INSTITUTIA", 1, -1), QStringLiteral("Universitatea din Iaşi"));
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_SESIUNEA", 1, -1), QStringLiteral("iulie 2008"));
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_SESIUNEA", 2, -1), QString());
        // The institution named by its naming fields, as the lists do.
        QCOMPARE(ParseExp(QStringLiteral("{Lauridex.FATA.C_INSTITUTIA_1}"), -1, 5), QStringLiteral("Universitatea din Iaşi"));
        // One certificate may differ: its link switched off, it shows its own value.
        ScrieValoare(dm, "Lauridex", "FATA", "D_NUME", QStringLiteral("POPESCU ANA"), "ID_ELEVI", 1);
        dm.Q8.SetSQL(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ONOREZ_SIMILAR='NU' WHERE COD_CAMP='D_NUME'"));
        dm.Q8.ExecSQL();
        QCOMPARE(ValoareCamp("Lauridex", "FATA", "D_NUME", 1, -1), QStringLiteral("POPESCU ANA"));
        dm.Tr.Rollback();
    }
};

QTEST_GUILESS_MAIN(TstValori)
#include "tst_valori.moc"
