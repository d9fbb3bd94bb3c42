// Start-up synchronisation of TABELE, TIPURI_DE_DATE and PROFIL_DIPLOMA on real databases.
#include "db/DM.h"
#include "db/Sincronizare.h"
#include "profile/ProfilLX.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"

#include <QtTest>

namespace {

const QString kProfil = QStringLiteral(
    "SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR, ETICHETA_EDITOR, FORMULA, VIZIBIL, "
    "TIP_DE_DATE, ASOCIAT_CU, GRUP, ORDINE, LATIME_SUGERATA, COD_LINIE FROM PROFIL_DIPLOMA ORDER BY ORDINE, COD_CAMP");

QStringList Continut(TBazaDeTest &b)
{
    return b.Randuri(kProfil) + b.Randuri(QStringLiteral("SELECT * FROM TABELE ORDER BY 1")) +
           b.Randuri(QStringLiteral("SELECT * FROM TIPURI_DE_DATE ORDER BY 1"));
}

// The expected database row of a profile line, ONOREZ_SIMILAR given.
QString Rand(const TLinieProfilDiploma &l, const QString &onorez)
{
    return QStringList{l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP, l.SIMILAR_CU, onorez, l.ETICHETA_EDITOR, l.FORMULA,
                       l.VIZIBIL, l.TIP_DE_DATE, l.ASOCIAT_CU, l.GRUP, QString::number(l.ORDINE),
                       QString::number(l.LATIME_SUGERATA), l.COD_LINIE}
        .join(u'|');
}

TLinieProfilDiploma Linie(const QString &camp, const QString &eticheta = QStringLiteral("[G]E"))
{
    return TLinieProfilDiploma{"Lauridex", "FATA", camp, "", "NU", eticheta, "", "DA", "TEXT", "ELEVI", "G", 1, 100, ""};
}

void ScrieProfil(TBazaDeTest &b, const std::vector<TLinieProfilDiploma> &linii)
{
    TListaLiniiProfilDiploma p;
    for (const TLinieProfilDiploma &l : linii)
        p.Adauga(l);
    p.SalveazaInFisier(b.CaleFisier(QStringLiteral("LX2008.binprof")), QStringLiteral("test"));
}

class TTabeleDuble final : public TClasaListaTabele {
public:
    QString NumeClasa() const override { return QStringLiteral("TTabeleDuble"); }
    std::unique_ptr<TListaLiniiTabel> Create() const override
    {
        auto l = std::make_unique<TListaLiniiTabel>();
        l->AdaugaTabel(QStringLiteral("DUBLA"), QStringLiteral("prima"));
        l->AdaugaTabel(QStringLiteral("DUBLA"), QStringLiteral("a doua"));
        return l;
    }
};

} // namespace

