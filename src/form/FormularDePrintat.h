#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class TDirectorModificari;
class TDispozitivTiparire;
class TFormularTextArea;

// The scanned picture of the blank sheet. A JPEG keeps its encoded bytes, so saving
// writes exactly what was read; any other picture is just an image.
struct TImagineFundal {
    QByteArray Jpeg;
    QImage Imagine;

    bool AreGrafic() const { return !Imagine.isNull(); }
    bool EsteJpeg() const { return !Jpeg.isEmpty(); }
    // "TJPEGImage", "TBitmap", or empty without a picture.
    QString TipGrafic() const;
    static TImagineFundal DinJpeg(const QByteArray &jpeg); // throws EZel when it does not decode
    static TImagineFundal DinImagine(const QImage &imagine);
};

// One side of a pre-printed sheet: a page sized in millimetres, shown at a zoom over its
// scanned background, holding the text areas that print onto the sheet.
class TFormularDePrintat : public QWidget {
    Q_OBJECT
public:
    explicit TFormularDePrintat(QWidget *parinte = nullptr, const QString &nume = QString());
    ~TFormularDePrintat() override;

    // Pixels per inch at a zoom, the fixed logical screen with its correction factor.
    static double ScreenDpiLaZoom(double zoom) { return zoom * 96 / 100 * 1.051403996; }
    double ScreenDpi() const { return ScreenDpiLaZoom(m_zoom); }
    static int MmToPixels(double dpi, double mm);     // truncates towards zero
    static double PixelsToMm(double px, double dpi);

    double Zoom() const { return m_zoom; }
    void SetZoom(double v);
    double Latime() const { return m_latime; }
    void SetLatime(double v);
    double Inaltime() const { return m_inaltime; }
    void SetInaltime(double v);

    bool TextAreaTransparent() const { return m_transparent; }
    void SetTextAreaTransparent(bool v) { m_transparent = v; Repicteaza(); }
    bool TextAreaWithBorder() const { return m_cuChenar; }
    void SetTextAreaWithBorder(bool v) { m_cuChenar = v; Repicteaza(); }
    bool TextAreaTopLine1() const { return m_topLine1; }
    void SetTextAreaTopLine1(bool v) { m_topLine1 = v; Repicteaza(); }
    bool TextAreaBaseLine1() const { return m_baseLine1; }
    void SetTextAreaBaseLine1(bool v) { m_baseLine1 = v; Repicteaza(); }
    bool TextAreaTopLine2() const { return m_topLine2; }
    void SetTextAreaTopLine2(bool v) { m_topLine2 = v; Repicteaza(); }
    bool TextAreaBaseLine2() const { return m_baseLine2; }
    void SetTextAreaBaseLine2(bool v) { m_baseLine2 = v; Repicteaza(); }
    double TextAreaTopLine1_delta() const { return m_topLine1Delta; }
    void SetTextAreaTopLine1_delta(double v) { m_topLine1Delta = v; Repicteaza(); }
    double TextAreaBaseLine2_delta() const { return m_baseLine2Delta; }
    void SetTextAreaBaseLine2_delta(double v) { m_baseLine2Delta = v; Repicteaza(); }
    // Colours as stored: blue-green-red integers (255 is red).
    int TextAreaBaseLine1_color() const { return m_baseLine1Color; }
    void SetTextAreaBaseLine1_color(int v) { m_baseLine1Color = v; Repicteaza(); }
    int TextAreaTopLine2_color() const { return m_topLine2Color; }
    void SetTextAreaTopLine2_color(int v) { m_topLine2Color = v; Repicteaza(); }
    int TextAreaTopLine1_color() const { return m_topLine1Color; }
    void SetTextAreaTopLine1_color(int v) { m_topLine1Color = v; Repicteaza(); }
    int TextAreaBaseLine2_color() const { return m_baseLine2Color; }
    void SetTextAreaBaseLine2_color(int v) { m_baseLine2Color = v; Repicteaza(); }

    const QString &DenumireFormular() const { return m_denumire; }
    void SetDenumireFormular(const QString &v) { m_denumire = v; }
    double DeltaStanga() const { return m_deltaStanga; }
    void SetDeltaStanga(double v) { m_deltaStanga = v; }
    double DeltaSus() const { return m_deltaSus; }
    void SetDeltaSus(double v) { m_deltaSus = v; }

    const TImagineFundal &BkImage() const { return m_bkImage; }
    // Empties the background cache and, unless loading, writes the file named by BkImage_FileName.
    void SetBkImage(const TImagineFundal &v);
    const QString &BkImage_FileName() const { return m_bkFileName; }
    // Validates the name (a local path), then loads the file or saves the picture into it;
    // BkImage_DummyMsg tells what happened.
    void SetBkImage_FileName(const QString &v);
    const QString &BkImage_DummyMsg() const { return m_bkDummyMsg; }

    // Reads the scrambled JPEG; a name that does not exist is looked for beside the program.
    void LoadBkImageFile(const QString &nume);
    // Writes the JPEG scrambled, or removes the file when the picture is not a JPEG.
    void SaveBkImageFile(const QString &nume) const;
    // The one fixed key byte of background files; xor both ways, in blocks of 5121 bytes.
    static unsigned char CheieFundal();
    static QByteArray CombinaCuCheia(QByteArray octeti);

    void ApplyPageSize();
    const QImage &CacheFundal() const { return m_cache; }

    // Text areas among the children, in child order.
    QList<TFormularTextArea *> TextAreas() const;
    TFormularTextArea *TextAreaByNumber(int n) const;
    int HighestTextAreaNumber() const;
    void NumberTextAreas();

    // Prints every text area, the layout moved X mm right and Y mm down (plus the page's
    // deltas), turned by half a turn when mirror. Between the device's BeginDoc and EndDoc.
    void PrintPage(TDispozitivTiparire &dc, bool mirror, TDirectorModificari &director, double X, double Y);

    // The window the page belongs to (owner of its fonts, key of its adjustments).
    QObject *Proprietar() const { return m_proprietar.data(); }
    void SetProprietar(QObject *p) { m_proprietar = p; }
    // True while the page is being created from its stored layout.
    bool Incarcare() const { return m_incarcare; }
    void SeteazaIncarcare(bool v) { m_incarcare = v; }

    int Repictari() const { return m_repictari; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void Repicteaza();

private:
    void RebuildBackgroundCache();
    void TraceBkImage(const QString &cuvant);

    double m_zoom = 100.0;
    double m_inaltime = 10.0;
    double m_latime = 10.0;
    bool m_transparent = true;
    TImagineFundal m_bkImage;
    QImage m_cache;
    bool m_cuChenar = false;
    bool m_topLine1 = false;
    bool m_baseLine1 = false;
    bool m_topLine2 = false;
    bool m_baseLine2 = false;
    double m_topLine1Delta = 1.0;
    double m_baseLine2Delta = 1.0;
    int m_baseLine1Color = 255;
    int m_topLine2Color = 16711680;
    int m_topLine1Color = 255;
    int m_baseLine2Color = 16711680;
    QString m_denumire;
    double m_deltaStanga = 0;
    double m_deltaSus = 0;
    QString m_bkFileName;
    QString m_bkDummyMsg;
    int m_atribuiri = 0;
    QPointer<QObject> m_proprietar;
    bool m_incarcare = false;
    int m_repictari = 0;
};
