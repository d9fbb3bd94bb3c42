// The certificate page with its 41 areas filled, printed to PDF through the device layer
// (PrintPage: adjustments, font fitting, device units), against the same 41 strings
// drawn at the same positions in the same fonts straight into a QPdfWriter. Both write a
// whole one-page document per run; the best of several runs counts.
#include "device/DispozitivInregistrare.h"
#include "device/DispozitivPictor.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "form/Macheta.h"
#include "form/Particularizari.h"
#include "text/FolderProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

namespace {
constexpr int kDpi = 600;
constexpr int kRulari = 40;

struct TScriere {
    QRect decupare;
    QPointF origine; // baseline origin
    QFont font;
    QString text;
};

double Noi(TFormularDePrintat &pagina, const QString &fisier, qint64 *octeti)
{
    QElapsedTimer t;
    t.start();
    {
        TDispozitivPdf dc(fisier, kDpi, QMarginsF(5, 5, 5, 5));
        dc.BeginDoc(QStringLiteral("Diploma de examen national - fata"));
        pagina.PrintPage(dc, false, DirectorModificariImplicit(), 1.0, 1.0);
        dc.EndDoc();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    *octeti += QFile(fisier).size();
    return ms;
}

double Baza(const QList<TScriere> &scrieri, const QString &fisier, qint64 *octeti)
{
    QElapsedTimer t;
    t.start();
    {
        QPdfWriter w(fisier);
        w.setResolution(kDpi);
        w.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(5, 5, 5, 5),
                                    QPageLayout::Millimeter));
        w.setTitle(QStringLiteral("Diploma de examen national - fata"));
        QPainter p(&w);
        for (const TScriere &s : scrieri) {
            p.setFont(s.font);
            p.setClipRect(s.decupare);
            p.drawText(s.origine, s.text);
        }
        p.end();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    *octeti += QFile(fisier).size();
    return ms;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")).toUtf8());
    QApplication app(argc, argv);
    QTemporaryDir dir;
    RedirectioneazaFolderulProgramului(dir.path());

    QWidget fereastra;
    fereastra.setObjectName(QStringLiteral("PrintLauridex"));
    TFormularDePrintat *pagina = CreeazaFormularDePrintat1(&fereastra, &fereastra);
    int i = 0;
    for (TFormularTextArea *a : pagina->TextAreas())
        a->SetText(i++ % 3 == 0 ? QStringLiteral("Universitatea de Vest din Timişoara, Facultatea de Litere")
                                : QStringLiteral("Popescu Ştefania %1").arg(i));

    // The baseline draws what the page drew: same strings, fonts, positions and clips.
    QList<TScriere> scrieri;
    {
        TDispozitivPdf dc(CaleInFolder(dir.path(), QStringLiteral("model.pdf")), kDpi, QMarginsF(5, 5, 5, 5));
        TDispozitivInregistrare inreg;
        for (auto c : {TDispozitivTiparire::HORZRES, TDispozitivTiparire::HORZSIZE, TDispozitivTiparire::VERTRES,
                       TDispozitivTiparire::VERTSIZE, TDispozitivTiparire::PHYSICALWIDTH,
                       TDispozitivTiparire::PHYSICALHEIGHT, TDispozitivTiparire::PHYSICALOFFSETX,
                       TDispozitivTiparire::PHYSICALOFFSETY})
            inreg.SeteazaCapabilitate(c, dc.GetDeviceCaps(c));
        inreg.BeginDoc(QStringLiteral("model"));
        pagina->PrintPage(inreg, false, DirectorModificariImplicit(), 1.0, 1.0);
        inreg.EndDoc();
        for (const auto &s : inreg.Scrieri())
            scrieri.append({s.decupare, QPointF(s.x, s.y + UrcareFont(s.font)), FontPentruCelula(s.font, kDpi), s.text});
    }

    const QString fa = CaleInFolder(dir.path(), QStringLiteral("noi.pdf"));
    const QString fb = CaleInFolder(dir.path(), QStringLiteral("baza.pdf"));
    qint64 octetiNoi = 0, octetiBaza = 0;
    // Warm up fonts and caches on both sides.
    Noi(*pagina, fa, &octetiNoi);
    Baza(scrieri, fb, &octetiBaza);
    double bestNoi = 1e30, bestBaza = 1e30;
    for (int r = 0; r < kRulari; ++r) {
        bestNoi = std::min(bestNoi, Noi(*pagina, fa, &octetiNoi));
        bestBaza = std::min(bestBaza, Baza(scrieri, fb, &octetiBaza));
    }
    std::printf("areas written: %lld\n", static_cast<long long>(scrieri.size()));
    std::printf("PrintPage to PDF: %.3f ms (%lld bytes)\n", bestNoi, static_cast<long long>(QFile(fa).size()));
    std::printf("QPdfWriter direct: %.3f ms (%lld bytes)\n", bestBaza, static_cast<long long>(QFile(fb).size()));
    std::printf("ratio: %.2f\n", bestNoi / bestBaza);
    TListaParticularizareTextArea::UitaLista();
    RedirectioneazaFolderulProgramului(QString());
    return 0;
}
