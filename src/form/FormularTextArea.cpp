#include "form/FormularTextArea.h"

#include "form/FontFormular.h"
#include "form/FormularDePrintat.h"
#include "form/Particularizari.h"
#include "text/Eroare.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// Clears a guard flag however the guarded step ends.
class TGarda {
public:
    TGarda(int &stare, int flag) : m_stare(stare), m_flag(flag) { m_stare |= m_flag; }
    ~TGarda() { m_stare &= ~m_flag; }

private:
    int &m_stare;
    int m_flag;
};

// Nearest integer, ties to the even one.
int Nearest(double v)
{
    return int(std::nearbyint(v));
}

// Shrinks the font one pixel at a time while the text is wider than the room, never
// below 2 (a start of 1 stays 1). Returns the height of the last font measured.
//
// At printer resolution the glyphs are not hinted and widths grow with the height, so
// the pixel-by-pixel walk ends at the largest height that fits. Walking it there means
// dozens of font sizes per area; the
// width at the start height predicts the answer almost exactly, and two more
// measurements around the prediction confirm it.
template <typename Masoara>
int Potriveste(int h, int latime, Masoara masoara, int &latimeText)
{
    latimeText = masoara(h);
    if (latimeText <= latime || h <= 2)
        return h;
    const int start = h;
    int g = std::clamp(latimeText > 0 ? int(double(start) * latime / latimeText) : start - 1, 2, start - 1);
    int l = masoara(g);
    if (l <= latime) {
        // Climb while one pixel more still fits; the start height is known not to.
        while (g + 1 < start) {
            const int urmator = masoara(g + 1);
            if (urmator > latime)
                break;
            ++g;
            l = urmator;
        }
    } else {
        // Descend as the plain walk would, never below 2.
        while (l > latime && g > 2) {
            --g;
            l = masoara(g);
        }
    }
    latimeText = l;
    return g;
}

// The plain walk: one pixel less while the text is wider than the room, no font
// created below 2. Screen heights are a few dozen pixels at most, and hinted screen
// widths need not grow with every pixel, so the preview walks it as it is.
template <typename Masoara>
int PotrivestePasCuPas(int h, int latime, Masoara masoara, int &latimeText)
{
    latimeText = masoara(h);
    while (latimeText > latime && h - 1 >= 2) {
        --h;
        latimeText = masoara(h);
    }
    return h;
}

int PozitieX(TAlignment a, int stanga, int latime, int latimeText)
{
    switch (a) {
    case taRightJustify:
        return stanga + latime - latimeText;
    case taCenter:
        return stanga + (latime - latimeText) / 2; // C++ division truncates towards zero
    case taLeftJustify:
        break;
    }
    return stanga;
}

QColor CuloareDelphi(int c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
} // namespace

