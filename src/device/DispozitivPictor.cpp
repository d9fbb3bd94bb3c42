#include "device/DispozitivPictor.h"

#include "text/Eroare.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <cmath>

TDispozitivPictor::TDispozitivPictor(QPagedPaintDevice &dispozitiv) : m_dispozitiv(dispozitiv) {}

int TDispozitivPictor::GetDeviceCaps(Capabilitate c) const
{
    const QPageLayout layout = m_dispozitiv.pageLayout();
    const int dpi = m_dispozitiv.logicalDpiX();
    const QRect hartie = layout.fullRectPixels(dpi);
    const QRect tiparibil = layout.paintRectPixels(dpi);
    const QRectF tiparibilMm = layout.paintRect(QPageLayout::Millimeter);
    switch (c) {
    case HORZRES:
        return tiparibil.width();
    case VERTRES:
        return tiparibil.height();
    case HORZSIZE:
        return int(std::lround(tiparibilMm.width()));
    case VERTSIZE:
        return int(std::lround(tiparibilMm.height()));
    case PHYSICALWIDTH:
        return hartie.width();
    case PHYSICALHEIGHT:
        return hartie.height();
    case PHYSICALOFFSETX:
        return tiparibil.left() - hartie.left();
    case PHYSICALOFFSETY:
        return tiparibil.top() - hartie.top();
    }
    return 0;
}

void TDispozitivPictor::BeginDoc(const QString &titlu)
{
    if (m_pictor.isActive())
        throw EZel(QStringLiteral("Tiparirea este deja pornita"));
    SeteazaTitlu(titlu);
    if (!m_pictor.begin(&m_dispozitiv))
        throw EZel(QStringLiteral("Nu pot porni tiparirea documentului \"%1\"").arg(titlu));
    m_pictor.setPen(Qt::black);
    m_pictor.setBrush(Qt::NoBrush);
    m_areFont = false;
}

void TDispozitivPictor::EndDoc()
{
    if (m_pictor.isActive())
        m_pictor.end();
}

void TDispozitivPictor::SeteazaFont(const TFontDispozitiv &f)
{
    if (m_areFont && f == m_font)
        return;
    m_font = f;
    m_fontQt = FontPentruCelula(f, m_dispozitiv.logicalDpiY());
    m_urcare = UrcareFont(f);
    m_metrici.reset();
    m_areFont = true;
    if (m_pictor.isActive())
        m_pictor.setFont(m_fontQt);
}

QSize TDispozitivPictor::TextExtent(const QString &text)
{
    if (!m_metrici)
        m_metrici.emplace(m_fontQt, &m_dispozitiv);
    return QSize(int(std::ceil(m_metrici->horizontalAdvance(text))), std::max(1, m_font.Inaltime));
}

void TDispozitivPictor::TextRect(const QRect &decupare, int x, int y, const QString &text)
{
    if (!m_pictor.isActive())
        throw EZel(QStringLiteral("Tiparirea nu este pornita"));
    m_pictor.save();
    m_pictor.setClipRect(decupare);
    m_pictor.translate(x, y);
    if (m_font.Escapare != 0)
        m_pictor.rotate(-m_font.Escapare / 10.0);
    m_pictor.drawText(QPointF(0, m_urcare), text);
    m_pictor.restore();
}

TDispozitivImprimanta::TDispozitivImprimanta(QPrinter::PrinterMode mod)
    : TDispozitivImprimanta(std::make_unique<QPrinter>(mod))
{
}

TDispozitivImprimanta::TDispozitivImprimanta(std::unique_ptr<QPrinter> p)
    : TDispozitivPictor(*p), m_imprimanta(std::move(p))
{
}

TDispozitivImprimanta::~TDispozitivImprimanta()
{
    EndDoc();
}

void TDispozitivImprimanta::SeteazaTitlu(const QString &titlu)
{
    m_imprimanta->setDocName(titlu);
}

TDispozitivPdf::TDispozitivPdf(const QString &fisier, int dpi, const QMarginsF &marginiMm)
    : TDispozitivPdf(std::make_unique<QPdfWriter>(fisier), dpi, marginiMm)
{
}

TDispozitivPdf::TDispozitivPdf(std::unique_ptr<QPdfWriter> w, int dpi, const QMarginsF &marginiMm)
    : TDispozitivPictor(*w), m_scriitor(std::move(w))
{
    m_scriitor->setResolution(dpi);
    m_scriitor->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, marginiMm,
                                          QPageLayout::Millimeter));
    m_scriitor->setCreator(QStringLiteral("Lauridex"));
}

TDispozitivPdf::~TDispozitivPdf()
{
    EndDoc();
}

void TDispozitivPdf::SeteazaTitlu(const QString &titlu)
{
    m_scriitor->setTitle(titlu);
}