class TstSincronizare : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        AnuleazaInregistrareaProfilului();
        AnuleazaInregistrareaListeiTabele();
        InregistreazaProfilulLX();
    }

    void primaPornire()
    {
        TBazaDeTest b;
        b.Start();
        QCOMPARE(b.Randuri(QStringLiteral("SELECT NUME_TABEL, EXP_DENUMIRE FROM TABELE ORDER BY 1")),
                 (QStringList{"CANDIDAT|", "ELEVI|Elevi", "INSTITUTIA|Denumirea scolii", "SCOALA|Scoala"}));
        QCOMPARE(b.Randuri(QStringLiteral("SELECT TIP_DE_DATE FROM TIPURI_DE_DATE ORDER BY 1")),
                 (QStringList{"CALIFICATIV", "CF", "CNP", "NOTA", "NOTA sau CALIFICATIV", "SIRUES", "TEXT"}));

        // Every line of the shipped profile, as it is, with ONOREZ_SIMILAR "DA".
        TListaLiniiProfilDiploma p;
        p.IncarcaDinFisier(b.CaleFisier(QStringLiteral("LX2008.binprof")));
        QCOMPARE(p.Count(), 41);
        QStringList asteptat;
        for (const TLinieProfilDiploma &l : p.Linii())
            asteptat << Rand(l, QStringLiteral("DA"));
        QStringList gasit = b.Randuri(kProfil);
        asteptat.sort();
        gasit.sort();
        QCOMPARE(gasit, asteptat);
    }

    void onorezRamaneAsociatSeReface()
    {
        TBazaDeTest b;
        b.Start();
        b.Executa(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ONOREZ_SIMILAR='NU', ASOCIAT_CU='SCOALA', ETICHETA_EDITOR='x', "
                                 "ORDINE=999, COD_LINIE='Z' WHERE COD_CAMP='D_NUME'"));
        b.Executa(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ONOREZ_SIMILAR='SELECTIV' WHERE COD_CAMP='D_ADRESA'"));
        b.Stop();
        b.Start();
        QCOMPARE(b.Randuri(QStringLiteral("SELECT ONOREZ_SIMILAR, ASOCIAT_CU, ETICHETA_EDITOR, ORDINE, COD_LINIE "
                                          "FROM PROFIL_DIPLOMA WHERE COD_CAMP='D_NUME'")),
                 QStringList{"NU|ELEVI|[Diploma]Numele si prenumele pe diploma|230|"});
        QCOMPARE(b.Scalar(QStringLiteral("SELECT ONOREZ_SIMILAR FROM PROFIL_DIPLOMA WHERE COD_CAMP='D_ADRESA'")),
                 QStringLiteral("SELECTIV"));
    }

    void randulScosDinProfilPastreazaValorile()
    {
        TBazaDeTest b;
        b.Start();
        b.Executa(QStringLiteral("INSERT INTO PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR, ASOCIAT_CU) "
                                 "VALUES ('Lauridex', 'FATA', 'C_VECHI', 'DA', 'ELEVI')"));
        // Same codes but another case: not the profile's line either.
        b.Executa(QStringLiteral("INSERT INTO PROFIL_DIPLOMA (COD_FORMULAR, COD_PAGINA, COD_CAMP, ONOREZ_SIMILAR, ASOCIAT_CU) "
                                 "VALUES ('Lauridex', 'FATA', 'c_nume', 'DA', 'ELEVI')"));
        b.Executa(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (1)"));
        b.Executa(QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, ID_ELEVI) "
                                 "VALUES ('Lauridex', 'FATA', 'C_VECHI', 'pastrat', 1)"));
        b.Stop();
        b.Start();
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM PROFIL_DIPLOMA WHERE COD_CAMP IN ('C_VECHI', 'c_nume')")),
                 QStringLiteral("0"));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM PROFIL_DIPLOMA")), QStringLiteral("41"));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT VALOARE_TEXT FROM \"DATE\" WHERE COD_CAMP='C_VECHI'")), QStringLiteral("pastrat"));
    }

    void aDouaPornireNuSchimbaNimic()
    {
        TBazaDeTest b;
        b.Start();
        const QStringList inainte = Continut(b);
        b.Stop();
        b.Start();
        QCOMPARE(Continut(b), inainte);
    }

    void douaLiniiCuAceleasiCoduri()
    {
        TBazaDeTest b;
        ScrieProfil(b, {Linie("C_NUME", "[G]prima"), Linie("C_NUME", "[G]a doua")});
        b.Start();
        QCOMPARE(b.Randuri(QStringLiteral("SELECT COD_CAMP, ETICHETA_EDITOR, ONOREZ_SIMILAR FROM PROFIL_DIPLOMA")),
                 QStringList{"C_NUME|[G]a doua|DA"});
    }

    void douaTabeleCuAcelasiNume()
    {
        AnuleazaInregistrareaListeiTabele();
        static const TTabeleDuble duble;
        InregistreazaListaTabele(&duble);
        TBazaDeTest b;
        b.Start();
        QCOMPARE(b.Scalar(QStringLiteral("SELECT EXP_DENUMIRE FROM TABELE WHERE NUME_TABEL='DUBLA'")), QStringLiteral("a doua"));
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM TABELE")), QStringLiteral("3"));
    }

    void profilLipsaSauStricat_data()
    {
        QTest::addColumn<QByteArray>("continut"); // empty: no file at all
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("missing") << QByteArray() << "LX2008.binprof";
        QTest::newRow("version 2") << QByteArray("\x06\x01h\x02\x02\x02\x00", 7) << "Invalid stream";
        QTest::newRow("truncated") << QByteArray("\x06\x01h\x02\x00\x02\x05", 7) << "Stream read error";
    }
    void profilLipsaSauStricat()
    {
        QFETCH(QByteArray, continut);
        QFETCH(QString, mesaj);
        TBazaDeTest b;
        b.Start();
        b.Executa(QStringLiteral("UPDATE PROFIL_DIPLOMA SET ETICHETA_EDITOR='al utilizatorului' WHERE COD_CAMP='C_NUME'"));
        const QStringList inainte = b.Randuri(kProfil);
        b.Stop();
        const QString cale = b.CaleFisier(QStringLiteral("LX2008.binprof"));
        QFile::remove(cale);
        if (!continut.isEmpty())
            QVERIFY(b.ScrieFisier(QStringLiteral("LX2008.binprof"), continut));
        const QString m = MesajulErorii([&] { b.Start(); });
        QVERIFY2(m.contains(mesaj), qPrintable(m));
        QCOMPARE(b.Randuri(kProfil), inainte);
    }

    void eroareaBazeiAnuleazaTotPasul()
    {
        TBazaDeTest b;
        b.Start();
        // The first line is new, the second cannot be stored (code wider than the column):
        // nothing of the pass may stay, the rows that would be deleted included.
        ScrieProfil(b, {Linie("C_NOU"), Linie(QString(100, u'X'))});
        const QStringList inainte = b.Randuri(kProfil);
        QVERIFY(!MesajulErorii([] { SincronizeazaProfil(); }).isEmpty());
        QVERIFY(!b.Dm().Tr.InTransaction());
        QCOMPARE(b.Randuri(kProfil), inainte);
    }

    void faraInregistrare_data()
    {
        QTest::addColumn<int>("pas");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("table list") << 0 << "Nu ai inclus nici o \"lista tabel\"";
        QTest::newRow("profile") << 1 << "Nu ai inclus nici o \"lista profil\"";
    }
    void faraInregistrare()
    {
        QFETCH(int, pas);
        QFETCH(QString, mesaj);
        TBazaDeTest b;
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        const QStringList inainte = Continut(b);
        if (pas == 0) {
            AnuleazaInregistrareaListeiTabele();
            QCOMPARE(MesajulErorii([] { SincronizeazaTabele(); }), mesaj);
        } else {
            AnuleazaInregistrareaProfilului();
            QCOMPARE(MesajulErorii([] { SincronizeazaProfil(); }), mesaj);
        }
        QVERIFY(!b.Dm().Tr.InTransaction());
        QCOMPARE(Continut(b), inainte);
    }

    void tipuriStraineRaman()
    {
        TBazaDeTest b;
        b.Conecteaza();
        b.Dm().ActualizeazaSchema();
        b.Executa(QStringLiteral("INSERT INTO TIPURI_DE_DATE (TIP_DE_DATE) VALUES ('DATA')"));
        b.Executa(QStringLiteral("INSERT INTO TIPURI_DE_DATE (TIP_DE_DATE) VALUES ('NOTA')"));
        SincronizeazaTipuriDeDate();
        QCOMPARE(b.Scalar(QStringLiteral("SELECT COUNT(*) FROM TIPURI_DE_DATE")), QStringLiteral("8"));
    }
};

QTEST_GUILESS_MAIN(TstSincronizare)
#include "tst_sincronizare.moc"
