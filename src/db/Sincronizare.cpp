#include "db/Sincronizare.h"

#include "db/DM.h"
#include "db/AjutoareSincronizare.h"
#include "profile/ListaTabele.h"
#include "profile/ProfilDiploma.h"
#include "text/Eroare.h"

void SincronizeazaTabele()
{
    const TClasaListaTabele *clasa = ListaTabeleInregistrata();
    if (!clasa)
        throw EZel(QStringLiteral("Nu ai inclus nici o \"lista tabel\""));
    const std::unique_ptr<TListaLiniiTabel> lista = clasa->Create();
    TDM &dm = DM();
    InTranzactie(dm, [&] {
        for (int i = 0; i < lista->Count(); ++i) {
            const TLinieTabel &t = (*lista)[i];
            dm.Q1.SetSQL(QStringLiteral("select    * from    TABELE where    (NUME_TABEL = :NUME_TABEL)"));
            dm.Q1.SetParamText(QStringLiteral("NUME_TABEL"), t.NUME_TABEL);
            if (!AreRand(dm.Q1))
                dm.Q1.SetSQL(QStringLiteral("insert into    TABELE    (NUME_TABEL, EXP_DENUMIRE) values    "
                                            "(:NUME_TABEL, :EXP_DENUMIRE)"));
            else
                dm.Q1.SetSQL(QStringLiteral("update    TABELE set    NUME_TABEL = :NUME_TABEL, EXP_DENUMIRE = "
                                            ":EXP_DENUMIRE where    (NUME_TABEL = :NUME_TABEL)"));
            dm.Q1.SetParamText(QStringLiteral("NUME_TABEL"), t.NUME_TABEL);
            dm.Q1.SetParamText(QStringLiteral("EXP_DENUMIRE"), t.EXP_DENUMIRE);
            dm.Q1.ExecSQL();
        }
    });
}

void SincronizeazaTipuriDeDate()
{
    TDM &dm = DM();
    InTranzactie(dm, [&] {
        for (const QString &tip : TipDeDate::Toate()) {
            dm.Q1.SetSQL(QStringLiteral("select * from TIPURI_DE_DATE where TIP_DE_DATE = :TIP_DE_DATE"));
            dm.Q1.SetParamText(QStringLiteral("TIP_DE_DATE"), tip);
            if (AreRand(dm.Q1))
                continue;
            dm.Q1.SetSQL(QStringLiteral("insert into TIPURI_DE_DATE (TIP_DE_DATE) values (:TIP_DE_DATE)"));
            dm.Q1.SetParamText(QStringLiteral("TIP_DE_DATE"), tip);
            dm.Q1.ExecSQL();
        }
    });
}

