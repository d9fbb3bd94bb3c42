#include "form/ResurseExterne.h"

#include "text/CodePage1250.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void EroareCitire() { throw EZel(QStringLiteral("Stream read error")); }

QByteArray CitesteExact(QFile &f, qint64 numar)
{
    QByteArray b = f.read(numar);
    if (b.size() != numar)
        EroareCitire();
    return b;
}

int32_t Int32(const char *p) { return qFromLittleEndian<int32_t>(p); }

struct TIntrare {
    QString nume;
    int32_t marime = 0;
    int32_t pozitie = 0;
    int tip = 0;
};

} // namespace

QString NumeFisierDinCale(const QString &cale)
{
    const qsizetype i = std::max(cale.lastIndexOf(QLatin1Char('/')), cale.lastIndexOf(QLatin1Char('\\')));
    return cale.mid(i + 1);
}

TResursaExterna CitesteResursaExterna(const QString &indicativ)
{
    const qsizetype doua = indicativ.lastIndexOf(QLatin1Char(':'));
    if (doua < 2)
        throw EZel(QStringLiteral("Indicativul pentru resursa externa trebuie sa fie format din numele "
                                  "fisierului + \":\" + numele resursei!"));
    QString fisier = indicativ.left(doua).trimmed();
    const QString resursa = indicativ.mid(doua + 1).trimmed();

    if (!QFileInfo(fisier).isFile()) {
        const QString nume = NumeFisierDinCale(fisier);
        const QString langaProgram = CaleInFolder(FolderulProgramului(), nume);
        const QString inER = CaleInFolder(CaleInFolder(FolderulProgramului(), QStringLiteral("ER")), nume);
        if (!nume.isEmpty() && QFileInfo(langaProgram).isFile())
            fisier = langaProgram;
        else if (!nume.isEmpty() && QFileInfo(inER).isFile())
            fisier = inER;
        else
            throw EZel(QStringLiteral("NU gasesc resursa externa ") + nume);
    }

    QFile f(fisier);
    if (!f.open(QIODevice::ReadOnly))
        throw EZel(QStringLiteral("Nu pot deschide fisierul ") + fisier + QStringLiteral(": ") + f.errorString());
    const qint64 lungimeFisier = f.size();

    const int32_t n = Int32(CitesteExact(f, 4).constData());
    QList<TIntrare> intrari;
    // A negative count holds no entries; a count larger than the file runs out of data
    // entry by entry long before it could exhaust memory.
    for (int32_t i = 0; i < n; ++i) {
        const QByteArray e = CitesteExact(f, LungimeIntrareResursa);
        const int l = std::min<int>(static_cast<unsigned char>(e.at(0)), LungimeMaximaNumeResursa);
        TIntrare t;
        t.nume = Cp1250::Decodifica(e.mid(1, l));
        t.marime = Int32(e.constData() + 129);
        t.pozitie = Int32(e.constData() + 133);
        t.tip = static_cast<unsigned char>(e.at(137));
        intrari.append(t);
    }

    const QString cautat = resursa.toLower();
    for (const TIntrare &t : std::as_const(intrari)) {
        if (t.nume.trimmed().toLower() != cautat)
            continue;
        if (t.marime < 0 || t.pozitie < 0 || qint64(t.pozitie) + t.marime > lungimeFisier)
            EroareCitire();
        if (!f.seek(t.pozitie))
            EroareCitire();
        TResursaExterna r;
        r.date = CitesteExact(f, t.marime);
        r.tip = t.tip;
        r.fisier = fisier;
        return r;
    }
    throw EZel(QStringLiteral("Nu am gasit resursa \"%1\" in fisierul\r\n%2").arg(resursa, fisier));
}

QByteArray CompuneFisierResurse(const QList<TResursaDeScris> &resurse)
{
    QByteArray director;
    QByteArray date;
    const qint64 inceputDate = 4 + qint64(resurse.size()) * LungimeIntrareResursa;
    for (const TResursaDeScris &r : resurse) {
        const QByteArray nume = Cp1250::Codifica(r.nume);
        if (nume.size() > LungimeMaximaNumeResursa)
            throw EZel(QStringLiteral("Numele resursei este prea lung (maximum 128 de caractere): ") + r.nume);
        const qint64 pozitie = inceputDate + date.size();
        if (pozitie + r.date.size() > std::numeric_limits<int32_t>::max())
            throw EZel(QStringLiteral("Fisierul de resurse ar depasi 2 GB"));
        QByteArray e(LungimeIntrareResursa, '\0');
        e[0] = char(nume.size());
        std::copy(nume.begin(), nume.end(), e.begin() + 1);
        qToLittleEndian<int32_t>(int32_t(r.date.size()), e.data() + 129);
        qToLittleEndian<int32_t>(int32_t(pozitie), e.data() + 133);
        e[137] = char(r.tip);
        director += e;
        date += r.date;
    }
    QByteArray rezultat(4, '\0');
    qToLittleEndian<int32_t>(int32_t(resurse.size()), rezultat.data());
    return rezultat + director + date;
}

