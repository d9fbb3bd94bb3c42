#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Centring a window on the monitor under the pointer. The geometry rule is a pure function
// of the monitors, the pointer and the window size, so it is the same on every machine and
// testable as a table; CentreazaForm applies it to a real window.

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

// Where CentreazaForm puts a window of the given size: same size, centred on the work area
// of the monitor under the pointer (at 0,0 when there is no monitor at all).
QRect GeometriaCentrata(const QList<TMonitor> &monitoare, QPoint cursor, int primar, QSize fereastra);

// The monitors of the running window system, and the primary one's index.
QList<TMonitor> MonitoareleSistemului(int *primar);

// The size the placement rules see: the whole window with its frame once it has one.
QSize MarimeaFerestrei(QWidget *fereastra);

// Centres the window on the monitor under the mouse pointer; it keeps its size.
void CentreazaForm(QWidget *fereastra);
