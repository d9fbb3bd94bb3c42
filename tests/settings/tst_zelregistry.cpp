#include "settings/InfoGlobal.h"
#include "settings/Registru.h"
#include "settings/ZelRegistry.h"
#include "text/Eroare.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CaleTest = QStringLiteral("Software\\Zelmora SOFT\\Test\\Setari");

// A settings class with one property of each storage rule.
class TSetariBaza : public TZelRegistryClass {
public:
    TSetariBaza() : TZelRegistryClass(CaleTest, InfoClasa()) {}

    static const TInfoClasa &InfoClasa()
    {
        static const TInfoClasa info{QStringLiteral("TSetariBaza"),
                                     &TZelRegistryClass::InfoClasa(),
                                     {
                                         {QStringLiteral("Numar"), TTipProprietate::Intreg},
                                         {QStringLiteral("activ"), TTipProprietate::Enumerare},
                                         {QStringLiteral("Nume"), TTipProprietate::TextLung},
                                         {QStringLiteral("Procent"), TTipProprietate::Real},
                                         {QStringLiteral("Litera"), TTipProprietate::Caracter},
                                         {QStringLiteral("Mare"), TTipProprietate::Int64},
                                         {QStringLiteral("Biti"), TTipProprietate::Multime},
                                         {QStringLiteral("Fereastra"), TTipProprietate::Clasa},
                                     }};
        return info;
    }

    qint64 Numar() const { return Ordinal(QStringLiteral("Numar")); }
    void SetNumar(qint64 v) { SeteazaOrdinal(QStringLiteral("Numar"), v); }
    bool Activ() const { return Boolean(QStringLiteral("Activ")); }
    void SetActiv(bool v) { SeteazaBoolean(QStringLiteral("Activ"), v); }
    QString Nume() const { return Text(QStringLiteral("Nume")); }
    void SetNume(const QString &v) { SeteazaText(QStringLiteral("Nume"), v); }
    double Procent() const { return Real(QStringLiteral("Procent")); }
    void SetProcent(double v) { SeteazaReal(QStringLiteral("Procent"), v); }
    qint64 Mare() const { return Ordinal(QStringLiteral("Mare")); }
    void SetMare(qint64 v) { SeteazaOrdinal(QStringLiteral("Mare"), v); }

protected:
    explicit TSetariBaza(const TInfoClasa &clasa) : TZelRegistryClass(CaleTest, clasa) {}
};

// Redeclares "nume" (another spelling) and adds one property.
class TSetariDerivate : public TSetariBaza {
public:
    TSetariDerivate() : TSetariBaza(InfoClasa()) {}
    static const TInfoClasa &InfoClasa()
    {
        static const TInfoClasa info{QStringLiteral("TSetariDerivate"),
                                     &TSetariBaza::InfoClasa(),
                                     {
                                         {QStringLiteral("NUME"), TTipProprietate::TextLat},
                                         {QStringLiteral("Zona"), TTipProprietate::TextScurt},
                                     }};
        return info;
    }
};

// One property "P" of the kind a test row names.
class TSetariUnaProprietate : public TZelRegistryClass {
public:
    explicit TSetariUnaProprietate(const TInfoClasa &clasa) : TZelRegistryClass(CaleTest, clasa) {}
    QVariant P() const
    {
        TZelRTTIShell shell(const_cast<TSetariUnaProprietate &>(*this));
        return shell.Valoare(0);
    }
};

QByteArray Continut(const QString &cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Sortat(QStringList l)
{
    l.sort(Qt::CaseInsensitive);
    return l;
}

} // namespace

class TstZelRegistry : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_fisier;

