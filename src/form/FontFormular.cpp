#include "form/FontFormular.h"

#include "form/FormularTextArea.h"

TFontFormular::TFontFormular(QObject *proprietar, const QString &nume) : QObject(proprietar)
{
    setObjectName(nume);
}

TFontFormular::~TFontFormular()
{
    const auto utilizatori = m_utilizatori;
    m_utilizatori.clear();
    for (TFormularTextArea *a : utilizatori)
        a->FontDestroyed();
}

QString TFontFormular::Eticheta() const
{
    return m_descriere.isEmpty() ? objectName() : m_descriere;
}

void TFontFormular::Schimbat()
{
    const auto utilizatori = m_utilizatori;
    for (TFormularTextArea *a : utilizatori)
        a->FontChanged();
}

void TFontFormular::SetCodePage(int v)
{
    m_codePage = v;
    Schimbat();
}

void TFontFormular::SetFontName(const QString &v)
{
    m_fontName = v;
    Schimbat();
}

void TFontFormular::SetCharSet(int v)
{
    m_charSet = v;
    Schimbat();
}

void TFontFormular::SetItalic(bool v)
{
    m_italic = v;
    Schimbat();
}

void TFontFormular::SetBold(bool v)
{
    m_bold = v;
    Schimbat();
}

void TFontFormular::SetSize(double v)
{
    m_size = v;
    Schimbat();
}

void TFontFormular::AdaugaUtilizator(TFormularTextArea *a)
{
    if (!m_utilizatori.contains(a))
        m_utilizatori.append(a);
}

void TFontFormular::ScoateUtilizator(TFormularTextArea *a)
{
    m_utilizatori.removeAll(a);
}
