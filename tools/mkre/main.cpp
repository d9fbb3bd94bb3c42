// Draws the pictures of the program's picture windows and packs them into the resource
// files shipped beside the program:
//   LX.re     Splash  (448 x 575)
//   Comun.re  About   (448 x 575), Warning (591 x 262)
// Usage: mkre <output folder> [<folder for the PNGs, to look at them>]

#include "form/ResurseExterne.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const QColor Bleumarin(24, 38, 78);
const QColor Visiniu(118, 28, 58);
const QColor Crem(246, 238, 220);
const QColor Auriu(214, 170, 74);

QFont Font(const char *familie, int pixeli, bool gros = false, bool italic = false)
{
    QFont f(QString::fromLatin1(familie));
    f.setStyleHint(QString::fromLatin1(familie).contains(QLatin1String("Serif")) ? QFont::Serif : QFont::SansSerif);
    f.setPixelSize(pixeli);
    f.setBold(gros);
    f.setItalic(italic);
    return f;
}

QImage Goala(int w, int h)
{
    QImage i(w, h, QImage::Format_ARGB32_Premultiplied);
    i.fill(Qt::transparent);
    return i;
}

// A soft shadow around a rounded shape: a few widening, fading outlines.
void Umbra(QPainter &p, const QRectF &r, qreal raza)
{
    // At most 2 pixels up and left and 4 down and right of the shape, so the picture's
    // edge never cuts it off.
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 18));
        p.drawRoundedRect(r.adjusted(-i + 1, -i + 1, i + 1, i + 1), raza + i, raza + i);
    }
}

// The body of the tall windows: rounded, dark blue into wine red, a gold rim. The thin
// inner rim frames the content only and ends above the footer at y 510, where the
// version band (y 526-555) and the Ok button sit; the body's corners are small enough
// that both stay inside it.
void CorpInalt(QPainter &p, const QRectF &r)
{
    Umbra(p, r, 24);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Bleumarin);
    g.setColorAt(0.62, QColor(52, 38, 86));
    g.setColorAt(1, Visiniu);
    p.setBrush(g);
    p.setPen(QPen(Auriu, 3));
    p.drawRoundedRect(r, 24, 24);
    p.setPen(QPen(QColor(214, 170, 74, 110), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r.left() + 9, r.top() + 9, r.width() - 18, 510 - r.top() - 9), 17, 17);
}

// A certificate sheet with its stub, a seal and a ribbon, tilted a little.
void Diploma(QPainter &p, QPointF centru, qreal scara)
{
    p.save();
    p.translate(centru);
    p.rotate(-6);
    p.scale(scara, scara);
    const QRectF foaie(-130, -88, 260, 176);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(foaie.translated(6, 8));
    QLinearGradient g(foaie.topLeft(), foaie.bottomRight());
    g.setColorAt(0, QColor(255, 251, 238));
    g.setColorAt(1, QColor(236, 224, 196));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 120, 70), 1.5));
    p.drawRect(foaie);
    // stub and certificate separated by a dotted line
    p.setPen(QPen(QColor(150, 120, 70), 1, Qt::DashLine));
    p.drawLine(QPointF(-62, -88), QPointF(-62, 88));
    p.setPen(QPen(QColor(120, 100, 70, 160), 2));
    for (int k = 0; k < 7; ++k) {
        const qreal y = -60 + k * 18;
        p.drawLine(QPointF(-120, y), QPointF(-72, y));
        p.drawLine(QPointF(-48, y), QPointF(k == 0 ? 70 : 116, y));
    }
    p.setPen(QPen(QColor(118, 28, 58), 1));
    p.setFont(Font("Liberation Serif", 15, true));
    p.drawText(QRectF(-52, -84, 170, 20), Qt::AlignCenter, QStringLiteral("DIPLOMĂ"));
    // seal with ribbons
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(168, 32, 48));
    QPainterPath panglica;
    panglica.moveTo(78, 48);
    panglica.lineTo(66, 100);
    panglica.lineTo(80, 90);
    panglica.lineTo(90, 104);
    panglica.lineTo(96, 52);
    p.drawPath(panglica);
    QRadialGradient s(QPointF(84, 44), 24, QPointF(78, 36));
    s.setColorAt(0, QColor(255, 214, 120));
    s.setColorAt(1, QColor(196, 140, 40));
    p.setBrush(s);
    p.drawEllipse(QPointF(84, 44), 22, 22);
    p.setPen(QPen(QColor(150, 100, 20), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(84, 44), 16, 16);
    p.restore();
}

// The light band that carries the version text.
void BandaVersiune(QPainter &p, const QRect &r)
{
    p.setPen(QPen(QColor(214, 170, 74, 200), 1));
    p.setBrush(QColor(246, 238, 220, 225));
    p.drawRoundedRect(QRectF(r).adjusted(-4, -2, 4, 2), 8, 8);
}