private Q_SLOTS:
    void init()
    {
        // An empty redirection would put the test on the user's real settings.
        QVERIFY(m_dir.isValid());
        m_fisier = m_dir.filePath(QStringLiteral("%1.json").arg(QTest::currentTestFunction()));
        QFile::remove(m_fisier);
        Registru::RedirectioneazaStocul(m_fisier);
    }
    void cleanup() { Registru::RedirectioneazaStocul(QString()); }

    void shellListsSortedAndCountsRedeclaredNamesOnce()
    {
        QStringList nume;
        QList<TTipProprietate> tipuri;
        {
            TSetariDerivate s;
            TZelRTTIShell shell(s);
            for (int i = 0; i < shell.Numar(); ++i) {
                nume << shell.Nume(i);
                tipuri << shell.Tip(i);
            }
        }
        QCOMPARE(nume, (QStringList{"activ", "Biti", "Fereastra", "Litera", "Mare", "Numar", "NUME", "Procent",
                                    "Zona"}));
        QCOMPARE(tipuri.at(nume.indexOf("NUME")), TTipProprietate::TextLat); // the derived declaration
    }

    void infoGlobalListsItsSevenTextsInOrder()
    {
        TInfoGlobal2005 info;
        TZelRTTIShell shell(info);
        QStringList nume;
        for (int i = 0; i < shell.Numar(); ++i) {
            nume << shell.Nume(i);
            QCOMPARE(StocareaTipului(shell.Tip(i)), TStocare::Text);
        }
        QCOMPARE(nume, (QStringList{"MedieCotor", "MedieDiploma", "NotaCotor", "NotaDiploma", "ScriuCuLitereMari",
                                    "SufixBaieti", "SufixFete"}));
        QCOMPARE(info.CaleCheie(), QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008\\Global"));
    }

    void shellValuesAreTaggedByKind()
    {
        TSetariBaza s;
        s.SetActiv(true);
        s.SetNume(QStringLiteral("x"));
        TZelRTTIShell shell(s);
        for (int i = 0; i < shell.Numar(); ++i) {
            const QVariant v = shell.Valoare(i);
            switch (StocareaTipului(shell.Tip(i))) {
            case TStocare::Intreg: QCOMPARE(v.metaType(), QMetaType::fromType<qlonglong>()); break;
            case TStocare::Text: QCOMPARE(v.metaType(), QMetaType::fromType<QString>()); break;
            case TStocare::Nimic: break;
            }
        }
        const int activ = 0;
        QCOMPARE(shell.Nume(activ), QStringLiteral("activ"));
        QCOMPARE(shell.Valoare(activ), QVariant(qlonglong(1)));
        shell.SeteazaValoare(activ, qlonglong(0));
        QVERIFY(!s.Activ());
    }

    void everyTypeKindIsStoredByItsRule_data()
    {
        QTest::addColumn<TTipProprietate>("tip");
        QTest::addColumn<TCheieRegistru::Tip>("stocat"); // Lipsa: never written nor read
        QTest::addColumn<QVariant>("incarcat");          // what a stored 7 or "xy" loads
        const QVariant nimic;
        QTest::newRow("integer") << TTipProprietate::Intreg << TCheieRegistru::Tip::Intreg << QVariant(qint64(7));
        QTest::newRow("enumeration") << TTipProprietate::Enumerare << TCheieRegistru::Tip::Intreg << QVariant(qint64(7));
        QTest::newRow("set") << TTipProprietate::Multime << TCheieRegistru::Tip::Intreg << QVariant(qint64(7));
        QTest::newRow("64-bit integer") << TTipProprietate::Int64 << TCheieRegistru::Tip::Intreg << QVariant(qint64(7));
        QTest::newRow("character") << TTipProprietate::Caracter << TCheieRegistru::Tip::Text << QVariant(QStringLiteral("x"));
        QTest::newRow("short text") << TTipProprietate::TextScurt << TCheieRegistru::Tip::Text << QVariant(QStringLiteral("xy"));
        QTest::newRow("wide character") << TTipProprietate::CaracterLat << TCheieRegistru::Tip::Text << QVariant(QStringLiteral("x"));
        QTest::newRow("long text") << TTipProprietate::TextLung << TCheieRegistru::Tip::Text << QVariant(QStringLiteral("xy"));
        QTest::newRow("wide text") << TTipProprietate::TextLat << TCheieRegistru::Tip::Text << QVariant(QStringLiteral("xy"));
        QTest::newRow("floating point") << TTipProprietate::Real << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("class") << TTipProprietate::Clasa << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("method") << TTipProprietate::Metoda << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("variant") << TTipProprietate::Varianta << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("array") << TTipProprietate::Tablou << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("record") << TTipProprietate::Inregistrare << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("interface") << TTipProprietate::Interfata << TCheieRegistru::Tip::Lipsa << nimic;
        QTest::newRow("dynamic array") << TTipProprietate::TablouDinamic << TCheieRegistru::Tip::Lipsa << nimic;
    }
    void everyTypeKindIsStoredByItsRule()
    {
        QFETCH(TTipProprietate, tip);
        QFETCH(TCheieRegistru::Tip, stocat);
        QFETCH(QVariant, incarcat);
        const TInfoClasa clasa{QStringLiteral("TSetariUnaProprietate"), &TZelRegistryClass::InfoClasa(),
                               {{QStringLiteral("P"), tip}}};
        // On an empty key: written with its initial value, or not at all.
        { TSetariUnaProprietate s(clasa); }
        QCOMPARE(TCheieRegistru(CaleTest).TipValoare(QStringLiteral("P")), stocat);
        if (stocat == TCheieRegistru::Tip::Lipsa) {
            // Even a value already there is neither read nor rewritten.
            TCheieRegistru(CaleTest).ScrieText(QStringLiteral("p"), QStringLiteral("xy"));
            const QByteArray inainte = Continut(m_fisier);
            { TSetariUnaProprietate s(clasa); }
            QCOMPARE(Continut(m_fisier), inainte);
            return;
        }
        {
            TCheieRegistru cheie(CaleTest);
            if (stocat == TCheieRegistru::Tip::Intreg)
                cheie.ScrieIntreg(QStringLiteral("p"), 7);
            else
                cheie.ScrieText(QStringLiteral("p"), QStringLiteral("xy"));
        }
        {
            TSetariUnaProprietate s(clasa);
            QCOMPARE(s.P(), incarcat);
        }
        TCheieRegistru cheie(CaleTest);
        QCOMPARE(cheie.TipValoare(QStringLiteral("P")), stocat);
        if (stocat == TCheieRegistru::Tip::Intreg)
            QCOMPARE(cheie.CitesteIntreg(QStringLiteral("P")), 7);
        else
            QCOMPARE(cheie.CitesteText(QStringLiteral("P")), incarcat.toString());
    }

    void missingKeyIsCreatedAndFilledWithInitialValues()
    {
        {
            TSetariBaza s;
            TCheieRegistru cheie(CaleTest);
            QVERIFY(cheie.NumeValori().isEmpty()); // created empty on load
            QCOMPARE(s.Numar(), 0);
            QCOMPARE(s.Nume(), QString());
            QVERIFY(!s.Activ());
        }
        TCheieRegistru cheie(CaleTest);
        QCOMPARE(Sortat(cheie.NumeValori()), (QStringList{"activ", "Biti", "Litera", "Mare", "Numar", "Nume"}));
        for (const QString n : {"activ", "Biti", "Mare", "Numar"}) {
            QCOMPARE(cheie.TipValoare(n), TCheieRegistru::Tip::Intreg);
            QCOMPARE(cheie.CitesteIntreg(n), 0);
        }
        for (const QString n : {"Litera", "Nume"})
            QCOMPARE(cheie.CitesteText(n), QString());
    }

    void floatPropertyIsNeverStoredNorLoaded()
    {
        {
            TCheieRegistru cheie(CaleTest);
            cheie.ScrieIntreg(QStringLiteral("Procent"), 5); // even a value of a storable type is ignored
        }
        {
            TSetariBaza s;
            QCOMPARE(s.Procent(), 0.0);
            s.SetProcent(2.5);
        }
        TCheieRegistru cheie(CaleTest);
        QCOMPARE(cheie.CitesteIntreg(QStringLiteral("procent")), 5);
        {
            TCheieRegistru gol(QStringLiteral("Software\\Zelmora SOFT\\Test\\Setari"));
            gol.StergeValoare(QStringLiteral("Procent"));
        }
        { TSetariBaza s; }
        QVERIFY(!cheie.ExistaValoare(QStringLiteral("Procent")));
        QVERIFY(!cheie.ExistaValoare(QStringLiteral("Fereastra")));
    }

    void booleanIsStoredAsZeroOrOne_data()
    {
        QTest::addColumn<bool>("valoare");
        QTest::newRow("true") << true;
        QTest::newRow("false") << false;
    }
    void booleanIsStoredAsZeroOrOne()
    {
        QFETCH(bool, valoare);
        {
            TSetariBaza s;
            s.SetActiv(valoare);
        }
        QCOMPARE(TCheieRegistru(CaleTest).CitesteIntreg(QStringLiteral("activ")), valoare ? 1 : 0);
        TSetariBaza s;
        QCOMPARE(s.Activ(), valoare);
    }

    void valueWhoseNameDiffersInCaseIsLoaded()
    {
        {
            TCheieRegistru cheie(QStringLiteral("SOFTWARE\\zelmora soft\\TEST\\setari"));
            cheie.ScrieText(QStringLiteral("NUME"), QStringLiteral("Ana"));
            cheie.ScrieIntreg(QStringLiteral("numar"), 42);
        }
        {
            TSetariBaza s;
            QCOMPARE(s.Nume(), QStringLiteral("Ana"));
            QCOMPARE(s.Numar(), 42);
        }
        // Written back under the name already there, not a second value.
        const QStringList nume = TCheieRegistru(CaleTest).NumeValori();
        QCOMPARE(nume.count(QStringLiteral("NUME")), 1);
        QVERIFY(!nume.contains(QStringLiteral("Nume")));
    }

    void wrongStoredTypeFailsCreationAndWritesNothing()
    {
        {
            TCheieRegistru cheie(CaleTest);
            cheie.ScrieText(QStringLiteral("Numar"), QStringLiteral("12"));
        }
        const QByteArray inainte = Continut(m_fisier);
        try {
            TSetariBaza s;
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QStringLiteral("Numar")), qPrintable(e.Mesaj()));
        }
        QCOMPARE(Continut(m_fisier), inainte);
    }

    void sixtyFourBitIntegerIsStoredInThirtyTwoBits()
    {
        {
            TSetariBaza s;
            s.SetMare(qint64(0x100000005));
            s.SetNumar(-3);
        }
        TCheieRegistru cheie(CaleTest);
        QCOMPARE(cheie.CitesteIntreg(QStringLiteral("Mare")), 5);
        QCOMPARE(cheie.CitesteIntreg(QStringLiteral("Numar")), -3);
    }

    void createAndFreeWithoutChangeRewritesTheSameValues()
    {
        {
            TSetariDerivate s;
            s.SetNume(QStringLiteral("Ion, \"Popescu\""));
            s.SetNumar(9);
        }
        const QByteArray inainte = Continut(m_fisier);
        { TSetariDerivate s; }
        QCOMPARE(Continut(m_fisier), inainte);
    }

    void lastFreedWins()
    {
        auto *a = new TSetariBaza;
        auto *b = new TSetariBaza;
        a->SetNume(QStringLiteral("a"));
        b->SetNume(QStringLiteral("b"));
        delete b;
        delete a;
        TSetariBaza s;
        QCOMPARE(s.Nume(), QStringLiteral("a"));
    }

    void failedSaveOnFreePropagates()
    {
        auto *s = new TSetariBaza;
        s->SetNume(QStringLiteral("x"));
        QFile blocaj(m_dir.filePath(QStringLiteral("blocaj")));
        QVERIFY(blocaj.open(QIODevice::WriteOnly));
        blocaj.close();
        Registru::RedirectioneazaStocul(m_dir.filePath(QStringLiteral("blocaj/r.json")));
        QVERIFY_THROWS_EXCEPTION(EZel, delete s);
    }

    void failedSaveWhileAnotherErrorTravelsDoesNotEndTheProgram()
    {
        QFile blocaj(m_dir.filePath(QStringLiteral("blocaj2")));
        QVERIFY(blocaj.open(QIODevice::WriteOnly));
        blocaj.close();
        try {
            TSetariBaza s;
            Registru::RedirectioneazaStocul(m_dir.filePath(QStringLiteral("blocaj2/r.json")));
            throw EZel(QStringLiteral("prima eroare"));
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("prima eroare"));
        }
    }
};

QTEST_GUILESS_MAIN(TstZelRegistry)
#include "tst_zelregistry.moc"
