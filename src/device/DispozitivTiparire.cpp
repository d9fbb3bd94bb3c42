#include "device/DispozitivTiparire.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QSet>
#include <cstdio>

namespace {
struct TProportii {
    double celula = 1.0; // (ascent + descent) per pixel of em
    double urcare = 0.8; // ascent per pixel of em
};

QString Cheie(const TFontDispozitiv &f)
{
    return f.Fata.toLower() + QLatin1Char('|') + QString::number(f.Greutate >= 600) + QLatin1Char('|')
           + QString::number(f.Italic);
}

QFont FontDeBaza(const TFontDispozitiv &f)
{
    InregistreazaSubstitutiiFonturi();
    QFont font(f.Fata);
    font.setStyleHint(QFont::SansSerif, QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferQuality));
    font.setWeight(f.Greutate >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(f.Italic);
    font.setKerning(false);
    return font;
}

void SemnaleazaFataLipsa(const QString &fata, const QString &folosita)
{
    static QSet<QString> semnalate;
    if (semnalate.contains(fata.toLower()))
        return;
    semnalate.insert(fata.toLower());
    std::fprintf(stderr, "Lauridex: fontul \"%s\" lipseste, folosesc \"%s\"\n", qPrintable(fata),
                 qPrintable(folosita));
}

TProportii Proportii(const TFontDispozitiv &f)
{
    static QHash<QString, TProportii> cache;
    const QString k = Cheie(f);
    auto it = cache.constFind(k);
    if (it != cache.constEnd())
        return *it;
    QFont font = FontDeBaza(f);
    font.setPixelSize(1000);
    const QFontInfo info(font);
    if (!info.exactMatch() && !f.Fata.isEmpty()) {
        const QString cerut = QFont::substitute(f.Fata);
        if (info.family().compare(cerut, Qt::CaseInsensitive) != 0
            && info.family().compare(f.Fata, Qt::CaseInsensitive) != 0)
            SemnaleazaFataLipsa(f.Fata, info.family());
    }
    const QFontMetricsF m(font);
    TProportii p;
    const double celula = m.ascent() + m.descent();
    if (celula > 0) {
        p.celula = celula / 1000.0;
        p.urcare = m.ascent() / 1000.0;
    }
    return *cache.insert(k, p);
}
} // namespace

void InregistreazaSubstitutiiFonturi()
{
    static bool facut = false;
    if (facut)
        return;
    facut = true;
    const QStringList familii = QFontDatabase::families();
    auto inlocuieste = [&](const char *windows, const char *liberation) {
        const QString l = QString::fromLatin1(liberation);
        if (familii.contains(l, Qt::CaseInsensitive))
            QFont::insertSubstitution(QString::fromLatin1(windows), l);
    };
    inlocuieste("Arial", "Liberation Sans");
    inlocuieste("Helvetica", "Liberation Sans");
    inlocuieste("Times New Roman", "Liberation Serif");
    inlocuieste("Courier New", "Liberation Mono");
    inlocuieste("Arial Narrow", "Liberation Sans Narrow");
}

QFont FontPentruCelula(const TFontDispozitiv &f, int dpiLogic)
{
    const TProportii p = Proportii(f);
    QFont font = FontDeBaza(f);
    const double em = std::max(1, f.Inaltime) / p.celula;
    font.setPointSizeF(em * 72.0 / (dpiLogic > 0 ? dpiLogic : 96));
    return font;
}

double UrcareFont(const TFontDispozitiv &f)
{
    const TProportii p = Proportii(f);
    return std::max(1, f.Inaltime) * p.urcare / p.celula;
}
