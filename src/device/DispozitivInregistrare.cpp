#include "device/DispozitivInregistrare.h"

#include "text/Eroare.h"

#include <QFontMetricsF>
#include <QImage>
#include <cmath>

namespace {
// The resolution of the sheet, read back from its physical height (landscape A4).
int DpiFoaie(int inaltimeFizica)
{
    return inaltimeFizica > 0 ? int(std::lround(inaltimeFizica / (210.0 / 25.4))) : 600;
}

// The extent of a text in that font, measured as the printer would at that resolution.
QSize Masoara(const QFont &font, int inaltimeCelula, int dpi, const QString &text)
{
    static QImage suprafata(1, 1, QImage::Format_RGB32);
    suprafata.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    suprafata.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    const QFontMetricsF m(font, &suprafata);
    return QSize(int(std::ceil(m.horizontalAdvance(text))), std::max(1, inaltimeCelula));
}
} // namespace

TDispozitivInregistrare::TDispozitivInregistrare()
{
    SeteazaFoaie(600, 4.0, 4.0);
    SeteazaFont(TFontDispozitiv());
    m_inaltimi.clear();
}

void TDispozitivInregistrare::SeteazaFoaie(int dpi, double margineXmm, double margineYmm)
{
    const double k = dpi / 25.4;
    const int latime = int(std::lround(297.0 * k));
    const int inaltime = int(std::lround(210.0 * k));
    const int ox = int(std::lround(margineXmm * k));
    const int oy = int(std::lround(margineYmm * k));
    m_cap[PHYSICALWIDTH] = latime;
    m_cap[PHYSICALHEIGHT] = inaltime;
    m_cap[PHYSICALOFFSETX] = ox;
    m_cap[PHYSICALOFFSETY] = oy;
    m_cap[HORZRES] = latime - 2 * ox;
    m_cap[VERTRES] = inaltime - 2 * oy;
    m_cap[HORZSIZE] = int(std::lround(297.0 - 2 * margineXmm));
    m_cap[VERTSIZE] = int(std::lround(210.0 - 2 * margineYmm));
}

void TDispozitivInregistrare::BeginDoc(const QString &titlu)
{
    if (m_tipareste)
        throw EZel(QStringLiteral("Tiparirea este deja pornita"));
    m_tipareste = true;
    m_documente.append(titlu);
}

void TDispozitivInregistrare::EndDoc()
{
    if (m_tipareste)
        ++m_incheiate;
    m_tipareste = false;
}

void TDispozitivInregistrare::SeteazaFont(const TFontDispozitiv &f)
{
    m_font = f;
    m_fontQt = FontPentruCelula(f, DpiFoaie(m_cap[PHYSICALHEIGHT]));
    m_inaltimi.append(f.Inaltime);
}

QSize TDispozitivInregistrare::TextExtent(const QString &text)
{
    ++m_masuratori;
    return Masoara(m_fontQt, m_font.Inaltime, DpiFoaie(m_cap[PHYSICALHEIGHT]), text);
}

void TDispozitivInregistrare::TextRect(const QRect &decupare, int x, int y, const QString &text)
{
    if (!m_tipareste)
        throw EZel(QStringLiteral("Tiparirea nu este pornita"));
    TScriere s;
    s.decupare = decupare;
    s.x = x;
    s.y = y;
    s.text = text;
    s.font = m_font;
    // Not a measurement the caller asked for: it is not counted.
    s.marime = Masoara(m_fontQt, m_font.Inaltime, DpiFoaie(m_cap[PHYSICALHEIGHT]), text);
    m_scrieri.append(s);
}

void TDispozitivInregistrare::Goleste()
{
    m_scrieri.clear();
    m_documente.clear();
    m_incheiate = 0;
    m_masuratori = 0;
    m_inaltimi.clear();
}
