#include "settings/Registru.h"
#include "text/Eroare.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Continut(const QString &cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonObject Document(const QString &cale)
{
    return QJsonDocument::fromJson(Continut(cale)).object();
}

} // namespace

class TstRegistru : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_fisier;

private Q_SLOTS:
    void init()
    {
        // An empty redirection would put the test on the user's real settings.
        QVERIFY(m_dir.isValid());
        // A folder that does not exist yet: the store creates it.
        m_fisier = m_dir.filePath(QStringLiteral("%1/conf/registru.json").arg(QTest::currentTestFunction()));
        QFile::remove(m_fisier); // rows of one table start alike
        Registru::RedirectioneazaStocul(m_fisier);
    }
    void cleanup() { Registru::RedirectioneazaStocul(QString()); }

    void openingCreatesTheKey()
    {
        QVERIFY(!QFile::exists(m_fisier));
        TCheieRegistru cheie(QStringLiteral("Software\\A\\B"));
        QVERIFY(QFile::exists(m_fisier));
        const QJsonObject doc = Document(m_fisier);
        QCOMPARE(doc.keys(), QStringList{QStringLiteral("Software\\A\\B")});
        QVERIFY(doc.value(QStringLiteral("Software\\A\\B")).toObject().isEmpty());
        QVERIFY(cheie.NumeValori().isEmpty());
    }

    void keyPathsIgnoreCaseAndNewKeysKeepTheirOwnSpelling_data()
    {
        const QString global = QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008\\Global");
        QTest::addColumn<QString>("deschisa");
        QTest::addColumn<bool>("aceeasi");
        QTest::addColumn<QStringList>("chei");
        QTest::newRow("same spelling") << global << true << QStringList{global};
        QTest::newRow("other case, trailing separator")
            << QStringLiteral("SOFTWARE\\ZELMORA soft\\Brevia\\2008\\GLOBAL\\") << true << QStringList{global};
        QTest::newRow("doubled separator") << QStringLiteral("Software\\\\Zelmora SOFT\\Brevia\\2008\\Global") << true
                                           << QStringList{global};
        // The printer settings' key: its parents exist in another case, it is still
        // stored under the path its owner names.
        QTest::newRow("sibling with parents in another case")
            << QStringLiteral("SOFTWARE\\Zelmora SOFT\\Brevia\\2008\\Lauridex") << false
            << QStringList{global, QStringLiteral("SOFTWARE\\Zelmora SOFT\\Brevia\\2008\\Lauridex")};
        QTest::newRow("parent is another key") << QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008") << false
                                               << QStringList{global, QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008")};
    }
    void keyPathsIgnoreCaseAndNewKeysKeepTheirOwnSpelling()
    {
        QFETCH(QString, deschisa);
        QFETCH(bool, aceeasi);
        QFETCH(QStringList, chei);
        {
            TCheieRegistru a(QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008\\Global"));
            a.ScrieText(QStringLiteral("X"), QStringLiteral("global"));
        }
        TCheieRegistru b(deschisa);
        QCOMPARE(b.ExistaValoare(QStringLiteral("x")), aceeasi);
        b.ScrieText(QStringLiteral("y"), QStringLiteral("1"));
        QStringList gasite = Document(m_fisier).keys();
        gasite.sort();
        chei.sort();
        QCOMPARE(gasite, chei);
    }

    void valueNamesIgnoreCaseAndKeepTheirSpelling()
    {
        TCheieRegistru cheie(QStringLiteral("K"));
        cheie.ScrieText(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        QVERIFY(cheie.ExistaValoare(QStringLiteral("notadiploma")));
        QCOMPARE(cheie.CitesteText(QStringLiteral("NOTADIPLOMA")), QStringLiteral("NOTA"));
        cheie.ScrieText(QStringLiteral("notaDIPLOMA"), QStringLiteral("NOTA/LITERE"));
        QCOMPARE(cheie.NumeValori(), QStringList{QStringLiteral("NotaDiploma")});
        QCOMPARE(cheie.CitesteText(QStringLiteral("NotaDiploma")), QStringLiteral("NOTA/LITERE"));
    }

    void valuesRoundTripThroughTheFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("romanian") << QStringLiteral("Şcoala „Ţăndărei” – îâ");
        QTest::newRow("quotes, commas, blanks") << QStringLiteral("  \"a\",b , \\c\\ ");
        QTest::newRow("control characters") << QStringLiteral("a\nb\tc\rd");
    }
    void valuesRoundTripThroughTheFile()
    {
        QFETCH(QString, text);
        {
            TCheieRegistru cheie(QStringLiteral("K"));
            cheie.ScrieText(QStringLiteral("t"), text);
            cheie.ScrieIntreg(QStringLiteral("min"), INT32_MIN);
            cheie.ScrieIntreg(QStringLiteral("max"), INT32_MAX);
        }
        TCheieRegistru cheie(QStringLiteral("k"));
        QCOMPARE(cheie.CitesteText(QStringLiteral("T")), text);
        QCOMPARE(cheie.CitesteIntreg(QStringLiteral("MIN")), INT32_MIN);
        QCOMPARE(cheie.CitesteIntreg(QStringLiteral("Max")), INT32_MAX);
        QCOMPARE(cheie.TipValoare(QStringLiteral("t")), TCheieRegistru::Tip::Text);
        QCOMPARE(cheie.TipValoare(QStringLiteral("min")), TCheieRegistru::Tip::Intreg);
    }

    void readingTheOtherTypeIsAnError()
    {
        TCheieRegistru cheie(QStringLiteral("Software\\K"));
        cheie.ScrieIntreg(QStringLiteral("Numar"), 7);
        cheie.ScrieText(QStringLiteral("Text"), QStringLiteral("7"));
        try {
            cheie.CitesteText(QStringLiteral("numar"));
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QStringLiteral("\"numar\"")) && e.Mesaj().contains(QStringLiteral("Software\\K"))
                         && e.Mesaj().contains(QStringLiteral("se astepta un text")),
                     qPrintable(e.Mesaj()));
        }
        QVERIFY_THROWS_EXCEPTION(EZel, cheie.CitesteIntreg(QStringLiteral("Text")));
        QVERIFY_THROWS_EXCEPTION(EZel, cheie.CitesteIntreg(QStringLiteral("lipsa")));
        QVERIFY_THROWS_EXCEPTION(EZel, cheie.CitesteText(QStringLiteral("lipsa")));
    }

    void handEditedValuesOfOtherKinds_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("fraction") << QByteArray("1.5");
        QTest::newRow("beyond 32 bits") << QByteArray("4294967296");
        QTest::newRow("boolean") << QByteArray("true");
        QTest::newRow("list") << QByteArray("[1]");
    }
    void handEditedValuesOfOtherKinds()
    {
        QFETCH(QByteArray, json);
        QDir().mkpath(QFileInfo(m_fisier).absolutePath());
        QFile f(m_fisier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"K\": {\"v\": " + json + "}}");
        f.close();
        TCheieRegistru cheie(QStringLiteral("K"));
        QCOMPARE(cheie.TipValoare(QStringLiteral("v")), TCheieRegistru::Tip::Altul);
        QVERIFY_THROWS_EXCEPTION(EZel, cheie.CitesteIntreg(QStringLiteral("v")));
        QVERIFY_THROWS_EXCEPTION(EZel, cheie.CitesteText(QStringLiteral("v")));
    }

    void aDamagedFileIsReportedAndNeverOverwritten()
    {
        QDir().mkpath(QFileInfo(m_fisier).absolutePath());
        QFile f(m_fisier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"K\": {\"v\": \"a\"");
        f.close();
        const QByteArray inainte = Continut(m_fisier);
        try {
            TCheieRegistru cheie(QStringLiteral("K"));
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QStringLiteral("deteriorat")), qPrintable(e.Mesaj()));
        }
        QCOMPARE(Continut(m_fisier), inainte);
    }

    void anUnchangedWriteLeavesTheFileAlone()
    {
        TCheieRegistru cheie(QStringLiteral("K"));
        cheie.ScrieText(QStringLiteral("a"), QStringLiteral("x"));
        cheie.ScrieIntreg(QStringLiteral("b"), 1);
        // Same content, other layout: a rewrite would bring back the indented layout.
        const QByteArray compact = QJsonDocument(Document(m_fisier)).toJson(QJsonDocument::Compact);
        {
            QFile f(m_fisier);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(compact);
        }
        cheie.ScrieText(QStringLiteral("A"), QStringLiteral("x"));
        cheie.ScrieIntreg(QStringLiteral("B"), 1);
        QCOMPARE(Continut(m_fisier), compact);
        // Changing the type is a change.
        cheie.ScrieText(QStringLiteral("b"), QStringLiteral("1"));
        QCOMPARE(cheie.TipValoare(QStringLiteral("b")), TCheieRegistru::Tip::Text);
    }

    void twoHandlesSeeEachOthersWrites()
    {
        TCheieRegistru a(QStringLiteral("K"));
        TCheieRegistru b(QStringLiteral("k"));
        a.ScrieText(QStringLiteral("x"), QStringLiteral("1"));
        b.ScrieText(QStringLiteral("y"), QStringLiteral("2"));
        QCOMPARE(a.CitesteText(QStringLiteral("y")), QStringLiteral("2"));
        QCOMPARE(b.CitesteText(QStringLiteral("x")), QStringLiteral("1"));
    }

    void aFailedWriteIsAnErrorNamingTheFile()
    {
        // The store's folder cannot be created: its parent is a file.
        QFile blocaj(m_dir.filePath(QStringLiteral("blocaj")));
        QVERIFY(blocaj.open(QIODevice::WriteOnly));
        blocaj.close();
        Registru::RedirectioneazaStocul(m_dir.filePath(QStringLiteral("blocaj/registru.json")));
        try {
            TCheieRegistru cheie(QStringLiteral("K"));
            QFAIL("no error");
        } catch (const EZel &e) {
            QVERIFY2(e.Mesaj().contains(QStringLiteral("blocaj")), qPrintable(e.Mesaj()));
        }
    }

    void withoutRedirectionTheFileIsInTheUsersConfigFolder()
    {
        Registru::RedirectioneazaStocul(QString());
        QStandardPaths::setTestModeEnabled(true);
        const QString cale = Registru::CaleaStocului();
        QVERIFY(cale.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'));
        QStandardPaths::setTestModeEnabled(false);
        QVERIFY(cale.endsWith(QStringLiteral(".json")));
    }

    void removedValueIsGone()
    {
        TCheieRegistru cheie(QStringLiteral("K"));
        cheie.ScrieIntreg(QStringLiteral("a"), 1);
        cheie.StergeValoare(QStringLiteral("A"));
        QVERIFY(!cheie.ExistaValoare(QStringLiteral("a")));
        cheie.StergeValoare(QStringLiteral("a")); // missing: nothing to do
    }
};

QTEST_GUILESS_MAIN(TstRegistru)
#include "tst_registru.moc"