QImage DecodeazaImagineResursa(const TResursaExterna &resursa)
{
    const char *format = nullptr;
    switch (resursa.tip) {
    case ResursaBMP: format = "BMP"; break;
    case ResursaJPEG: format = "JPEG"; break;
    case ResursaPNG: format = "PNG"; break;
    default: throw EZel(QStringLiteral("Resursa exista dar nu este de tip BMP, JPG sau PNG!"));
    }
    QImage imagine;
    if (!imagine.loadFromData(resursa.date, format))
        return QImage();
    return imagine;
}

QRect DreptunghiDesenare(QSize imagine, QSize client, bool stretch, bool proportional, bool center)
{
    const int w = imagine.width();
    const int h = imagine.height();
    const int cw = client.width();
    const int ch = client.height();
    int latime = w;
    int inaltime = h;
    if (stretch || (proportional && (w > cw || h > ch))) {
        if (proportional && w > 0 && h > 0) {
            const double r = double(w) / double(h);
            if (w > h) {
                latime = cw;
                inaltime = int(std::trunc(cw / r));
                if (inaltime > ch) {
                    inaltime = ch;
                    latime = int(std::trunc(r * ch));
                }
            } else {
                inaltime = ch;
                latime = int(std::trunc(r * ch));
                if (latime > cw) {
                    latime = cw;
                    inaltime = int(std::trunc(cw / r));
                }
            }
        } else {
            latime = cw;
            inaltime = ch;
        }
    }
    QRect d(0, 0, latime, inaltime);
    if (center)
        d.translate((cw - latime) / 2, (ch - inaltime) / 2);
    return d;
}

// ---------------------------------------------------------------------------------------

TERImage::TERImage(QWidget *parinte) : QWidget(parinte)
{
    resize(105, 105);
}

void TERImage::SetAutoSize(bool v)
{
    m_autoSize = v;
    if (v && !m_imagine.isNull())
        resize(m_imagine.size());
}

void TERImage::SetCenter(bool v)
{
    if (v == m_center)
        return;
    m_center = v;
    Reevalueaza();
}

void TERImage::SetProportional(bool v)
{
    if (v == m_proportional)
        return;
    m_proportional = v;
    Reevalueaza();
}

void TERImage::SetStretch(bool v)
{
    if (v == m_stretch)
        return;
    m_stretch = v;
    Reevalueaza();
}

void TERImage::SetTransparent(bool v)
{
    if (v == m_transparent)
        return;
    m_transparent = v;
    Reevalueaza();
}

void TERImage::SetIndicativER(const QString &valoare)
{
    QImage nou;
    try {
        bool exista = false;
        const qsizetype doua = valoare.lastIndexOf(QLatin1Char(':'));
        if (doua >= 0) {
            const QString fisier = valoare.left(doua).trimmed();
            // Deliberately not the "ER" folder: only a file as written or beside the program.
            const QString candidat = CaleInFolder(FolderulProgramului(), NumeFisierDinCale(fisier));
            exista = QFileInfo(fisier).isFile() || QFileInfo(candidat).isFile();
        }
        if (!valoare.isEmpty() && exista) {
            Q_EMIT Progres(0);
            nou = DecodeazaImagineResursa(CitesteResursaExterna(valoare));
            Q_EMIT Progres(100);
        }
    } catch (const EZel &) {
        nou = QImage();
    }
    m_indicativER = valoare;
    SeteazaImagine(nou);
}

void TERImage::SeteazaImagine(const QImage &imagine)
{
    m_imagine = imagine;
    ImagineaSeSchimba();
}

void TERImage::ImagineaSeSchimba() { Reevalueaza(); }

void TERImage::Reevalueaza()
{
    // Re-evaluating the picture includes its size: a control resized by hand takes the
    // picture's size again when a drawing flag changes.
    if (m_autoSize && !m_imagine.isNull())
        resize(m_imagine.size());
    m_afisata = m_imagine;
    // A picture without its own alpha becomes transparent the way a bitmap does: the colour
    // of its bottom-left pixel is the see-through colour.
    if (m_transparent && !m_imagine.isNull() && !m_imagine.hasAlphaChannel()) {
        const QRgb cheie = m_imagine.pixel(0, m_imagine.height() - 1);
        QImage a = m_imagine.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < a.height(); ++y) {
            auto *linie = reinterpret_cast<QRgb *>(a.scanLine(y));
            for (int x = 0; x < a.width(); ++x)
                if ((linie[x] | 0xFF000000u) == (cheie | 0xFF000000u))
                    linie[x] = 0;
        }
        m_afisata = a;
    }
    update();
}

QRect TERImage::DreptunghiDesenare() const
{
    return ::DreptunghiDesenare(m_imagine.size(), size(), m_stretch, m_proportional, m_center);
}

void TERImage::paintEvent(QPaintEvent *)
{
    if (m_afisata.isNull())
        return;
    QPainter p(this);
    const QRect d = DreptunghiDesenare();
    if (d.size() != m_afisata.size())
        p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(d, m_afisata);
}