void SincronizeazaProfil()
{
    const TClasaProfilDiploma *clasa = ProfilInregistrat();
    if (!clasa)
        throw EZel(QStringLiteral("Nu ai inclus nici o \"lista profil\""));
    // Reads the profile file; a missing or bad file stops here, before any write.
    const std::unique_ptr<TListaLiniiProfilDiploma> profil = clasa->Create();
    TDM &dm = DM();
    InTranzactie(dm, [&] {
        TQuery &q = dm.Q1;
        for (const TLinieProfilDiploma &l : profil->Linii()) {
            q.SetSQL(QStringLiteral("select    * from    PROFIL_DIPLOMA where    (COD_FORMULAR = :COD_FORMULAR) and "
                                    "(COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
            q.SetParamText(QStringLiteral("COD_FORMULAR"), l.COD_FORMULAR);
            q.SetParamText(QStringLiteral("COD_PAGINA"), l.COD_PAGINA);
            q.SetParamText(QStringLiteral("COD_CAMP"), l.COD_CAMP);
            if (!AreRand(q))
                q.SetSQL(QStringLiteral(
                    "insert into    PROFIL_DIPLOMA    (COD_FORMULAR, COD_PAGINA, COD_CAMP, SIMILAR_CU, ONOREZ_SIMILAR,    "
                    "ETICHETA_EDITOR, FORMULA, VIZIBIL, TIP_DE_DATE, ASOCIAT_CU, GRUP, LATIME_SUGERATA, COD_LINIE, ORDINE) "
                    "values    (:COD_FORMULAR, :COD_PAGINA, :COD_CAMP, :SIMILAR_CU, 'DA',    :ETICHETA_EDITOR, :FORMULA, "
                    ":VIZIBIL, :TIP_DE_DATE, :ASOCIAT_CU, :GRUP, :LATIME_SUGERATA, :COD_LINIE, :ORDINE)"));
            else
                q.SetSQL(QStringLiteral(
                    "update    PROFIL_DIPLOMA set    SIMILAR_CU = :SIMILAR_CU, ETICHETA_EDITOR = :ETICHETA_EDITOR,    "
                    "FORMULA = :FORMULA, VIZIBIL = :VIZIBIL, TIP_DE_DATE = :TIP_DE_DATE,    ASOCIAT_CU = :ASOCIAT_CU, "
                    "GRUP = :GRUP, LATIME_SUGERATA=:LATIME_SUGERATA, COD_LINIE=:COD_LINIE, ORDINE=:ORDINE where    "
                    "(COD_FORMULAR = :COD_FORMULAR) and (COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
            q.SetParamText(QStringLiteral("COD_FORMULAR"), l.COD_FORMULAR);
            q.SetParamText(QStringLiteral("COD_PAGINA"), l.COD_PAGINA);
            q.SetParamText(QStringLiteral("COD_CAMP"), l.COD_CAMP);
            q.SetParamText(QStringLiteral("SIMILAR_CU"), l.SIMILAR_CU);
            q.SetParamText(QStringLiteral("ETICHETA_EDITOR"), l.ETICHETA_EDITOR);
            q.SetParamText(QStringLiteral("FORMULA"), l.FORMULA);
            q.SetParamText(QStringLiteral("VIZIBIL"), l.VIZIBIL);
            q.SetParamText(QStringLiteral("TIP_DE_DATE"), l.TIP_DE_DATE);
            q.SetParamText(QStringLiteral("ASOCIAT_CU"), l.ASOCIAT_CU);
            q.SetParamText(QStringLiteral("GRUP"), l.GRUP);
            q.SetParamInt(QStringLiteral("LATIME_SUGERATA"), l.LATIME_SUGERATA);
            q.SetParamText(QStringLiteral("COD_LINIE"), l.COD_LINIE);
            q.SetParamInt(QStringLiteral("ORDINE"), l.ORDINE);
            q.ExecSQL();
        }

        // Rows the profile no longer has; their values in "DATE" stay.
        q.SetSQL(QStringLiteral("select COD_FORMULAR, COD_PAGINA, COD_CAMP from PROFIL_DIPLOMA"));
        q.Open();
        for (; !q.Eof(); q.Next()) {
            const QString f = q.AsText(QStringLiteral("COD_FORMULAR"));
            const QString p = q.AsText(QStringLiteral("COD_PAGINA"));
            const QString c = q.AsText(QStringLiteral("COD_CAMP"));
            bool inProfil = false;
            for (const TLinieProfilDiploma &l : profil->Linii())
                if (l.COD_FORMULAR == f && l.COD_PAGINA == p && l.COD_CAMP == c) {
                    inProfil = true;
                    break;
                }
            if (inProfil)
                continue;
            dm.Q2.SetSQL(QStringLiteral("delete from PROFIL_DIPLOMA where (COD_FORMULAR = :COD_FORMULAR) and "
                                        "(COD_PAGINA = :COD_PAGINA) and (COD_CAMP = :COD_CAMP)"));
            dm.Q2.SetParamText(QStringLiteral("COD_FORMULAR"), f);
            dm.Q2.SetParamText(QStringLiteral("COD_PAGINA"), p);
            dm.Q2.SetParamText(QStringLiteral("COD_CAMP"), c);
            dm.Q2.ExecSQL();
        }
        q.Close();
    });
}
