// Prints the certificate through the PDF surface and reads the text positions back with
// pdftotext -bbox: every word must sit where the millimetre formulas put it.
#include "device/DispozitivPictor.h"
#include "form/FontFormular.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "form/Macheta.h"
#include "form/Particularizari.h"
#include "text/FolderProgram.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {
struct TCuvant {
    QString text;
    QRectF mm; // on the sheet, from its top-left corner
};

QList<TCuvant> Cuvinte(const QString &pdf, const QString &html)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QFile f(html);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString t = QString::fromUtf8(f.readAll());
    static const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<TCuvant> l;
    const double k = 25.4 / 72;
    for (auto it = re.globalMatch(t); it.hasNext();) {
        const auto m = it.next();
        TCuvant c;
        c.text = m.captured(5);
        c.mm = QRectF(QPointF(m.captured(1).toDouble() * k, m.captured(2).toDouble() * k),
                      QPointF(m.captured(3).toDouble() * k, m.captured(4).toDouble() * k));
        l.append(c);
    }
    return l;
}
} // namespace

class TstPdf : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        RedirectioneazaFolderulProgramului(m_dir.path());
        TListaParticularizareTextArea::UitaLista();
    }
    void cleanupTestCase()
    {
        TListaParticularizareTextArea::UitaLista();
        RedirectioneazaFolderulProgramului(QString());
    }

    void pozitiileDinPdf_data()
    {
        QTest::addColumn<bool>("oglinda");
        QTest::newRow("upright") << false;
        QTest::newRow("half turn") << true;
    }
    void pozitiileDinPdf()
    {
        QFETCH(bool, oglinda);
        QWidget fereastra;
        fereastra.setObjectName(QStringLiteral("PrintLauridex"));
        TFormularDePrintat *pagina = CreeazaFormularDePrintat1(&fereastra, &fereastra);
        for (TFormularTextArea *a : pagina->TextAreas())
            a->SetText(QStringLiteral("Q%1").arg(a->objectName().mid(16)));
        const double X = 2.0, Y = 1.5;
        const QString fisier = CaleInFolder(m_dir.path(), QStringLiteral("certificat%1.pdf").arg(oglinda));
        const double dpi = 600;
        const double pxMm = dpi / 25.4;
        int ox = 0, oy = 0, pw = 0, ph = 0;
        double kx = 0, ky = 0;
        {
            TDispozitivPdf dc(fisier, int(dpi), QMarginsF(5, 5, 5, 5));
            ox = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETX);
            oy = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETY);
            pw = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALWIDTH);
            ph = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT);
            kx = double(dc.GetDeviceCaps(TDispozitivTiparire::HORZRES)) / dc.GetDeviceCaps(TDispozitivTiparire::HORZSIZE);
            ky = double(dc.GetDeviceCaps(TDispozitivTiparire::VERTRES)) / dc.GetDeviceCaps(TDispozitivTiparire::VERTSIZE);
            QVERIFY(qAbs(ox - 5 * pxMm) < 1.5);
            QVERIFY(qAbs(oy - 5 * pxMm) < 1.5);
            QVERIFY(qAbs(pw - 297 * pxMm) < 1.5);
            QCOMPARE(dc.GetDeviceCaps(TDispozitivTiparire::HORZSIZE), 287);
            dc.BeginDoc(QStringLiteral("Diploma de examen national - fata"));
            pagina->PrintPage(dc, oglinda, DirectorModificariImplicit(), X, Y);
            dc.EndDoc();
        }
        const QList<TCuvant> cuvinte = Cuvinte(fisier, fisier + QStringLiteral(".html"));
        if (qEnvironmentVariableIsSet("LX_PDF_DIR"))
            QFile::copy(fisier, CaleInFolder(qEnvironmentVariable("LX_PDF_DIR"), QFileInfo(fisier).fileName()));
        QCOMPARE(cuvinte.size(), 41);
        for (TFormularTextArea *a : pagina->TextAreas()) {
            const QString text = a->Text();
            const auto it = std::find_if(cuvinte.begin(), cuvinte.end(), [&](const TCuvant &c) { return c.text == text; });
            QVERIFY2(it != cuvinte.end(), qPrintable(text));
            // The area on the sheet by the formulas: device units back to millimetres.
            const double stanga = std::nearbyint((a->_Left() + X) * kx) / pxMm;
            const double sus = std::nearbyint((a->_Top() + Y) * ky) / pxMm;
            const double dreapta = stanga + std::nearbyint(a->_Width() * kx) / pxMm;
            const double jos = sus + std::nearbyint(a->_Height() * ky) / pxMm;
            QRectF asteptat(QPointF(stanga, sus), QPointF(dreapta, jos));
            if (oglinda)
                asteptat = QRectF(QPointF(pw / pxMm - dreapta, ph / pxMm - jos), QPointF(pw / pxMm - stanga, ph / pxMm - sus));
            const QRectF g = it->mm;
            const double toleranta = 0.35;
            const QString unde = QStringLiteral("%1: word (%2, %3)-(%4, %5) area (%6, %7)-(%8, %9)")
                                     .arg(text).arg(g.left()).arg(g.top()).arg(g.right()).arg(g.bottom())
                                     .arg(asteptat.left()).arg(asteptat.top()).arg(asteptat.right()).arg(asteptat.bottom());
            QVERIFY2(g.left() >= asteptat.left() - toleranta && g.right() <= asteptat.right() + toleranta, qPrintable(unde));
            // The character cell sits on the bottom edge (the top edge when turned).
            if (!oglinda)
                QVERIFY2(qAbs(g.bottom() - asteptat.bottom()) < toleranta, qPrintable(unde));
            else
                QVERIFY2(qAbs(g.top() - asteptat.top()) < toleranta, qPrintable(unde));
            const double celula = std::min(a->Font()->Size(), a->_Height());
            QVERIFY2(qAbs(g.height() - celula) < toleranta, qPrintable(unde));
            switch (a->Alignment()) {
            case taCenter:
                QVERIFY2(qAbs(g.center().x() - asteptat.center().x()) < toleranta, qPrintable(unde));
                break;
            case taLeftJustify:
                QVERIFY2(qAbs((oglinda ? asteptat.right() - g.right() : g.left() - asteptat.left())) < toleranta,
                         qPrintable(unde));
                break;
            case taRightJustify:
                break;
            }
        }
    }

    // The printer surface is the same code: a QPrinter printing to a file gives the
    // same page.
    void imprimantaPeAcelasiDrum()
    {
        QWidget fereastra;
        fereastra.setObjectName(QStringLiteral("PrintLauridex"));
        TFormularDePrintat *pagina = CreeazaFormularDePrintat1(&fereastra, &fereastra);
        for (TFormularTextArea *a : pagina->TextAreas())
            a->SetText(QStringLiteral("W%1").arg(a->objectName().mid(16)));
        const QString fisier = CaleInFolder(m_dir.path(), QStringLiteral("imprimanta.pdf"));
        TDispozitivImprimanta dc;
        dc.Imprimanta().setOutputFormat(QPrinter::PdfFormat);
        dc.Imprimanta().setOutputFileName(fisier);
        dc.Imprimanta().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                                  QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter));
        QVERIFY(dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALWIDTH) > dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT));
        QVERIFY(dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETX) > 0);
        dc.BeginDoc(QStringLiteral("Diploma de examen national - fata"));
        QVERIFY(dc.Printing());
        pagina->PrintPage(dc, false, DirectorModificariImplicit(), 0, 0);
        dc.EndDoc();
        QVERIFY(!dc.Printing());
        const QList<TCuvant> cuvinte = Cuvinte(fisier, fisier + QStringLiteral(".html"));
        QCOMPARE(cuvinte.size(), 41);
        const auto it = std::find_if(cuvinte.begin(), cuvinte.end(), [](const TCuvant &c) { return c.text == QLatin1String("W1"); });
        QVERIFY(it != cuvinte.end());
        QVERIFY(qAbs(it->mm.center().x() - (34.14019637118527 + 35.31455202031695 / 2)) < 0.35);
        QVERIFY(qAbs(it->mm.bottom() - (64.58956070224241 + 4.361892411060526)) < 0.35);
    }
};

QTEST_MAIN(TstPdf)
#include "tst_pdf.moc"
