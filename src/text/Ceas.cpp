#include "text/Ceas.h"

#include <QMutex>
#include <QThread>

namespace {
QMutex g_lacat;
std::function<QDateTime()> g_acum;
std::function<void(int)> g_dormi;
} // namespace

namespace Ceas {

QDateTime Acum()
{
    std::function<QDateTime()> f;
    {
        QMutexLocker l(&g_lacat);
        f = g_acum;
    }
    return f ? f() : QDateTime::currentDateTime();
}

void Dormi(int milisecunde)
{
    std::function<void(int)> f;
    {
        QMutexLocker l(&g_lacat);
        f = g_dormi;
    }
    if (f)
        f(milisecunde);
    else
        QThread::msleep(static_cast<unsigned long>(milisecunde));
}

void Inlocuieste(std::function<QDateTime()> acum, std::function<void(int)> dormi)
{
    QMutexLocker l(&g_lacat);
    g_acum = std::move(acum);
    g_dormi = std::move(dormi);
}

} // namespace Ceas
