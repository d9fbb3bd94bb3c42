#pragma once
#include "device/DispozitivTiparire.h"

#include <QList>
#include <QMap>

// A printing surface that draws nothing and remembers every call, for tests. Its
// capabilities are whatever the test sets; text is measured with the real fonts at the
// device's resolution, so fitting behaves as on paper.
class TDispozitivInregistrare : public TDispozitivTiparire {
public:
    struct TScriere {
        QRect decupare;
        int x = 0;
        int y = 0;
        QString text;
        TFontDispozitiv font;
        QSize marime; // the extent of the text in that font
    };

    // A landscape A4 sheet at 600 dpi with 4 mm unprintable edges.
    TDispozitivInregistrare();

    void SeteazaCapabilitate(Capabilitate c, int valoare) { m_cap[c] = valoare; }
    // Sets every capability for a landscape A4 sheet at that resolution and margins (mm).
    void SeteazaFoaie(int dpi, double margineXmm, double margineYmm);

    int GetDeviceCaps(Capabilitate c) const override { return m_cap.value(c, 0); }
    void BeginDoc(const QString &titlu) override;
    void EndDoc() override;
    bool Printing() const override { return m_tipareste; }
    void SeteazaFont(const TFontDispozitiv &f) override;
    QSize TextExtent(const QString &text) override;
    void TextRect(const QRect &decupare, int x, int y, const QString &text) override;

    const QList<TScriere> &Scrieri() const { return m_scrieri; }
    const QStringList &Documente() const { return m_documente; } // titles, one per BeginDoc
    int DocumenteIncheiate() const { return m_incheiate; }
    int Masuratori() const { return m_masuratori; }
    // Cell heights of every font selected, in order.
    const QList<int> &InaltimiFont() const { return m_inaltimi; }
    void Goleste();

private:
    QMap<Capabilitate, int> m_cap;
    bool m_tipareste = false;
    QStringList m_documente;
    int m_incheiate = 0;
    int m_masuratori = 0;
    QList<TScriere> m_scrieri;
    QList<int> m_inaltimi;
    TFontDispozitiv m_font;
    QFont m_fontQt;
};
