#include "profile/ListaTabele.h"
#include "profile/ProfilDiploma.h"
#include "profile/ProfilLX.h"
#include "profile/SursaProfil.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"
#include "text/FolderProgram.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Builds the bytes of a profile file value by value, so each fixture says what it holds.
class Octeti {
public:
    Octeti &I(int32_t v)
    {
        TScriitorValori s;
        s.ScrieIntreg(v);
        m_b += s.Date();
        return *this;
    }
    Octeti &T(const QString &v)
    {
        TScriitorValori s;
        s.ScrieText(v);
        m_b += s.Date();
        return *this;
    }
    Octeti &Brut(const QByteArray &b)
    {
        m_b += b;
        return *this;
    }
    // One well-formed line after its leading integer.
    Octeti &Linie(const QString &camp, int32_t ordine = 1)
    {
        for (const QString &t : {QStringLiteral("F"), QStringLiteral("P"), camp, QString(), QStringLiteral("DA"),
                                 QStringLiteral("[G]Eticheta"), QString(), QStringLiteral("DA"), QStringLiteral("TEXT"),
                                 QStringLiteral("ELEVI"), QStringLiteral("G")})
            T(t);
        return I(ordine).I(100).T(QString());
    }
    operator QByteArray() const { return m_b; }

private:
    QByteArray m_b;
};

Octeti Antet() { return std::move(Octeti().T(QStringLiteral("hdr"))); }

QString Mesaj(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EZel &e) {
        return e.Mesaj();
    }
    return QStringLiteral("<no error>");
}

// Two class references for the registry tests.
class TClasaA final : public TClasaProfilDiploma {
public:
    QString NumeClasa() const override { return QStringLiteral("TClasaA"); }
    std::unique_ptr<TListaLiniiProfilDiploma> Create() const override { return std::make_unique<TListaLiniiProfilDiploma>(); }
};
class TClasaB final : public TClasaProfilDiploma {
public:
    QString NumeClasa() const override { return QStringLiteral("TClasaB"); }
    std::unique_ptr<TListaLiniiProfilDiploma> Create() const override { return std::make_unique<TListaLiniiProfilDiploma>(); }
};
class TTabeleA final : public TClasaListaTabele {
public:
    QString NumeClasa() const override { return QStringLiteral("TTabeleA"); }
    std::unique_ptr<TListaLiniiTabel> Create() const override { return std::make_unique<TListaLiniiTabel>(); }
};

const QStringList kCampuriTiparite = {
    "C_NUME", "C_GRAD_1_L1", "C_GRAD_1_L2", "C_GRAD_2_L1", "C_GRAD_2_L2", "C_INSTITUTIA_1", "C_INSTITUTIA_2",
    "C_ADRESA", "C_SESIUNEA", "C_MEDIA_GEN", "C_FCT_DIDACTICA", "C_SECRETAR_SEF", "C_ABREVIERE", "C_SPECIALITATEA",
    "C_ORDIN_NR", "C_ORDIN_DATA", "C_DATA_VIGOARE", "C_RECTOR", "C_DECAN/DIRECTOR", "C_REGISTRU_NR",
    "C_REGISTRU_DATA", "D_NUME", "D_GRAD_1", "D_GRAD_2", "D_INSTITUTIA", "D_INSTITUTIA_2", "D_ADRESA",
    "D_SESIUNEA", "D_MEDIA_GEN", "D_FCT_DIDACTICA", "D_SECRETAR_SEF", "D_ABREVIERE", "D_SPECIALITATEA",
    "D_ORDIN_NR", "D_ORDIN_DATA", "D_DATA_VIGOARE", "D_RECTOR", "D_DECAN/DIRECTOR", "D_REGISTRU_NR",
    "D_REGISTRU_DATA"};

} // namespace

class TstProfil : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString ScrieFisier(const QByteArray &b)
    {
        const QString cale = m_dir.filePath(QStringLiteral("p.binprof"));
        QFile f(cale);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(b) != b.size())
            qFatal("cannot write fixture");
        return cale;
    }

