#include "widgets/Plasare.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

int MonitorulDeSubCursor(const QList<TMonitor> &monitoare, QPoint cursor, int primar)
{
    for (int i = 0; i < monitoare.size(); ++i) {
        if (monitoare[i].ecran.contains(cursor))
            return i;
    }
    if (primar >= 0 && primar < monitoare.size())
        return primar;
    return monitoare.isEmpty() ? -1 : 0;
}

QPoint PozitiaCentrata(const QRect &w, QSize fereastra)
{
    // Integer division truncates toward zero, as the placement rule wants.
    int stanga = w.left() + (w.width() - fereastra.width()) / 2;
    int sus = w.top() + (w.height() - fereastra.height()) / 2;
    if (stanga < w.left())
        stanga = w.left();
    if (sus < w.top())
        sus = w.top();
    return {stanga, sus};
}

QRect GeometriaCentrata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra)
{
    const int i = MonitorulDeSubCursor(monitoare, cursor, primar);
    if (i < 0)
        return QRect(QPoint(0, 0), fereastra);
    return QRect(PozitiaCentrata(monitoare[i].zonaLucru, fereastra), fereastra);
}

QList<TMonitor> MonitoareleSistemului(int *primar)
{
    QList<TMonitor> r;
    const QList<QScreen *> ecrane = QGuiApplication::screens();
    QScreen *principal = QGuiApplication::primaryScreen();
    *primar = -1;
    for (QScreen *e : ecrane) {
        if (e == principal)
            *primar = static_cast<int>(r.size());
        r.append(TMonitor{e->geometry(), e->availableGeometry()});
    }
    return r;
}

QSize MarimeaFerestrei(QWidget *f)
{
    return f->isVisible() ? f->frameGeometry().size() : f->size();
}

void CentreazaForm(QWidget *fereastra)
{
    if (!fereastra)
        return;
    int primar = -1;
    const QList<TMonitor> m = MonitoareleSistemului(&primar);
    fereastra->move(GeometriaCentrata(m, QCursor::pos(), primar, MarimeaFerestrei(fereastra)).topLeft());
}
