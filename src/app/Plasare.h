#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QThread>

#include <atomic>
#include <memory>

class QWidget;

// Window placement. The geometry rules are pure functions of the monitors, the pointer
// and the window size, so they are the same on every machine and testable as a table.

struct TMonitor {
    QRect ecran;     // the whole monitor
    QRect zonaLucru; // the monitor less its task bars
};

// The monitor under the pointer; if none, the primary one; if that is not in the list
// either, the first one. -1 only for an empty list.
int MonitorulDeSubCursor(const QList<TMonitor> &monitoare, QPoint cursor, int primar);

// Top-left corner of a window of the given size centred on a work area; a window larger
// than the area keeps its top-left corner at the area's top-left corner.
QPoint PozitiaCentrata(const QRect &zonaLucru, QSize fereastra);

struct TPlasare {
    QRect geometrie;         // where the window goes, with its size
    bool maximizeaza = false; // start the maximising thread
};

// CentreazaForm: the window keeps its size and is centred on the monitor under the pointer.
TPlasare PlasareCentrata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra);
// CentreazaSiRedimensioneazaForm: on a large landscape monitor (height at least 1200 and
// not greater than the width) only centred; otherwise fitted to the work area less 15
// pixels on every side, centred, and maximised once visible.
TPlasare PlasareRedimensionata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra);

// The monitors of the running window system, and the primary one's index.
QList<TMonitor> MonitoareleSistemului(int *primar);

void CentreazaForm(QWidget *fereastra);
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