QImage Splash()
{
    QImage i = Goala(448, 575);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    CorpInalt(p, QRectF(6, 4, 436, 564));
    Diploma(p, QPointF(224, 178), 1.18);

    p.setPen(Crem);
    p.setFont(Font("Liberation Serif", 60, true));
    p.drawText(QRect(10, 318, 424, 76), Qt::AlignCenter, QStringLiteral("Lauridex"));
    p.setPen(QPen(Auriu, 2));
    p.drawLine(QPointF(110, 400), QPointF(338, 400));
    p.setPen(Crem);
    p.setFont(Font("Liberation Serif", 22, false, true));
    p.drawText(QRect(10, 410, 424, 32), Qt::AlignCenter, QStringLiteral("Diploma de examen naţional"));
    p.setFont(Font("Liberation Sans", 14));
    p.setPen(QColor(236, 222, 196));
    p.drawText(QRect(30, 448, 384, 60), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Evidenţa candidaţilor şi tipărirea diplomei\npe formularul pre-tipărit"));
    BandaVersiune(p, QRect(24, 528, 289, 25));
    return i;
}

QImage Despre()
{
    QImage i = Goala(448, 575);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    CorpInalt(p, QRectF(6, 4, 436, 564));
    Diploma(p, QPointF(224, 132), 0.82);

    p.setPen(Crem);
    p.setFont(Font("Liberation Serif", 40, true));
    p.drawText(QRect(10, 222, 424, 56), Qt::AlignCenter, QStringLiteral("Despre Lauridex"));
    p.setPen(QPen(Auriu, 2));
    p.drawLine(QPointF(90, 282), QPointF(358, 282));
    p.setPen(QColor(240, 230, 208));
    p.setFont(Font("Liberation Sans", 15));
    p.drawText(QRect(40, 298, 368, 210), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Programul secretariatului pentru diploma de examen naţional.\n\n"
                              "Păstrează candidaţii şi valorile fiecărui câmp al diplomei, "
                              "completează şi previzualizează diploma peste imaginea formularului "
                              "şi tipăreşte doar valorile, la locul lor, pe foaia pre-tipărită.\n\n"
                              "Datele pot fi preluate dintr-un registru Excel."));
    BandaVersiune(p, QRect(24, 526, 289, 25));
    // the place of the "Ok" button
    p.setPen(QPen(QColor(214, 170, 74, 200), 1));
    p.setBrush(QColor(246, 238, 220, 90));
    p.drawRoundedRect(QRectF(344, 520, 81, 33).adjusted(-3, -3, 3, 3), 8, 8);
    return i;
}

QImage Avertizare()
{
    QImage i = Goala(591, 262);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // The body reaches down past the button (y 201-251) with room for its frame.
    const QRectF r(6, 4, 579, 254);
    Umbra(p, r, 26);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 248, 228));
    g.setColorAt(1, QColor(240, 222, 180));
    p.setBrush(g);
    p.setPen(QPen(QColor(190, 120, 30), 3));
    p.drawRoundedRect(r, 26, 26);

    // warning sign
    QPainterPath triunghi;
    triunghi.moveTo(92, 34);
    triunghi.lineTo(160, 154);
    triunghi.lineTo(24, 154);
    triunghi.closeSubpath();
    p.setPen(QPen(QColor(120, 60, 10), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 190, 40));
    p.drawPath(triunghi);
    p.setPen(QColor(60, 30, 10));
    p.setFont(Font("Liberation Sans", 80, true));
    p.drawText(QRectF(24, 56, 136, 100), Qt::AlignCenter, QStringLiteral("!"));

    p.setPen(QColor(130, 30, 40));
    p.setFont(Font("Liberation Serif", 34, true));
    p.drawText(QRect(180, 24, 390, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Atenţie!"));
    p.setPen(QColor(50, 40, 30));
    p.setFont(Font("Liberation Sans", 16));
    p.drawText(QRect(180, 74, 390, 120), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Introduceţi în imprimantă formularul pre-tipărit al diplomei. "
                              "Se tipăresc doar valorile, fiecare la locul ei pe formular."));
    // the place of the button
    p.setPen(QPen(QColor(190, 120, 30, 160), 1));
    p.setBrush(QColor(220, 220, 222));
    p.drawRoundedRect(QRectF(176, 201, 217, 50).adjusted(-2, -2, 2, 2), 10, 10);
    return i;
}

QByteArray Png(const QImage &i)
{
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    if (!i.convertToFormat(QImage::Format_ARGB32).save(&buf, "PNG"))
        throw EZel(QStringLiteral("Nu pot codifica imaginea PNG"));
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    // Fonts need a GUI application, but a build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkre <output folder> [<png folder>]\n");
        return 2;
    }
    try {
        const QString iesire = QString::fromLocal8Bit(argv[1]);
        QDir().mkpath(iesire);
        const QImage splash = Splash();
        const QImage despre = Despre();
        const QImage avertizare = Avertizare();
        ScrieFisierAtomic(QDir(iesire).filePath(QStringLiteral("LX.re")),
                          CompuneFisierResurse({{QStringLiteral("Splash"), ResursaPNG, Png(splash)}}));
        ScrieFisierAtomic(QDir(iesire).filePath(QStringLiteral("Comun.re")),
                          CompuneFisierResurse({{QStringLiteral("About"), ResursaPNG, Png(despre)},
                                                {QStringLiteral("Warning"), ResursaPNG, Png(avertizare)}}));
        if (argc > 2) {
            const QDir png(QString::fromLocal8Bit(argv[2]));
            QDir().mkpath(png.path());
            splash.save(png.filePath(QStringLiteral("Splash.png")));
            despre.save(png.filePath(QStringLiteral("About.png")));
            avertizare.save(png.filePath(QStringLiteral("Warning.png")));
        }
    } catch (const EZel &e) {
        std::fprintf(stderr, "mkre: %s\n", e.what());
        return 1;
    }
    return 0;
}
