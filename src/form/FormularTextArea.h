#pragma once
#include "device/DispozitivTiparire.h"

#include <QFont>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

class QDialog;
class TFontFormular;
class TFormularDePrintat;
class TParticularizareTextArea;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A rectangle in device units; Right and Bottom are one past the last pixel.
struct TDreptunghiDispozitiv {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TDreptunghiDispozitiv &) const = default;
};

// How an area draws once its adjustment is taken into account.
struct TStilEfectiv {
    TFontFormular *Font = nullptr; // none: nothing is drawn
    QString Fata;
    int Greutate = 400;
    bool Italic = false;
    TAlignment Alinere = taLeftJustify;
    QString Text;
    int ShiftX = 0;
    int ShiftY = 0;
};

// Where the preview puts the text of an area, in pixels of the control.
struct TAsezareText {
    bool Deseneaza = false;
    TFontDispozitiv Font; // Inaltime is the fitted cell height
    int Latime = 0;       // width of the text
    int X = 0;
    int Y = 0; // top of the character cell
};

// One printable field of a form page: a rectangle in millimetres, its text, its form
// font and alignment, and the field it is bound to. Pixel bounds follow the
// millimetres at the page zoom; pixel moves by the user go through SetBounds.
class TFormularTextArea : public QWidget {
    Q_OBJECT
public:
    explicit TFormularTextArea(QWidget *parinte = nullptr, const QString &nume = QString());
    ~TFormularTextArea() override;

    double _Width() const { return m_width; }
    double _Height() const { return m_height; }
    double _Left() const { return m_left; }
    double _Top() const { return m_top; }
    // These store only (ignored while the millimetres are being taken from the pixels);
    // the caller follows with ZoomChanged.
    void Set_Width(double v);
    void Set_Height(double v);
    void Set_Left(double v);
    void Set_Top(double v);

    const QString &Text() const { return m_text; }
    void SetText(const QString &v);
    TFontFormular *Font() const { return m_font; }
    void SetFont(TFontFormular *f);
    double ZoomLock() const { return m_zoomLock; }
    void SetZoomLock(double v) { m_zoomLock = v; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment v) { m_alignment = v; }
    const QString &Denumire1() const { return m_denumire1; }
    const QString &Denumire2() const { return m_denumire2; }
    const QString &Denumire3() const { return m_denumire3; }
    void SetDenumire1(const QString &v) { m_denumire1 = v; }
    void SetDenumire2(const QString &v) { m_denumire2 = v; }
    void SetDenumire3(const QString &v) { m_denumire3 = v; }
    const QStringList &SursaText() const { return m_sursaText; }
    void SetSursaText(const QStringList &v) { m_sursaText = v; }
    QStringList &Log() { return m_log; }

    // The top remembered before the filling step first moves the area.
    bool TopInitialMemorat() const { return m_origTopMemorat; }
    double origTop() const { return m_origTop; }
    void MemoreazaTopInitial();

    // The window the area belongs to, whose name keys its adjustments and whose form
    // fonts adjustments may name. Unless set, the page's owner, else the top window.
    QObject *Proprietar() const;
    void SetProprietar(QObject *p) { m_proprietar = p; }

    TFormularDePrintat *Pagina() const;
    double p_zoom() const; // 100 when the parent is not a form page
    void Setp_zoom(double v);
    double p_dpi() const; // 96 when the parent is not a form page

    virtual void FontChanged();
    virtual void FontDestroyed();
    virtual void ZoomChanged();
    virtual void PrintTo(TDispozitivTiparire &dc, bool mirror, double X, double Y);

    void PlaceFromMm();
    // A pixel move or resize (dragging in the preview): the rules of Resize apply.
    void SetBounds(const QRect &r);
    // True while the area is being created from its stored layout.
    void SeteazaIncarcare(bool v) { m_incarcare = v; }
    bool Incarcare() const { return m_incarcare; }

    QString EffectiveText() const;
    TStilEfectiv StilEfectiv() const;
    TDreptunghiDispozitiv PrinterRect(const TDispozitivTiparire &dc, double X, double Y) const;
    // The fitted font and text position of the preview at the given logical resolution.
    TAsezareText AsezarePreview(int dpiLogic) const;

    bool Hovered() const { return m_hovered; }
    int Repictari() const { return m_repictari; }

    // Click on the area in the preview: the adjustment editing flow lives with the preview.
    static std::function<void(TFormularTextArea *)> &LaClic();
    static std::function<void(QDialog *, TFormularTextArea *)> &OnBeforeEditTextArea();
    static std::function<void(QDialog *, TFormularTextArea *)> &OnAfterEditTextArea();

Q_SIGNALS:
    void Redimensionat();

protected:
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    virtual void Resize();
    void Repicteaza();

private:
    enum Stare { fisZooming = 1, fisSizing = 2 };

    double m_width = 0;
    double m_height = 0;
    double m_left = 0;
    double m_top = 0;
    QString m_text;
    TFontFormular *m_font = nullptr;
    double m_zoomLock = 0;
    TAlignment m_alignment = taLeftJustify;
    QString m_denumire3;
    QString m_denumire1;
    QString m_denumire2;
    QStringList m_sursaText;
    QStringList m_log;
    int m_stare = 0;
    bool m_hovered = false;
    double m_origTop = 0;
    bool m_origTopMemorat = false;
    bool m_incarcare = false;
    QPointer<QObject> m_proprietar;
    int m_repictari = 0;
};
