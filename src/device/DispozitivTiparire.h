#pragma once
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPaintDevice;

// A font as the print code asks for it: the height is the character cell (ascent plus
// descent) in device pixels, the escapement is in tenths of a degree (0 or 1800).
struct TFontDispozitiv {
    QString Fata = QStringLiteral("Arial");
    int Inaltime = 1;
    int Greutate = 400;
    bool Italic = false;
    int Escapare = 0;
    int CharSet = 238;

    bool operator==(const TFontDispozitiv &) const = default;
};

// The Qt font whose character cell is exactly f.Inaltime pixels on a device of the given
// logical resolution. "Arial" and the other Windows faces resolve to their metric
// compatible Liberation faces; a face the system does not have falls back to the
// default sans face (and is reported once on the standard error), never to nothing.
QFont FontPentruCelula(const TFontDispozitiv &f, int dpiLogic);

// Ascent of that font in pixels (the rest of the cell is the descent).
double UrcareFont(const TFontDispozitiv &f);

// Registers the face substitutions once; safe to call repeatedly.
void InregistreazaSubstitutiiFonturi();

// What the print code reads of a printer and the few drawing calls it makes, all in
// device units. The coordinate origin is the top-left corner of the printable area,
// PHYSICALOFFSETX/Y away from the edge of the paper.
class TDispozitivTiparire {
public:
    enum Capabilitate {
        HORZSIZE = 4,  // printable width, whole millimetres
        VERTSIZE = 6,  // printable height, whole millimetres
        HORZRES = 8,   // printable width, device pixels
        VERTRES = 10,  // printable height, device pixels
        PHYSICALWIDTH = 110,
        PHYSICALHEIGHT = 111,
        PHYSICALOFFSETX = 112,
        PHYSICALOFFSETY = 113,
    };

    virtual ~TDispozitivTiparire() = default;

    virtual int GetDeviceCaps(Capabilitate c) const = 0;

    // Begins a print job with that title; the one page is open until EndDoc.
    virtual void BeginDoc(const QString &titlu) = 0;
    virtual void EndDoc() = 0;
    virtual bool Printing() const = 0;

    // The font of the following measurements and text calls.
    virtual void SeteazaFont(const TFontDispozitiv &f) = 0;
    // Width and cell height of the text in the current font.
    virtual QSize TextExtent(const QString &text) = 0;
    // Writes the text with the top-left of its cell at (x, y) in the current font, clipped
    // to the rectangle (right and bottom edges excluded). With an escapement of 1800 the
    // text runs to the left of x and its cell lies above y: turned by half a turn.
    virtual void TextRect(const QRect &decupare, int x, int y, const QString &text) = 0;
};
