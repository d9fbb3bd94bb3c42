// Start-up: the main window and its menu, the general error display, and the program
// itself run as a subprocess from a folder of its own.
#include "app/EroareGenerala.h"
#include "app/LauridexMain.h"
#include "app/Pornire.h"
#include "app/PrezentatorMesaje.h"
#include "db/DM.h"
#include "profile/ClasaProfil.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"
#include "text/Mesaje.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A dialog that closes itself as soon as it is shown, noting what it saw.
class TDialogDeProba : public QDialog {
public:
    explicit TDialogDeProba(QWidget *p, std::function<void()> laAratare = {}) : QDialog(p), m_la(std::move(laAratare)) {}

protected:
    void showEvent(QShowEvent *e) override
    {
        QDialog::showEvent(e);
        if (m_la)
            m_la();
        QTimer::singleShot(0, this, &QDialog::accept);
    }

private:
    std::function<void()> m_la;
};

QStringList Meniu(TLauridexMain &w)
{
    QStringList r;
    for (QAction *m : w.menuBar()->actions()) {
        r << m->text();
        for (QAction *a : m->menu()->actions())
            r << (a->isSeparator() ? QStringLiteral("-") : QStringLiteral("  ") + a->text());
    }
    return r;
}

// Starts the program copied into folder, offscreen, with its settings store inside that
// folder (XDG_CONFIG_HOME): a test run never writes the real user's configuration.
void PornesteProgramul(QProcess &p, const QString &program, const QString &folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), CaleInFolder(folder, QStringLiteral("config")));
    p.setProcessEnvironment(env);
    p.start(program, {});
}

} // namespace