private Q_SLOTS:
    void cleanup()
    {
        AnuleazaInregistrareaProfilului();
        AnuleazaInregistrareaListeiTabele();
        RedirectioneazaFolderulProgramului(QString());
    }

    // ---- keys and data types ---------------------------------------------------------

    void descompuneCheie_data()
    {
        QTest::addColumn<QString>("cheie");
        QTest::addColumn<QStringList>("coduri");
        QTest::newRow("three") << "Lauridex.FATA.C_NUME" << QStringList{"Lauridex", "FATA", "C_NUME"};
        QTest::newRow("slash in code") << "Lauridex.FATA.C_DECAN/DIRECTOR" << QStringList{"Lauridex", "FATA", "C_DECAN/DIRECTOR"};
        QTest::newRow("four parts") << "A.B.C.D" << QStringList{"A", "B", "C"};
        QTest::newRow("two parts") << "A.B" << QStringList{"A", "B", ""};
        QTest::newRow("one part") << "A" << QStringList{"A", "", ""};
        QTest::newRow("empty") << "" << QStringList{"", "", ""};
        QTest::newRow("empty middle") << "A..C" << QStringList{"A", "", "C"};
    }
    void descompuneCheie()
    {
        QFETCH(QString, cheie);
        QFETCH(QStringList, coduri);
        const TCheieCamp k = DescompuneCheie(cheie);
        QCOMPARE((QStringList{k.COD_FORMULAR, k.COD_PAGINA, k.COD_CAMP}), coduri);
    }

    void tipuriDeDate_inOrderAndExact()
    {
        QCOMPARE(TipDeDate::Toate(), (QStringList{"TEXT", "CF", "SIRUES", "CNP", "NOTA", "CALIFICATIV", "NOTA sau CALIFICATIV"}));
        QVERIFY(TipDeDate::EsteCunoscut(QStringLiteral("NOTA sau CALIFICATIV")));
        QVERIFY(!TipDeDate::EsteCunoscut(QStringLiteral("nota")));
        QVERIFY(!TipDeDate::EsteCunoscut(QStringLiteral("NOTA ")));
    }

    // ---- reading the profile file ----------------------------------------------------

    void citire_erori_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<QString>("mesaj");
        QTest::addColumn<int>("liniiCitite");
        QTest::newRow("version 2") << QByteArray(Antet().I(2).I(0)) << "Invalid stream" << 0;
        QTest::newRow("version -1") << QByteArray(Antet().I(-1).I(0)) << "Invalid stream" << 0;
        QTest::newRow("line leading 1") << QByteArray(Antet().I(0).I(2).I(0).Linie("A").I(1).Linie("B")) << "Invalid Stream!" << 1;
        QTest::newRow("forms leading 1") << QByteArray(Antet().I(1).I(1).I(0).Linie("A").I(1)) << "Invalid stream" << 1;
        QTest::newRow("form leading 1") << QByteArray(Antet().I(1).I(0).I(0).I(1).I(1)) << "Invalid stream" << 0;
        QTest::newRow("pages leading 1")
            << QByteArray(Antet().I(1).I(0).I(0).I(1).I(0).T("F").T("Formular").I(1)) << "Invalid stream" << 0;
        QTest::newRow("page leading 1")
            << QByteArray(Antet().I(1).I(0).I(0).I(1).I(0).T("F").T("Formular").I(0).I(1).I(1)) << "Invalid stream" << 0;
        QTest::newRow("text where version") << QByteArray(Antet().T("0")) << "Invalid property value" << 0;
        QTest::newRow("integer where text") << QByteArray(Antet().I(0).I(1).I(0).I(5)) << "Invalid property value" << 0;
        QTest::newRow("unknown tag") << QByteArray(Antet().I(0).I(1).I(0).Brut("\x07\x01")) << "Invalid property value" << 0;
        QTest::newRow("header only") << QByteArray(Antet()) << "Stream read error" << 0;
        QTest::newRow("empty file") << QByteArray() << "Stream read error" << 0;
        QTest::newRow("count beyond data") << QByteArray(Antet().I(0).I(3).I(0).Linie("A")) << "Stream read error" << 1;
        QTest::newRow("text longer than data") << QByteArray(Antet().I(0).I(1).I(0).Brut("\x0C\xFF\xFF\x00\x00" "ab"))
                                               << "Stream read error" << 0;
        QTest::newRow("negative text length") << QByteArray(Antet().I(0).I(1).I(0).Brut("\x0C\xFF\xFF\xFF\xFF"))
                                              << "Stream read error" << 0;
        QTest::newRow("forms missing in version 1") << QByteArray(Antet().I(1).I(0)) << "Stream read error" << 0;
    }
    void citire_erori()
    {
        QFETCH(QByteArray, octeti);
        QFETCH(QString, mesaj);
        QFETCH(int, liniiCitite);
        const QString cale = ScrieFisier(octeti);
        TListaLiniiProfilDiploma p;
        QCOMPARE(Mesaj([&] { p.IncarcaDinFisier(cale); }), mesaj);
        QCOMPARE(p.Count(), liniiCitite);
    }

    void citire_versiune0Goala()
    {
        TListaLiniiProfilDiploma p;
        p.Formulare().push_back(TInfoFormularDiploma{"x", "y", {}});
        p.Adauga(TLinieProfilDiploma{});
        p.IncarcaDinFisier(ScrieFisier(Antet().I(0).I(0)));
        QCOMPARE(p.Count(), 0);
        QVERIFY(p.Formulare().empty());
    }

    void citire_toateCampurileSiFormularele()
    {
        Octeti b = Antet();
        b.I(1).I(1).I(0);
        for (int i = 1; i <= 11; ++i)
            b.T(QStringLiteral("t%1").arg(i));
        b.Brut(QByteArray("\x04\x10\x27\x00\x00", 5)).Brut(QByteArray("\x03\xFF\xFF", 3)).T("L");
        b.I(0).I(1).I(0).T("F1").T("Formular 1").I(0).I(2).I(0).T("P1").T("Pagina 1").I(0).T("P2").T("Pagina 2");
        TListaLiniiProfilDiploma p;
        p.IncarcaDinFisier(ScrieFisier(b));
        QCOMPARE(p.Count(), 1);
        const TLinieProfilDiploma &l = p[0];
        QCOMPARE((QStringList{l.COD_FORMULAR, l.COD_PAGINA, l.COD_CAMP, l.SIMILAR_CU, l.ONOREZ_SIMILAR_FISIER,
                              l.ETICHETA_EDITOR, l.FORMULA, l.VIZIBIL, l.TIP_DE_DATE, l.ASOCIAT_CU, l.GRUP}),
                 (QStringList{"t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8", "t9", "t10", "t11"}));
        QCOMPARE(l.ORDINE, 10000);        // tag 4
        QCOMPARE(l.LATIME_SUGERATA, -1);  // tag 3
        QCOMPARE(l.COD_LINIE, QStringLiteral("L"));
        QCOMPARE(p.Formulare().size(), size_t(1));
        QCOMPARE(p.Formulare()[0].Text2, QStringLiteral("Formular 1"));
        QCOMPARE(p.Formulare()[0].Pagini.size(), size_t(2));
        QCOMPARE(p.Formulare()[0].Pagini[1].Text1, QStringLiteral("P2"));
    }

    void citire_texteLungiSiCodificate_data()
    {
        QTest::addColumn<QByteArray>("valoare");
        QTest::addColumn<QString>("text");
        const QByteArray lung(300, 'x');
        QTest::newRow("300 bytes, tag 12") << (QByteArray("\x0C\x2C\x01\x00\x00", 5) + lung) << QString(lung);
        QTest::newRow("cp1250, tag 6") << QByteArray("\x06\x03\xBA\xFE\xE3", 5) << QStringLiteral("şţă");
        QTest::newRow("utf-16, tag 18") << QByteArray("\x12\x02\x00\x00\x00\x19\x02\x03\x01", 9) << QStringLiteral("şă");
        QTest::newRow("utf-8, tag 20") << QByteArray("\x14\x04\x00\x00\x00\xC8\x9B\xC3\xAE", 9) << QStringLiteral("ţî");
    }
    void citire_texteLungiSiCodificate()
    {
        QFETCH(QByteArray, valoare);
        QFETCH(QString, text);
        Octeti b = Antet();
        b.I(0).I(1).I(0).T("F").T("P").Brut(valoare);
        for (int i = 0; i < 8; ++i)
            b.T(QString());
        b.I(0).I(0).T(QString());
        TListaLiniiProfilDiploma p;
        p.IncarcaDinFisier(ScrieFisier(b));
        QCOMPARE(p[0].COD_CAMP, text);
    }

    void citire_fisierLipsaNumesteFisierul()
    {
        const QString cale = m_dir.filePath(QStringLiteral("nu_exista.binprof"));
        TListaLiniiProfilDiploma p;
        const QString m = Mesaj([&] { p.IncarcaDinFisier(cale); });
        QVERIFY2(m.contains(QDir::toNativeSeparators(cale)), qPrintable(m));
    }

    // ---- writing ---------------------------------------------------------------------

    void scriere_reciteste_data()
    {
        QTest::addColumn<bool>("cuFormulare");
        QTest::newRow("version 0") << false;
        QTest::newRow("version 1") << true;
    }
    void scriere_reciteste()
    {
        QFETCH(bool, cuFormulare);
        TListaLiniiProfilDiploma p;
        TLinieProfilDiploma l{"Lauridex", "FATA", "C_DECAN/DIRECTOR", "Lauridex.FATA.C_NUME", "DA", QString(300, 'e'),
                              "", "DA", "NOTA sau CALIFICATIV", "INSTITUTIA", "Institutia", -70000, 255, "CONDUCERE"};
        p.Adauga(l);
        l.COD_CAMP = QStringLiteral("şţ");
        l.ORDINE = 0;
        p.Adauga(l);
        if (cuFormulare)
            p.Formulare().push_back(TInfoFormularDiploma{"Lauridex", "Diploma", {{"FATA", "Fata"}, {"VERSO", ""}}});
        const QString cale = m_dir.filePath(QStringLiteral("w.binprof"));
        p.SalveazaInFisier(cale, QStringLiteral("antet"));
        TListaLiniiProfilDiploma citit;
        citit.IncarcaDinFisier(cale);
        QVERIFY(citit.Linii() == p.Linii());
        QVERIFY(citit.Formulare() == p.Formulare());
        // The version byte follows the header: tag 6, length 5, "antet", tag 2.
        QFile f(cale);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().mid(7, 2), QByteArray(cuFormulare ? "\x02\x01" : "\x02\x00", 2));
    }

    void scriere_tagText_data()
    {
        QTest::addColumn<int>("lungime");
        QTest::addColumn<char>("tag");
        QTest::newRow("255 -> 6") << 255 << char(6);
        QTest::newRow("256 -> 12") << 256 << char(12);
    }
    void scriere_tagText()
    {
        QFETCH(int, lungime);
        QFETCH(char, tag);
        TListaLiniiProfilDiploma p;
        const QByteArray b = p.Serializeaza(QString(lungime, 'a'));
        QCOMPARE(b.at(0), tag);
    }

    // ---- registries --------------------------------------------------------------------

    void registre_aDouaInregistrare_data()
    {
        QTest::addColumn<int>("registru");
        QTest::newRow("profile") << 0;
        QTest::newRow("table list") << 1;
    }
    void registre_aDouaInregistrare()
    {
        QFETCH(int, registru);
        static const TClasaA a;
        static const TClasaB b;
        static const TTabeleA ta;
        if (registru == 0) {
            InregistreazaProfil(&a);
            QCOMPARE(Mesaj([] { InregistreazaProfil(&b); }), QStringLiteral("Am inregistrat deja un profil de diploma: TClasaA"));
            QCOMPARE(ProfilInregistrat(), &a);
        } else {
            InregistreazaListaTabele(&ta);
            QCOMPARE(Mesaj([] { InregistreazaListaTabele(&TListaLiniiTabelLX::Clasa()); }),
                     QStringLiteral("Am inregistrat deja un profil de diploma: TTabeleA"));
            QCOMPARE(ListaTabeleInregistrata(), &ta);
        }
    }

    void registre_profilulLX()
    {
        InregistreazaProfilulLX();
        InregistreazaProfilulLX(); // module initialisation may run twice in one process
        QCOMPARE(ProfilInregistrat(), &TListaLiniiProfilLX::Clasa());
        QCOMPARE(ListaTabeleInregistrata(), &TListaLiniiTabelLX::Clasa());
        AnuleazaInregistrareaProfilului();
        static const TClasaA a;
        InregistreazaProfil(&a);
        QCOMPARE(Mesaj([] { InregistreazaProfilulLX(); }), QStringLiteral("Am inregistrat deja un profil de diploma: TClasaA"));
    }

    void clasaDeBaza()
    {
        const TClasaProfilDiploma &c = TListaLiniiProfilDiploma::Clasa();
        QCOMPARE(c.NumeProfil(), QString());
        QCOMPARE(Mesaj([&] { c.ListaCampuriElev(); }),
                 QStringLiteral("Nu ai definit TListaLiniiProfilDiploma.ListaCampuriElev; Lista trebuie sa fie de tipul "
                                "\"{FORMULAR.PAG.CAMP} {FORMULAR.PAG.CAMP}\""));
        const auto lista = c.Create();
        QCOMPARE(lista->Count(), 0);
        QVERIFY(lista->Formulare().empty());
        QCOMPARE(TListaLiniiTabel::Clasa().Create()->Count(), 0);
    }

    // ---- the certificate's classes ---------------------------------------------------

    void profilLX_clasa()
    {
        const TClasaProfilDiploma &c = TListaLiniiProfilLX::Clasa();
        QCOMPARE(c.NumeClasa(), QStringLiteral("TListaLiniiProfilLX"));
        QCOMPARE(c.NumeProfil(), QStringLiteral("LX2008"));
        QCOMPARE(c.ListaCampuriElev(), QStringLiteral("{Lauridex.FATA.C_NUME}"));
    }

    void profilLX_citesteFisierulDeLangaProgram()
    {
        QTemporaryDir program;
        RedirectioneazaFolderulProgramului(program.path());
        const QString cale = CaleFisierBinprof(TListaLiniiProfilLX::Clasa());
        QCOMPARE(cale, QDir::toNativeSeparators(program.path() + QStringLiteral("/LX2008.binprof")));
        const QString m = Mesaj([] { TListaLiniiProfilLX::Clasa().Create(); });
        QVERIFY2(m.contains(cale), qPrintable(m));

        TListaLiniiProfilDiploma p;
        p.Adauga(TLinieProfilDiploma{"Lauridex", "FATA", "C_NUME", "", "", "", "", "", "TEXT", "ELEVI", "", 1, 1, ""});
        p.SalveazaInFisier(cale, QStringLiteral("x"));
        const auto lista = TListaLiniiProfilLX::Clasa().Create();
        QCOMPARE(lista->Count(), 1);
        QCOMPARE((*lista)[0].COD_CAMP, QStringLiteral("C_NUME"));
    }

    void caleBinprof_separatori_data()
    {
        const QString s = QDir::separator();
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("cale");
        QTest::newRow("network path") << s + s + "srv" + s + "share" + s + s + "prog" + s
                                      << s + s + "srv" + s + "share" + s + "prog" + s + "LX2008.binprof";
        QTest::newRow("local") << s + "opt" + s + "lx" << s + "opt" + s + "lx" + s + "LX2008.binprof";
        QTest::newRow("both separators") << QStringLiteral("/opt\\lx//") << s + "opt" + s + "lx" + s + "LX2008.binprof";
    }
    void caleBinprof_separatori()
    {
        QFETCH(QString, folder);
        QFETCH(QString, cale);
        RedirectioneazaFolderulProgramului(folder);
        QCOMPARE(CaleFisierBinprof(TListaLiniiProfilLX::Clasa()), cale);
    }

    void tabeleLX()
    {
        const auto lista = TListaLiniiTabelLX::Clasa().Create();
        QCOMPARE(lista->Count(), 2);
        QCOMPARE((*lista)[0].NUME_TABEL, QStringLiteral("CANDIDAT"));
        QCOMPARE((*lista)[0].EXP_DENUMIRE, QString());
        QCOMPARE((*lista)[1].NUME_TABEL, QStringLiteral("INSTITUTIA"));
        QCOMPARE((*lista)[1].EXP_DENUMIRE, QStringLiteral("Denumirea scolii"));
        TListaLiniiTabel dubla;
        dubla.AdaugaTabel(QStringLiteral("X"), QStringLiteral("1"));
        dubla.AdaugaTabel(QStringLiteral("X"), QStringLiteral("2"));
        QCOMPARE(dubla.Count(), 2);
    }

    // ---- the shipped profile file ----------------------------------------------------

    void profilulLivrat()
    {
        TListaLiniiProfilDiploma p;
        p.IncarcaDinFisier(QStringLiteral(LX_BIN_DIR "/LX2008.binprof"));
        QCOMPARE(p.Count(), 41);
        QHash<QString, TLinieProfilDiploma> dupaCod;
        QSet<int> ordini;
        QHash<QString, int> linii;
        for (const TLinieProfilDiploma &l : p.Linii()) {
            QCOMPARE(l.COD_FORMULAR, QStringLiteral("Lauridex"));
            QCOMPARE(l.COD_PAGINA, QStringLiteral("FATA"));
            QVERIFY2(TipDeDate::EsteCunoscut(l.TIP_DE_DATE), qPrintable(l.COD_CAMP));
            QVERIFY2(l.ETICHETA_EDITOR.startsWith(u'[') && l.ETICHETA_EDITOR.contains(u']'), qPrintable(l.ETICHETA_EDITOR));
            for (const QChar ch : l.ETICHETA_EDITOR)
                QVERIFY2(ch.unicode() < 128, qPrintable(l.ETICHETA_EDITOR));
            QVERIFY2(!ordini.contains(l.ORDINE), qPrintable(l.COD_CAMP));
            ordini.insert(l.ORDINE);
            if (!l.COD_LINIE.isEmpty())
                ++linii[l.GRUP + u'.' + l.COD_LINIE];
            dupaCod.insert(l.COD_CAMP, l);
        }
        for (const QString &cod : kCampuriTiparite)
            QVERIFY2(dupaCod.contains(cod), qPrintable(cod));
        int cnp = 0;
        for (const TLinieProfilDiploma &l : p.Linii())
            cnp += l.TIP_DE_DATE == TipDeDate::CNP;
        QCOMPARE(cnp, 1);
        QVERIFY(!linii.isEmpty());
        for (auto it = linii.cbegin(); it != linii.cend(); ++it)
            QVERIFY2(it.value() >= 2, qPrintable(it.key()));
        QCOMPARE(dupaCod.value("C_REGISTRU_NR").COD_LINIE, dupaCod.value("C_REGISTRU_DATA").COD_LINIE);

        // Pupils are named by their own C_NUME.
        QCOMPARE(dupaCod.value("C_NUME").ASOCIAT_CU, QStringLiteral("ELEVI"));
        QVERIFY(dupaCod.value("C_NUME").SIMILAR_CU.isEmpty());
        for (const char *cod : {"C_MEDIA_GEN", "D_MEDIA_GEN"})
            QCOMPARE(dupaCod.value(cod).TIP_DE_DATE, QStringLiteral("NOTA"));

        const QSet<QString> institutia{"C_INSTITUTIA_1", "C_INSTITUTIA_2", "C_ADRESA", "C_RECTOR", "C_DECAN/DIRECTOR", "C_SECRETAR_SEF"};
        const QSet<QString> scoala{"C_SESIUNEA", "C_ORDIN_NR", "C_ORDIN_DATA", "C_DATA_VIGOARE"};
        const QHash<QString, QString> gemeni{{"D_GRAD_1", "C_GRAD_1_L1"}, {"D_GRAD_2", "C_GRAD_2_L1"}, {"D_INSTITUTIA", "C_INSTITUTIA_1"}};
        for (const TLinieProfilDiploma &l : p.Linii()) {
            const QString &cod = l.COD_CAMP;
            if (cod.startsWith(QLatin1String("D_"))) {
                const QString geaman = gemeni.value(cod, QStringLiteral("C_") + cod.mid(2));
                QCOMPARE(l.SIMILAR_CU, QStringLiteral("Lauridex.FATA.") + geaman);
                QVERIFY(dupaCod.contains(geaman));
                QVERIFY2(dupaCod.value(geaman).SIMILAR_CU.isEmpty(), qPrintable(cod)); // no chains, no cycles
                QCOMPARE(l.ASOCIAT_CU, QStringLiteral("ELEVI"));
            } else {
                QVERIFY2(l.SIMILAR_CU.isEmpty(), qPrintable(cod));
                const QString owner = institutia.contains(cod) ? "INSTITUTIA" : scoala.contains(cod) ? "SCOALA" : "ELEVI";
                QCOMPARE(l.ASOCIAT_CU, owner);
            }
        }
        // Each owner's lines share one group, so the pupil window places its link in it.
        for (const QString &t : {QStringLiteral("INSTITUTIA"), QStringLiteral("SCOALA")}) {
            QSet<QString> grupuri;
            for (const TLinieProfilDiploma &l : p.Linii())
                if (l.ASOCIAT_CU == t)
                    grupuri.insert(l.GRUP);
            QCOMPARE(grupuri.size(), 1);
        }
    }

    // ---- the readable source ---------------------------------------------------------

    void sursa_erori_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fragment");
        const QString bun = "CAMP | F.P.A | | NU | [G]A | | DA | TEXT | ELEVI | G | 1 | 100 |\n";
        QTest::newRow("unknown record") << "CAMPO | x" << "linia 1: nu stiu";
        QTest::newRow("columns") << "# c\nCAMP | F.P.A | | NU" << "linia 2: CAMP cere 12 coloane";
        QTest::newRow("two-part key") << "CAMP | F.A | | NU | [G]A | | DA | TEXT | ELEVI | G | 1 | 100 |" << "Formular.Pagina.Camp";
        QTest::newRow("empty code") << "CAMP | F..A | | NU | [G]A | | DA | TEXT | ELEVI | G | 1 | 100 |" << "cod gol";
        QTest::newRow("data type") << "CAMP | F.P.A | | NU | [G]A | | DA | Text | ELEVI | G | 1 | 100 |" << "\"Text\" nu exista";
        QTest::newRow("order") << "CAMP | F.P.A | | NU | [G]A | | DA | TEXT | ELEVI | G | x | 100 |" << "ORDINE";
        QTest::newRow("twice") << bun + bun << "linia 2: campul F.P.A apare de doua ori";
        QTest::newRow("dangling link") << "CAMP | F.P.B | F.P.Z | DA | [G]B | | DA | TEXT | ELEVI | G | 1 | 100 |"
                                       << "SIMILAR_CU \"F.P.Z\"";
        QTest::newRow("page first") << "PAGINA | FATA | Fata" << "PAGINA inaintea";
    }
    void sursa_erori()
    {
        QFETCH(QString, text);
        QFETCH(QString, fragment);
        const QString m = Mesaj([&] { CitesteSursaProfil(text); });
        QVERIFY2(m.contains(fragment), qPrintable(m));
    }

    void sursa_bunaSeScrieCaBinprof()
    {
        const TSursaProfil s = CitesteSursaProfil(QStringLiteral(
            "ANTET | h\nFORMULAR | Lauridex | Diploma\nPAGINA | FATA | Fata\n\n"
            "CAMP | Lauridex.FATA.C_NUME | | NU | [Candidat]Nume | | DA | TEXT | ELEVI | Candidat | 10 | 200 | L\n"
            "CAMP | Lauridex.FATA.D_NUME | Lauridex.FATA.C_NUME | DA | [Diploma]Nume | | DA | TEXT | ELEVI | Diploma | 20 | 100 |\n"));
        QCOMPARE(s.Antet, QStringLiteral("h"));
        QCOMPARE(s.Profil.Count(), 2);
        QCOMPARE(s.Profil[1].SIMILAR_CU, QStringLiteral("Lauridex.FATA.C_NUME"));
        QCOMPARE(s.Profil[0].LATIME_SUGERATA, 200);
        QCOMPARE(s.Profil[0].COD_LINIE, QStringLiteral("L"));
        QCOMPARE(s.Profil[1].COD_LINIE, QString());
        QCOMPARE(s.Profil.Formulare().at(0).Pagini.at(0).Text2, QStringLiteral("Fata"));
    }
};

QTEST_GUILESS_MAIN(TstProfil)
#include "tst_profil.moc"
