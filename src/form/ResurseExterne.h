#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

// Picture resource files (".re"): large pictures live beside the program instead of in it.
//
// Layout, little-endian: int32 N, then N directory entries of 138 bytes
//   [0] uint8 name length L (0..128), [1..128] name in Windows-1250 (L bytes used),
//   [129] int32 data size, [133] int32 data position from the start of the file,
//   [137] uint8 kind (1 BMP, 2 JPEG, 3 PNG; anything else is not a picture),
// and the data of each resource anywhere after that.

enum TipResursaExterna : int { ResursaBMP = 1, ResursaJPEG = 2, ResursaPNG = 3 };

constexpr int LungimeIntrareResursa = 138;
constexpr int LungimeMaximaNumeResursa = 128;

struct TResursaExterna {
    QByteArray date;
    int tip = 0;
    QString fisier; // the file it was read from
};

// The file-name part of a path written with either separator: names stored on a Windows
// machine carry backslashes ("C:\Program Files\...\LX.re").
QString NumeFisierDinCale(const QString &cale);

// Loads one resource named by an indicator "file:name" (the last ":" separates them).
// A file that does not exist as written is looked for by its file name beside the program
// and then in its "ER" folder. Errors are EZel with the message for the user; a truncated
// file or an entry pointing outside it gives "Stream read error".
TResursaExterna CitesteResursaExterna(const QString &indicativ);

// One resource to pack into a file.
struct TResursaDeScris {
    QString nume;
    int tip = ResursaPNG;
    QByteArray date;
};

// The bytes of a resource file holding these resources in this order, directory first.
// Throws EZel for a name longer than 128 bytes or one Windows-1250 cannot hold.
QByteArray CompuneFisierResurse(const QList<TResursaDeScris> &resurse);

// Decodes a resource's picture by its kind; a null image when the bytes are not a valid
// picture of that kind. Throws EZel "Resursa exista dar nu este de tip BMP, JPG sau PNG!"
// for a kind that is no picture.
QImage DecodeazaImagineResursa(const TResursaExterna &resursa);

// Where a picture of size imagine is drawn inside a client of size client.
QRect DreptunghiDesenare(QSize imagine, QSize client, bool stretch, bool proportional, bool center);

// A plain picture control whose picture comes from a resource file, named by IndicativER
// ("Comun.re:About"). A resource that cannot be loaded leaves it empty, silently.
class TERImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool IncrementalDisplay READ IncrementalDisplay WRITE SetIncrementalDisplay)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString IndicativER READ IndicativER WRITE SetIndicativER)
public:
    explicit TERImage(QWidget *parinte = nullptr);

    bool AutoSize() const { return m_autoSize; }
    bool Center() const { return m_center; }
    bool IncrementalDisplay() const { return m_incrementalDisplay; }
    bool Proportional() const { return m_proportional; }
    bool Stretch() const { return m_stretch; }
    bool Transparent() const { return m_transparent; }
    QString IndicativER() const { return m_indicativER; }

    void SetAutoSize(bool v);
    void SetCenter(bool v);
    void SetIncrementalDisplay(bool v) { m_incrementalDisplay = v; }
    void SetProportional(bool v);
    void SetStretch(bool v);
    void SetTransparent(bool v);
    void SetIndicativER(const QString &valoare);

    // The picture as loaded (null when empty) and a way to replace it.
    const QImage &Imagine() const { return m_imagine; }
    void SeteazaImagine(const QImage &imagine);

    // Where the picture is drawn in the current client size.
    QRect DreptunghiDesenare() const;

Q_SIGNALS:
    // OnProgress: the decoder's progress in percent.
    void Progres(int procent);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void ImagineaSeSchimba();
    void Reevalueaza();

    QImage m_imagine;
    QImage m_afisata; // the picture with the colour key applied when Transparent
    QString m_indicativER;
    bool m_autoSize = false;
    bool m_center = false;
    bool m_incrementalDisplay = false;
    bool m_proportional = false;
    bool m_stretch = false;
    bool m_transparent = false;
};