class TstPornire : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        FerestreLauridex() = TFerestreLauridex();
        Mesaje::GolesteIstoric();
        Mesaje::GolesteRaspunsuri();
    }
    void cleanup() { FerestreLauridex() = TFerestreLauridex(); }

    void fereastraPrincipalaSiMeniul()
    {
        TLauridexMain w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Lauridex"));
        QCOMPARE(Meniu(w), (QStringList{"Configurare", "  Configurare diploma", "  Configurare scoala", "-",
                                        "  Configurare nota", "  Configurare imprimanta", "Preluare date",
                                        "  Import din Excel", "Ajutor", "  Despre noi"}));
        // Nothing registered: every item is there and disabled.
        for (QAction *a : {w.ConfigurareDiploma, w.ConfigurareScoala, w.ConfigurareNota, w.ConfigurareImprimanta,
                           w.ImportDinExcel, w.DespreNoi})
            QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
        QVERIFY(!w.isVisible());
    }

    void comandaModalaEliberataSiErori()
    {
        QPointer<QDialog> creat;
        int create = 0;
        FerestreLauridex().ConfigurareNota = [&](QWidget *p) {
            ++create;
            auto d = std::make_unique<TDialogDeProba>(p);
            creat = d.get();
            return std::unique_ptr<QDialog>(std::move(d));
        };
        FerestreLauridex().ConfigurareImprimanta = [](QWidget *) -> std::unique_ptr<QDialog> {
            throw EZel(QStringLiteral("imprimanta lipsa"));
        };
        TLauridexMain w;
        QVERIFY(w.ConfigurareNota->isEnabled());
        QVERIFY(w.ConfigurareImprimanta->isEnabled());
        QVERIFY(!w.ConfigurareDiploma->isEnabled());
        w.show();
        w.ConfigurareNota->trigger();
        QCOMPARE(create, 1);
        QVERIFY(creat.isNull()); // freed after use
        w.ConfigurareNota->trigger();
        QCOMPARE(create, 2);

        w.ConfigurareImprimanta->trigger();
        QCOMPARE(Mesaje::Istoric().size(), 1);
        QCOMPARE(Mesaje::Istoric().first().tip, Mesaje::Tip::Eroare);
        QCOMPARE(Mesaje::Istoric().first().text, QStringLiteral("imprimanta lipsa"));
        QVERIFY(w.isVisible());
    }

    void despreNoiAscundeFereastra()
    {
        TLauridexMain *principal = nullptr;
        bool vizibilaInTimp = true;
        bool aratat = false;
        FerestreLauridex().DespreNoi = [&](QWidget *p) {
            return std::unique_ptr<QDialog>(new TDialogDeProba(p, [&] {
                aratat = true;
                vizibilaInTimp = principal->isVisible();
            }));
        };
        TLauridexMain w;
        principal = &w;
        w.show();
        w.DespreNoi->trigger();
        QVERIFY(aratat);
        QVERIFY(!vizibilaInTimp);
        QVERIFY(w.isVisible());

        FerestreLauridex().DespreNoi = [](QWidget *) -> std::unique_ptr<QDialog> {
            throw EZel(QStringLiteral("fara poza"));
        };
        w.DespreNoi->trigger();
        QVERIFY(w.isVisible());
        QCOMPARE(Mesaje::Istoric().last().text, QStringLiteral("fara poza"));
    }

    void importulReincarcaLista()
    {
        QWidget *lista = nullptr;
        QWidget *reincarcata = nullptr;
        FerestreLauridex().ListaElevi = [&](TLauridexMain *p) {
            lista = new QWidget(p);
            lista->setObjectName(QStringLiteral("nume"));
            return lista;
        };
        FerestreLauridex().ReincarcaListaElevi = [&](QWidget *l) { reincarcata = l; };
        FerestreLauridex().ImportDinExcel = [](QWidget *) -> std::unique_ptr<QDialog> {
            throw EZel(QStringLiteral("Excel lipsa"));
        };
        TLauridexMain w;
        QCOMPARE(w.centralWidget(), lista);
        QCOMPARE(lista->objectName(), QString());
        w.ImportDinExcel->trigger();
        QCOMPARE(reincarcata, lista);
        QCOMPARE(Mesaje::Istoric().size(), 1);
    }

    // No profile registered: the error is reported and the main window still opens.
    void eroareaModululuiDeDateRaportata()
    {
        TFolderDeTest folder;
        AnuleazaInregistrareaProfilului();
        {
            TDM dm;
            CreeazaModululDeDate(dm);
            QCOMPARE(Mesaje::Istoric().size(), 1);
            QCOMPARE(Mesaje::Istoric().first().tip, Mesaje::Tip::Eroare);
            QCOMPARE(Mesaje::Istoric().first().text, QStringLiteral("NU ai definit profilul diplomei"));
            TLauridexMain w;
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
        }
        AsiguraProfilulInregistrat();
    }

    void erorileDinEvenimenteSuntAfisate()
    {
        QTimer::singleShot(0, [] { throw EZel(QStringLiteral("din eveniment")); });
        QTRY_COMPARE(Mesaje::Istoric().size(), 1);
        QCOMPARE(Mesaje::Istoric().first().text, QStringLiteral("din eveniment"));
    }

    void prezentatorulFaraUtilizator()
    {
        QVERIFY(TPrezentatorMesaje::FaraUtilizator());
        TPrezentatorMesaje p;
        QCOMPARE(p.Arata(Mesaje::Tip::Intrebare, QStringLiteral("Lauridex"), QStringLiteral("Stergeti: "),
                         Mesaje::Da | Mesaje::Nu, Mesaje::Nu),
                 int(Mesaje::Nu));
    }

    // The program run from a folder holding only itself: the warning and exit code 1.
    void ambeleFisiereLipsa()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = QDir(dir.path()).filePath(QStringLiteral("lauridex"));
        QVERIFY(QFile::copy(QStringLiteral(LX_BIN_DIR "/lauridex"), program));
        QProcess p;
        PornesteProgramul(p, program, dir.path());
        QVERIFY(p.waitForStarted());
        if (!p.waitForFinished(60000)) {
            p.kill();
            QFAIL("the program did not end");
        }
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString folder = CaleInFolder(QFileInfo(program).canonicalPath(), QString());
        const QString text = QStringLiteral("Nu exista baza de date curenta si nu gasesc baza de date \"BLANK\" "
                                            "pentru initializare.\r\nDB Curent:")
                             + CaleInFolder(folder + QStringLiteral("DB"), QStringLiteral("LX2008.FDB"))
                             + QStringLiteral("\r\nDB Blank:") + folder + QStringLiteral("BLANK.FDB");
        const QString eroare = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(eroare.contains(QStringLiteral("Lauridex: ") + text), qPrintable(eroare));
        QVERIFY(QFileInfo(folder + QStringLiteral("DB")).isDir());
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("DB/LX2008.FDB")));
    }

    // Started with only its blank beside it, the program makes its database and keeps
    // running; a request to end closes it normally.
    void pornesteSiSeIncheieLaCerere()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = CaleInFolder(dir.path(), QString());
        const QString program = folder + QStringLiteral("lauridex");
        QVERIFY(QFile::copy(QStringLiteral(LX_BIN_DIR "/lauridex"), program));
        for (const QString &f : TFolderDeTest::FisiereImplicite())
            QFile::copy(QStringLiteral(LX_BIN_DIR "/") + f, folder + f);
        QProcess p;
        PornesteProgramul(p, program, folder);
        QVERIFY(p.waitForStarted());
        const QString baza = folder + QStringLiteral("DB/LX2008.FDB");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(baza), 30000);
        QCOMPARE(p.state(), QProcess::Running);
        // Asked again until it ends: a request that arrives while the engine attaches may be
        // taken by the engine's own handler.
        for (int i = 0; i < 60 && !p.waitForFinished(500); ++i)
            p.terminate();
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            QFAIL("the program did not end on request");
        }
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        // The settings it stored at start went to the test's own store.
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("config/Zelmora SOFT/registru.json")));
        // The database it made is complete and closed: it opens here at version 5.
        TBazaDeDate db;
        db.DatabaseName = baza;
        db.Params = TBazaDeDate::ParametriProgram();
        db.Open();
        TTranzactie tr(db);
        TQuery q(db, tr);
        tr.StartTransaction();
        q.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
        q.Open();
        QCOMPARE(q.AsInt(QStringLiteral("VERSIUNE")), 5);
        tr.Rollback();
    }
};

int main(int argc, char **argv)
{
    TAplicatie app(argc, argv);
    TstPornire t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_pornire.moc"
