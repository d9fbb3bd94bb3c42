#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QThread>

#include "widgets/Plasare.h"

#include <atomic>
#include <memory>

class QWidget;

// Placement of the windows that fill their monitor. Centring itself (TMonitor,
// GeometriaCentrata, CentreazaForm) is in widgets/Plasare.h, shared with windows below app.

struct TPlasare {
    QRect geometrie;          // where the window goes, with its size
    bool maximizeaza = false; // start the maximising thread
};

// CentreazaSiRedimensioneazaForm: on a large landscape monitor (height at least 1200 and
// not greater than the width) only centred; otherwise fitted to the work area less 15
// pixels on every side, centred, and maximised once visible.
TPlasare PlasareRedimensionata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra);

void CentreazaSiRedimensioneazaForm(QWidget *fereastra);

// Watches one window from a thread of its own and shows it maximised as soon as it is
// visible: within 1 ms during the first 10 seconds, within a second afterwards, giving up
// after 30 minutes 10 seconds. It touches no widget itself: the window's visibility
// reaches it through a flag, and the maximising is posted to the user-interface thread.
// It frees itself when it ends; destroying the window tells it to stop.
class TCentreazaSiRedimensioneazaFormThread : public QThread {
    Q_OBJECT
public:
    struct Stare;
    // Starts a thread for the window.
    static TCentreazaSiRedimensioneazaFormThread *Porneste(QWidget *fereastra);
    ~TCentreazaSiRedimensioneazaFormThread() override;

    // Running threads, for tests that wait for them.
    static int Active();

protected:
    void run() override;

private:
    explicit TCentreazaSiRedimensioneazaFormThread(std::shared_ptr<Stare> stare);
    std::shared_ptr<Stare> m_stare;
};
