#pragma once
#include "device/DispozitivTiparire.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPdfWriter;

// A printing surface drawn with QPainter on a paged Qt device. Printer and PDF share
// all of it; only the document title and the device differ.
class TDispozitivPictor : public TDispozitivTiparire {
public:
    int GetDeviceCaps(Capabilitate c) const override;
    void BeginDoc(const QString &titlu) override;
    void EndDoc() override;
    bool Printing() const override { return m_pictor.isActive(); }
    void SeteazaFont(const TFontDispozitiv &f) override;
    QSize TextExtent(const QString &text) override;
    void TextRect(const QRect &decupare, int x, int y, const QString &text) override;

protected:
    explicit TDispozitivPictor(QPagedPaintDevice &dispozitiv);
    virtual void SeteazaTitlu(const QString &titlu) = 0;
    QPagedPaintDevice &m_dispozitiv;

private:
    QPainter m_pictor;
    TFontDispozitiv m_font;
    QFont m_fontQt;
    std::optional<QFontMetricsF> m_metrici; // of the current font, made on first measurement
    double m_urcare = 0;
    bool m_areFont = false;
};

// A real printer (CUPS on Linux); the caller sets orientation and paper on Imprimanta().
class TDispozitivImprimanta : public TDispozitivPictor {
public:
    explicit TDispozitivImprimanta(QPrinter::PrinterMode mod = QPrinter::HighResolution);
    ~TDispozitivImprimanta() override;
    QPrinter &Imprimanta() { return *m_imprimanta; }

protected:
    void SeteazaTitlu(const QString &titlu) override;

private:
    TDispozitivImprimanta(std::unique_ptr<QPrinter> p);
    std::unique_ptr<QPrinter> m_imprimanta;
};

// Print to a PDF file: a landscape A4 sheet at the given resolution, with margins that
// play the part of a printer's unprintable edges.
class TDispozitivPdf : public TDispozitivPictor {
public:
    explicit TDispozitivPdf(const QString &fisier, int dpi = 600, const QMarginsF &marginiMm = QMarginsF());
    ~TDispozitivPdf() override;
    QPdfWriter &Scriitor() { return *m_scriitor; }

protected:
    void SeteazaTitlu(const QString &titlu) override;

private:
    TDispozitivPdf(std::unique_ptr<QPdfWriter> w, int dpi, const QMarginsF &marginiMm);
    std::unique_ptr<QPdfWriter> m_scriitor;
};
