#pragma once
#include <QAbstractButton>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QTimer>

#include <optional>

class QEventLoop;
class TERImage;
class TGenericSplashForm;

// A label whose text looks pressed into the surface: a highlight copy one pixel down and
// right, the text itself on top. It draws no background.
class TEtichetaInfundata : public QWidget {
    Q_OBJECT
public:
    explicit TEtichetaInfundata(QWidget *parinte = nullptr);
    QString Text() const { return m_text; }
    void SeteazaText(const QString &text);
    QColor CuloareEvidentiere;
    QColor CuloareText;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QString m_text;
};

// A button drawn from three pictures: up, down (pressed) and normal (pointer away).
class TButonImagine : public QAbstractButton {
    Q_OBJECT
public:
    explicit TButonImagine(QWidget *parinte = nullptr);
    QImage ImagineSus;    // pointer over it
    QImage ImagineJos;    // pressed
    QImage ImagineNormal; // pointer elsewhere

protected:
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    bool m_sub = false;
};

// A borderless top-level window that carries one hide panel of a picture window when the
// window system gives windows per-pixel transparency: the picture window then shows only
// its picture, and the panel's controls live here, exactly over their place.
class TeXpertSuportForm : public QWidget {
    Q_OBJECT
public:
    TeXpertSuportForm(TGenericSplashForm *fereastra, QFrame *panou);
    TGenericSplashForm *Fereastra() const { return m_fereastra; }
    QFrame *Panou() const { return m_panou; }
    // Where the panel sits on the picture window.
    QRect LocPeFereastra() const { return m_loc; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    TGenericSplashForm *m_fereastra;
    QFrame *m_panou;
    QRect m_loc;
};

// Base of the program's picture windows: a PNG with transparent parts, shaped to the
// picture, a version label and the real controls of its hide panels.
//
// A derived window places its panels in its constructor and then calls Pregateste().
class TGenericSplashForm : public QDialog {
    Q_OBJECT
public:
    enum Rezultat { FaraRezultat = 0, RezultatOk = QDialog::Accepted, RezultatAbort = 3 };

    TGenericSplashForm(const QString &indicativER, QSize marimeProiectata, QWidget *parinte = nullptr);
    ~TGenericSplashForm() override;

    // Shows the window, then handles events until a result is set, hides it and gives the
    // result. Other windows stay usable meanwhile.
    int ShowModal();
    int exec() override { return ShowModal(); }
    // Sets the result; a result other than FaraRezultat ends ShowModal.
    void done(int rezultat) override;
    void accept() override { done(RezultatOk); }
    void reject() override { done(RezultatAbort); }
    int Rezultatul() const { return m_rezultat; }

    TERImage *Imagine() const { return m_imagine; }
    QFrame *PanouVersiune() const { return m_panouVersiune; }
    TEtichetaInfundata *EtichetaVersiune() const { return m_etichetaVersiune; }
    const QList<QFrame *> &PanouriAscunse() const { return m_panouri; }
    const QList<TeXpertSuportForm *> &FerestreSuport() const { return m_suport; }
    bool TransparentaPerPixel() const { return m_perPixel; }
    // The picture as loaded from its resource (null when it could not be loaded).
    const QImage &ImaginePng() const { return m_png; }
    // The region the window is shaped to (empty: not shaped).
    QRegion Forma() const { return m_forma; }

    // Whether top-level windows can have per-pixel transparency here.
    static bool SistemulOferaTransparentaPerPixel();
    // Tests choose the answer; std::nullopt asks the window system again.
    static void ForteazaTransparentaPerPixel(std::optional<bool> valoare);
    // The desktop snapshot of the run and the screen position of its top-left pixel.
    static const QImage &InstantaneuDesktop();
    static QPoint OriginiInstantaneu();
    // Tests give their own snapshot; a null image lets the next window take a real one.
    static void SeteazaInstantaneuDesktop(const QImage &imagine, QPoint origine);

protected:
    // The creation steps: version label, drag hooks, snapshot, picture, hide panels, shape.
    void Pregateste();

    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    bool eventFilter(QObject *obiect, QEvent *e) override;

private:
    void AgataTragerea(QWidget *radacina);
    void AsazaFerestreleSuport();

    QString m_indicativ;
    QSize m_marimeProiectata;
    TERImage *m_imagine;
    QFrame *m_panouVersiune;
    TEtichetaInfundata *m_etichetaVersiune;
    QList<QFrame *> m_panouri;
    QList<TeXpertSuportForm *> m_suport;
    bool m_perPixel = false;
    QImage m_png;
    QRegion m_forma;
    QPoint m_ultimaPozitie;
    bool m_trage = false;
    int m_rezultat = FaraRezultat;
    QEventLoop *m_bucla = nullptr;
};

// The pixels of a picture drawn over the key colour (0, 128, 0) that fall outside the key
// range (red 0-16, green 128-144, blue 0-16), as runs row by row.
QRegion RegiuneaImaginii(const QImage &imagine);

// Start-up splash: closes itself with OK at the first tick of its one-second timer.
class TSplashLX : public TGenericSplashForm {
    Q_OBJECT
public:
    explicit TSplashLX(QWidget *parinte = nullptr);
    QTimer *Timer() const { return m_timer; }
    int Tag() const { return m_tag; }

private:
    void TimerTick();
    QTimer *m_timer;
    int m_tag = 5;
};

// "Despre noi": closes only through "Ok" or the close key.
class TAboutSplash : public TGenericSplashForm {
    Q_OBJECT
public:
    explicit TAboutSplash(QWidget *parinte = nullptr);
    QAbstractButton *ButonOk() const { return m_ok; }

private:
    QAbstractButton *m_ok;
};

// Shown by the print command before the sheet is asked for.
class TWarningPrintSplash : public TGenericSplashForm {
    Q_OBJECT
public:
    explicit TWarningPrintSplash(QWidget *parinte = nullptr);
    TButonImagine *Buton() const { return m_buton; }

private:
    TButonImagine *m_buton;
};
