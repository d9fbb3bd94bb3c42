#include "app/Plasare.h"

#include "text/Ceas.h"

#include <QCursor>
#include <QEvent>
#include <QMutex>
#include <QPointer>
#include <QWidget>

TPlasare PlasareRedimensionata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra)
{
    TPlasare p;
    const int i = MonitorulDeSubCursor(monitoare, cursor, primar);
    if (i >= 0) {
        const TMonitor &m = monitoare[i];
        if (m.ecran.height() < 1200 || m.ecran.height() > m.ecran.width()) {
            fereastra = QSize(m.zonaLucru.width() - 30, m.zonaLucru.height() - 30);
            p.maximizeaza = true;
        }
    }
    // Centring afterwards goes to the monitor under the pointer again: the same one, so a
    // fitted window ends 15 pixels inside every edge of the work area.
    p.geometrie = GeometriaCentrata(monitoare, cursor, primar, fereastra);
    return p;
}

namespace {

QSize CadruFerestrei(QWidget *f)
{
    if (!f->isVisible())
        return QSize(0, 0);
    return f->frameGeometry().size() - f->size();
}

} // namespace

void CentreazaSiRedimensioneazaForm(QWidget *fereastra)
{
    if (!fereastra)
        return;
    int primar = -1;
    const QList<TMonitor> m = MonitoareleSistemului(&primar);
    const TPlasare p = PlasareRedimensionata(m, QCursor::pos(), primar, MarimeaFerestrei(fereastra));
    if (p.maximizeaza) {
        fereastra->resize(p.geometrie.size() - CadruFerestrei(fereastra));
        TCentreazaSiRedimensioneazaFormThread::Porneste(fereastra);
    }
    CentreazaForm(fereastra);
}

// ---------------------------------------------------------------------------------------

namespace {
std::atomic<int> g_active{0};

// Lives in the user-interface thread as a child of the watched window.
class TObservator : public QObject {
public:
    TObservator(QWidget *fereastra, std::shared_ptr<TCentreazaSiRedimensioneazaFormThread::Stare> stare);
    ~TObservator() override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    std::shared_ptr<TCentreazaSiRedimensioneazaFormThread::Stare> m_stare;
};
} // namespace

struct TCentreazaSiRedimensioneazaFormThread::Stare {
    std::atomic<bool> vizibil{false};
    std::atomic<bool> opreste{false};
    QMutex lacat;
    QObject *observator = nullptr; // guarded by lacat; cleared when the window goes
    QPointer<QWidget> fereastra;   // read only in the user-interface thread

    void Maximizeaza()
    {
        QMutexLocker l(&lacat);
        if (!observator)
            return;
        QPointer<QWidget> f = fereastra;
        QMetaObject::invokeMethod(
            observator,
            [f] {
                if (f)
                    f->showMaximized();
            },
            Qt::QueuedConnection);
    }
};

TObservator::TObservator(QWidget *fereastra, std::shared_ptr<TCentreazaSiRedimensioneazaFormThread::Stare> stare)
    : QObject(fereastra), m_stare(std::move(stare))
{
    m_stare->fereastra = fereastra;
    m_stare->observator = this;
    m_stare->vizibil = fereastra->isVisible();
    fereastra->installEventFilter(this);
}

TObservator::~TObservator()
{
    m_stare->opreste = true;
    QMutexLocker l(&m_stare->lacat);
    m_stare->observator = nullptr;
}

bool TObservator::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Show)
        m_stare->vizibil = true;
    else if (e->type() == QEvent::Hide)
        m_stare->vizibil = false;
    return QObject::eventFilter(o, e);
}

TCentreazaSiRedimensioneazaFormThread::TCentreazaSiRedimensioneazaFormThread(std::shared_ptr<Stare> stare)
    : m_stare(std::move(stare))
{
}

TCentreazaSiRedimensioneazaFormThread::~TCentreazaSiRedimensioneazaFormThread() = default;

TCentreazaSiRedimensioneazaFormThread *TCentreazaSiRedimensioneazaFormThread::Porneste(QWidget *fereastra)
{
    auto stare = std::make_shared<Stare>();
    new TObservator(fereastra, stare);
    auto *t = new TCentreazaSiRedimensioneazaFormThread(stare);
    connect(t, &QThread::finished, t, &QObject::deleteLater);
    ++g_active;
    t->start();
    return t;
}

int TCentreazaSiRedimensioneazaFormThread::Active()
{
    return g_active.load();
}

void TCentreazaSiRedimensioneazaFormThread::run()
{
    try {
        const QDateTime acum = Ceas::Acum();
        const QDateTime d1 = acum.addSecs(30 * 60 + 10);
        const QDateTime d2 = acum.addSecs(10);
        for (;;) {
            const QDateTime t = Ceas::Acum();
            if (m_stare->opreste || !(t < d1))
                break;
            if (m_stare->vizibil) {
                m_stare->Maximizeaza();
                break;
            }
            Ceas::Dormi(t > d2 ? 1000 : 1);
        }
    } catch (...) {
        // Nothing of the program depends on this thread; it simply ends.
    }
    --g_active;
}
