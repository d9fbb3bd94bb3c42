#include "app/Pornire.h"

#include "app/EroareGenerala.h"
#include "app/LauridexMain.h"
#include "app/Plasare.h"
#include "app/PrezentatorMesaje.h"
#include "app/Splash.h"
#include "db/DM.h"
#include "profile/ProfilLX.h"
#include "settings/EditorConfigGlobal.h"
#include "text/Conventii.h"
#include "text/Mesaje.h"

#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>

#ifndef Q_OS_WIN
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Set once an end was requested: a request that ended the splash's loop must not be
// forgotten by the main loop that starts afterwards.
bool g_incheiereCeruta = false;

#ifndef Q_OS_WIN
int g_teava[2] = {-1, -1};

void LaSemnal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_teava[1], &c, 1);
}

// A request to end (log-out, kill) closes the main window's loop so the database is
// closed properly. The embedded engine installs its own handlers when it attaches and
// would otherwise swallow the request, so ours are set again after the data module.
void InstaleazaSemnalele()
{
    if (g_teava[0] < 0) {
        if (::pipe(g_teava) != 0)
            return;
        ::fcntl(g_teava[0], F_SETFL, O_NONBLOCK);
        ::fcntl(g_teava[1], F_SETFL, O_NONBLOCK);
        auto *n = new QSocketNotifier(g_teava[0], QSocketNotifier::Read, qApp);
        QObject::connect(n, &QSocketNotifier::activated, qApp, [] {
            char c[16];
            while (::read(g_teava[0], c, sizeof c) > 0) {
            }
            g_incheiereCeruta = true;
            QApplication::quit();
        });
    }
    struct sigaction sa = {};
    sa.sa_handler = LaSemnal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(s, &sa, nullptr);
}
#else
void InstaleazaSemnalele() {}
#endif

} // namespace

void InitializeazaModulele()
{
    InregistreazaProfilulLX();
    Conventii::AplicaConventiileRomanesti();
}

void InregistreazaFerestrele()
{
    // Each window module adds its factory here as it arrives (TFerestreLauridex).
    TFerestreLauridex &f = FerestreLauridex();
    f.Splash = [] { return std::make_unique<TSplashLX>(); };
    // Not owned by the main window: it stays hidden while the about window shows.
    f.DespreNoi = [](QWidget *) { return std::make_unique<TAboutSplash>(); };
    f.ConfigurareNota = [](QWidget *proprietar) { return std::make_unique<TEditorConfigGlobal>(proprietar); };
    // Hidden start-up windows, in their order (TEditorConfigGlobal comes after the
    // printing windows). Creating the settings editor stores the grade-format defaults,
    // so every start has them before anything is printed.
    f.FerestreLaPornire.append([] {
        QPointer<TEditorConfigGlobal> e = new TEditorConfigGlobal;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [e] { delete e.data(); });
    });
}

void CreeazaModululDeDate(TDM &dm)
{
    RuleazaCuRaportare([&] { dm.DataModuleCreate(); });
}

int PornesteLauridex(int argc, char **argv)
{
    InitializeazaModulele();

    TAplicatie app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lauridex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lauridex"));
    TPrezentatorMesaje prezentator;
    Mesaje::SeteazaPrezentator(&prezentator);

    InstaleazaSemnalele();
    int cod;
    {
        TDM dm;
        CreeazaModululDeDate(dm);
        InstaleazaSemnalele();

        InregistreazaFerestrele();
        TLauridexMain principal;
        for (const auto &creeaza : std::as_const(FerestreLauridex().FerestreLaPornire))
            RuleazaCuRaportare(creeaza);

        if (FerestreLauridex().Splash) {
            RuleazaCuRaportare([] {
                std::unique_ptr<QDialog> s = FerestreLauridex().Splash();
                if (s)
                    s->exec();
            });
        }

        principal.show();
        cod = g_incheiereCeruta ? 0 : app.exec();
    }
    // A maximising thread whose window never showed has been told to stop by the window's
    // end; let it finish before the process tears down what it uses.
    for (int i = 0; i < 300 && TCentreazaSiRedimensioneazaFormThread::Active() > 0; ++i)
        QThread::msleep(10);
    Mesaje::SeteazaPrezentator(nullptr);
    return cod;
}
