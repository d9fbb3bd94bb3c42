#include "widgets/LargeFonts.h"

#include "text/FolderProgram.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QMutex>
#include <QScreen>

#include <limits>

namespace {
QMutex g_lacat;
bool g_calculat = false;
TRaportLargeFonts g_raport;

int CaNumar(const QString &s)
{
    if (s.isEmpty())
        return 8;
    bool ok = false;
    const int v = s.toInt(&ok, 10);
    return ok ? v : 8;
}

QString CaleFisier()
{
    return CaleInFolder(FolderulProgramului(), QStringLiteral("LargeFonts.txt"));
}

TRaportLargeFonts Calculeaza()
{
    const QString cale = CaleFisier();
    if (!QFileInfo(cale).isFile()) {
        QFile f(cale);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write("1:1\n");
    }
    QFile f(cale);
    if (QFileInfo(cale).isFile() && f.open(QIODevice::ReadOnly)) {
        QString prima = QStringLiteral("1:1");
        if (f.size() > 0) {
            // Only the first line counts; the rest of the file is never read.
            QByteArray linie = f.readLine(64 * 1024);
            if (linie.endsWith('\n'))
                linie.chop(1);
            prima = QString::fromLatin1(linie);
        }
        return CitesteRaportLargeFonts(prima);
    }
    // Nowhere to keep the file: follow the size of the message-box font instead.
    TRaportLargeFonts r;
    int inaltime = 0;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        inaltime = QFontInfo(QApplication::font("QMessageBox")).pixelSize();
    if (inaltime <= 0)
        return r;
    // Qt reports the character height, not the cell height.
    r.Numarator = inaltime;
    r.Numitor = 11;
    return r;
}

int DpiEcran()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *s = QGuiApplication::primaryScreen()) {
            const int dpi = qRound(s->logicalDotsPerInchY());
            if (dpi > 0)
                return dpi;
        }
    }
    return 96;
}

int Limitat(long long v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
} // namespace

TRaportLargeFonts CitesteRaportLargeFonts(const QString &primaLinie)
{
    QString curat;
    for (const QChar c : primaLinie.trimmed())
        if ((c >= u'0' && c <= u'9') || c == u':')
            curat += c;
    const qsizetype doua = curat.indexOf(u':');
    TRaportLargeFonts r;
    if (doua < 0) {
        r.Numarator = r.Numitor = CaNumar(curat);
    } else {
        r.Numarator = CaNumar(curat.left(doua));
        r.Numitor = CaNumar(curat.mid(doua + 1, 999));
    }
    // A zero denominator cannot divide: take the ratio as it was meant by default.
    if (r.Numitor == 0)
        r = TRaportLargeFonts{};
    return r;
}

TRaportLargeFonts RaportLargeFonts()
{
    QMutexLocker l(&g_lacat);
    if (!g_calculat) {
        g_raport = Calculeaza();
        g_calculat = true;
    }
    return g_raport;
}

int ScaleazaLargeFonts(int a, int pixeliPeInch)
{
    const TRaportLargeFonts r = RaportLargeFonts();
    const long long pas = (static_cast<long long>(a) * r.Numarator) / r.Numitor;
    return Limitat((pas * pixeliPeInch) / 96);
}

int ScaleazaLargeFonts(int a)
{
    return ScaleazaLargeFonts(a, DpiEcran());
}

void UitaRaportLargeFonts()
{
    QMutexLocker l(&g_lacat);
    g_calculat = false;
    g_raport = TRaportLargeFonts{};
}