TFormularTextArea::TFormularTextArea(QWidget *parinte, const QString &nume) : QWidget(parinte)
{
    setObjectName(nume);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

TFormularTextArea::~TFormularTextArea()
{
    if (m_font)
        m_font->ScoateUtilizator(this);
}

void TFormularTextArea::Set_Width(double v)
{
    if (!(m_stare & fisSizing))
        m_width = v;
}

void TFormularTextArea::Set_Height(double v)
{
    if (!(m_stare & fisSizing))
        m_height = v;
}

void TFormularTextArea::Set_Left(double v)
{
    if (!(m_stare & fisSizing))
        m_left = v;
}

void TFormularTextArea::Set_Top(double v)
{
    if (!(m_stare & fisSizing))
        m_top = v;
}

void TFormularTextArea::SetText(const QString &v)
{
    m_text = v;
    Repicteaza();
}

void TFormularTextArea::SetFont(TFontFormular *f)
{
    if (m_font)
        m_font->ScoateUtilizator(this);
    m_font = f;
    if (m_font)
        m_font->AdaugaUtilizator(this);
    Repicteaza();
}

void TFormularTextArea::MemoreazaTopInitial()
{
    if (m_origTopMemorat)
        return;
    m_origTop = m_top;
    m_origTopMemorat = true;
}

QObject *TFormularTextArea::Proprietar() const
{
    if (m_proprietar)
        return m_proprietar.data();
    if (TFormularDePrintat *p = Pagina())
        if (p->Proprietar())
            return p->Proprietar();
    return window() == this ? nullptr : window();
}

TFormularDePrintat *TFormularTextArea::Pagina() const
{
    return qobject_cast<TFormularDePrintat *>(parentWidget());
}

double TFormularTextArea::p_zoom() const
{
    const TFormularDePrintat *p = Pagina();
    return p ? p->Zoom() : 100.0;
}

void TFormularTextArea::Setp_zoom(double v)
{
    if (TFormularDePrintat *p = Pagina())
        p->SetZoom(v);
}

double TFormularTextArea::p_dpi() const
{
    const TFormularDePrintat *p = Pagina();
    return p ? p->ScreenDpi() : 96.0;
}

void TFormularTextArea::FontChanged()
{
    Repicteaza();
}

void TFormularTextArea::FontDestroyed()
{
    m_font = nullptr;
}

void TFormularTextArea::ZoomChanged()
{
    PlaceFromMm();
    Repicteaza();
}

void TFormularTextArea::PlaceFromMm()
{
    TGarda g(m_stare, fisZooming);
    const double dpi = p_dpi();
    const QRect r(TFormularDePrintat::MmToPixels(dpi, m_left), TFormularDePrintat::MmToPixels(dpi, m_top),
                  TFormularDePrintat::MmToPixels(dpi, m_width), TFormularDePrintat::MmToPixels(dpi, m_height));
    if (r == geometry())
        return;
    setGeometry(r);
    Resize(); // with fisZooming set: the millimetres stay, only the notification goes out
}

void TFormularTextArea::SetBounds(const QRect &r)
{
    if (r == geometry())
        return;
    setGeometry(r);
    Resize();
}

void TFormularTextArea::Resize()
{
    if (!(m_stare & fisZooming) && !m_incarcare) {
        const double zoom = p_zoom();
        if (zoom != m_zoomLock && m_zoomLock != 0) {
            PlaceFromMm();
        } else {
            TGarda g(m_stare, fisSizing);
            const double dpi = p_dpi();
            m_top = TFormularDePrintat::PixelsToMm(y(), dpi);
            m_left = TFormularDePrintat::PixelsToMm(x(), dpi);
            m_width = TFormularDePrintat::PixelsToMm(width(), dpi);
            m_height = TFormularDePrintat::PixelsToMm(height(), dpi);
            m_zoomLock = zoom;
        }
    }
    Repicteaza();
    Q_EMIT Redimensionat();
}

void TFormularTextArea::Repicteaza()
{
    ++m_repictari;
    update();
}

QString TFormularTextArea::EffectiveText() const
{
    const TParticularizareTextArea *adj = AdjustmentFor(this, false);
    if (adj && !adj->TextOverride.isEmpty() && m_text.size() != 1)
        return adj->TextOverride;
    return m_text;
}

TStilEfectiv TFormularTextArea::StilEfectiv() const
{
    const TParticularizareTextArea *adj = AdjustmentFor(this, false);
    TStilEfectiv s;
    s.Font = adj && adj->Font() ? adj->Font() : m_font;
    s.Alinere = m_alignment;
    s.Text = m_text;
    if (s.Font) {
        s.Fata = s.Font->FontName();
        s.Greutate = s.Font->Bold() ? 700 : 400;
        s.Italic = s.Font->Italic();
    }
    if (adj) {
        if (!adj->FaceOverride.isEmpty())
            s.Fata = adj->FaceOverride;
        if (adj->BoldOverride == 1)
            s.Greutate = 700;
        else if (adj->BoldOverride == 2)
            s.Greutate = 400;
        if (adj->ItalicOverride == 1)
            s.Italic = true;
        else if (adj->ItalicOverride == 2)
            s.Italic = false;
        switch (adj->AlignmentOverride) {
        case 1:
            s.Alinere = taLeftJustify;
            break;
        case 2:
            s.Alinere = taCenter;
            break;
        case 3:
            s.Alinere = taRightJustify;
            break;
        default:
            break;
        }
        if (!adj->TextOverride.isEmpty() && m_text.size() != 1)
            s.Text = adj->TextOverride;
        s.ShiftX = adj->ShiftX;
        s.ShiftY = adj->ShiftY;
    }
    return s;
}

TAsezareText TFormularTextArea::AsezarePreview(int dpiLogic) const
{
    const TStilEfectiv s = StilEfectiv();
    TAsezareText a;
    if (!s.Font)
        return a;
    a.Deseneaza = true;
    a.Font.Fata = s.Fata;
    a.Font.Greutate = s.Greutate;
    a.Font.Italic = s.Italic;
    a.Font.CharSet = s.Font->CharSet();
    const int h0 = std::max(1, TFormularDePrintat::MmToPixels(p_dpi(), s.Font->Size()));
    auto masoara = [&](int h) {
        TFontDispozitiv f = a.Font;
        f.Inaltime = h;
        const QFontMetricsF m(FontPentruCelula(f, dpiLogic));
        return int(std::ceil(m.horizontalAdvance(s.Text)));
    };
    a.Font.Inaltime = PotrivestePasCuPas(h0, width(), masoara, a.Latime);
    a.Y = height() - a.Font.Inaltime;
    a.X = PozitieX(s.Alinere, 0, width(), a.Latime);
    return a;
}

void TFormularTextArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const TFormularDePrintat *pagina = Pagina();
    try {
        if (!pagina || !pagina->TextAreaTransparent())
            p.fillRect(rect(), palette().color(QPalette::Window));
        if (m_hovered)
            p.fillRect(rect(), palette().color(QPalette::Highlight));
        const int dpi = p.device()->logicalDpiY();
        const TAsezareText a = AsezarePreview(dpi);
        if (a.Deseneaza) {
            p.setFont(FontPentruCelula(a.Font, dpi));
            p.setPen(m_hovered ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
            p.setClipRect(rect());
            p.drawText(QPointF(a.X, a.Y + UrcareFont(a.Font)), EffectiveText());
            p.setClipping(false);
        }
        p.setPen(QColor(Qt::black));
        if (pagina && pagina->TextAreaWithBorder())
            p.drawRect(0, 0, width() - 1, height() - 1);
        if (pagina && a.Deseneaza) {
            const int b = height() - int(std::lround(a.Font.Inaltime - UrcareFont(a.Font)));
            if (pagina->TextAreaBaseLine1()) {
                p.setPen(CuloareDelphi(pagina->TextAreaBaseLine1_color()));
                p.drawLine(0, b, width() - 1, b);
            }
            if (pagina->TextAreaBaseLine2()) {
                const int d = TFormularDePrintat::MmToPixels(pagina->ScreenDpi(), pagina->TextAreaBaseLine2_delta());
                p.setPen(CuloareDelphi(pagina->TextAreaBaseLine2_color()));
                p.drawLine(0, b + d, width() - 1, b + d);
            }
        }
    } catch (const EZel &e) {
        // A damaged adjustments file: the areas stay blank until it is repaired; painting
        // must not throw through the event loop.
        static QString ultima;
        if (ultima != e.Mesaj()) {
            ultima = e.Mesaj();
            std::fprintf(stderr, "%s\n", e.what());
        }
    }
}

TDreptunghiDispozitiv TFormularTextArea::PrinterRect(const TDispozitivTiparire &dc, double X, double Y) const
{
    const int horzSize = dc.GetDeviceCaps(TDispozitivTiparire::HORZSIZE);
    const int vertSize = dc.GetDeviceCaps(TDispozitivTiparire::VERTSIZE);
    if (horzSize <= 0 || vertSize <= 0)
        throw EZel(QStringLiteral("Imprimanta nu raporteaza dimensiunile paginii"));
    const double kx = double(dc.GetDeviceCaps(TDispozitivTiparire::HORZRES)) / horzSize;
    const double ky = double(dc.GetDeviceCaps(TDispozitivTiparire::VERTRES)) / vertSize;
    const int ox = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETX);
    const int oy = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETY);
    const TParticularizareTextArea *adj = AdjustmentFor(this, false);
    const double sx = adj ? adj->ShiftX * 0.5 : 0.0;
    const double sy = adj ? adj->ShiftY * 0.5 : 0.0;
    TDreptunghiDispozitiv r;
    r.Left = Nearest((m_left + X + sx) * kx) - ox;
    r.Top = Nearest((m_top + Y + sy) * ky) - oy;
    r.Right = r.Left + Nearest(m_width * kx);
    r.Bottom = r.Top + Nearest(m_height * ky);
    return r;
}

