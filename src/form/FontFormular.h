#pragma once
#include "device/DispozitivTiparire.h"

#include <QList>
#include <QObject>
#include <QString>

class TFormularTextArea;

// A form font: a face and a character cell height in millimetres, owned by the window
// that holds the form (its QObject parent) and found there by its component name.
class TFontFormular : public QObject {
    Q_OBJECT
public:
    explicit TFontFormular(QObject *proprietar = nullptr, const QString &nume = QString());
    ~TFontFormular() override;

    int CodePage() const { return m_codePage; }
    const QString &FontName() const { return m_fontName; }
    int CharSet() const { return m_charSet; }
    bool Italic() const { return m_italic; }
    bool Bold() const { return m_bold; }
    double Size() const { return m_size; } // character cell height, millimetres
    const QString &DescrierePentruEditor() const { return m_descriere; }
    // What the field information dialog lists: the description, or the component name.
    QString Eticheta() const;

    void SetCodePage(int v);
    void SetFontName(const QString &v);
    void SetCharSet(int v);
    void SetItalic(bool v);
    void SetBold(bool v);
    void SetSize(double v);
    void SetDescrierePentruEditor(const QString &v) { m_descriere = v; }

    const QList<TFormularTextArea *> &Utilizatori() const { return m_utilizatori; }

private:
    friend class TFormularTextArea;
    void AdaugaUtilizator(TFormularTextArea *a);
    void ScoateUtilizator(TFormularTextArea *a);
    void Schimbat();

    int m_codePage = 1250;
    QString m_fontName = QStringLiteral("Arial");
    int m_charSet = 238;
    bool m_italic = false;
    bool m_bold = false;
    double m_size = 3.0;
    QString m_descriere;
    QList<TFormularTextArea *> m_utilizatori;
};