void TFormularTextArea::PrintTo(TDispozitivTiparire &dc, bool mirror, double X, double Y)
{
    const TStilEfectiv s = StilEfectiv();
    if (!s.Font)
        return;
    const TDreptunghiDispozitiv r = PrinterRect(dc, X, Y);
    const int w = r.Right - r.Left + 1;
    const int hgt = r.Bottom - r.Top + 1;
    const double k = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT) / 8.26771653543307;
    int h = std::max(1, TFormularDePrintat::MmToPixels(k, s.Font->Size()));
    h = std::min(h, TFormularDePrintat::MmToPixels(k, m_height));

    TFontDispozitiv f;
    f.Fata = s.Fata;
    f.Greutate = s.Greutate;
    f.Italic = s.Italic;
    f.CharSet = s.Font->CharSet();
    f.Escapare = mirror ? 1800 : 0;
    int latimeText = 0;
    QSize marime;
    auto masoara = [&](int inaltime) {
        f.Inaltime = inaltime;
        dc.SeteazaFont(f);
        marime = dc.TextExtent(s.Text);
        return marime.width();
    };
    h = Potriveste(h, w, masoara, latimeText);
    if (f.Inaltime != h)
        masoara(h); // the last font created is the one written with
    const int inaltimeText = marime.height();

    int y = r.Top + hgt - inaltimeText;
    int x = PozitieX(s.Alinere, r.Left, w, latimeText);
    TDreptunghiDispozitiv c = r;
    if (mirror) {
        const int pw = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALWIDTH);
        const int ph = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT);
        const int ox = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETX);
        const int oy = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETY);
        x = pw - x - 2 * ox;
        y = ph - y - 2 * oy;
        c.Left = pw - r.Right - 2 * ox;
        c.Right = pw - r.Left - 2 * ox;
        c.Top = ph - r.Bottom - 2 * oy;
        c.Bottom = ph - r.Top - 2 * oy;
    }
    dc.TextRect(QRect(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top), x, y, s.Text);
}

void TFormularTextArea::enterEvent(QEnterEvent *e)
{
    m_hovered = true;
    Repicteaza();
    QWidget::enterEvent(e);
}

void TFormularTextArea::leaveEvent(QEvent *e)
{
    m_hovered = false;
    Repicteaza();
    QWidget::leaveEvent(e);
}

void TFormularTextArea::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && LaClic())
        LaClic()(this);
    QWidget::mouseReleaseEvent(e);
}

std::function<void(TFormularTextArea *)> &TFormularTextArea::LaClic()
{
    static std::function<void(TFormularTextArea *)> f;
    return f;
}

std::function<void(QDialog *, TFormularTextArea *)> &TFormularTextArea::OnBeforeEditTextArea()
{
    static std::function<void(QDialog *, TFormularTextArea *)> f;
    return f;
}

std::function<void(QDialog *, TFormularTextArea *)> &TFormularTextArea::OnAfterEditTextArea()
{
    static std::function<void(QDialog *, TFormularTextArea *)> f;
    return f;
}
