// The form page, its text areas and fonts, and the certificate layout: geometry at a
// zoom, numbering, background files, fitting, printing through the recording device and
// a rendering of the filled page.
#include "device/DispozitivInregistrare.h"
#include "form/CodecJpeg.h"
#include "form/FontFormular.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "form/Macheta.h"
#include "form/Particularizari.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <memory>

namespace {
QByteArray CitesteFisier(const QString &cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void ScrieFisier(const QString &cale, const QByteArray &b)
{
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

QByteArray JpegMic(QColor c = Qt::red)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(c);
    return CodecJpeg::Codifica(img, 90);
}

// Pixels of a length at a zoom.
int MmPx(double zoom, double mm)
{
    return TFormularDePrintat::MmToPixels(TFormularDePrintat::ScreenDpiLaZoom(zoom), mm);
}

// A filled value of plausible length for an area.
QString Valoare(const TFormularTextArea *a)
{
    const QString camp = a->Denumire1().section(QLatin1Char('.'), 2);
    if (camp.contains(QLatin1String("NUME")))
        return QStringLiteral("Popescu Ştefania-Mădălina");
    if (camp.contains(QLatin1String("MEDIA")))
        return a->Denumire2() == QLatin1String("litere") ? QStringLiteral("(nouă, şaizecişitrei)")
                                                          : QStringLiteral("9,63");
    if (camp.contains(QLatin1String("DATA")))
        return QStringLiteral("17.07.2008");
    if (camp.contains(QLatin1String("_NR")))
        return QStringLiteral("4321");
    if (camp.contains(QLatin1String("ABREVIERE")))
        return QStringLiteral("prof.");
    return QStringLiteral("Universitatea de Vest din Timişoara");
}
} // namespace

class TstFormular : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_fereastra;
    TFormularDePrintat *m_pagina = nullptr;

    TFormularDePrintat *Certificat()
    {
        m_fereastra = std::make_unique<QWidget>();
        m_fereastra->setObjectName(QStringLiteral("PrintLauridex"));
        m_pagina = CreeazaFormularDePrintat1(m_fereastra.get(), m_fereastra.get());
        return m_pagina;
    }

    TFontFormular *FontNumit(const QString &nume)
    {
        return m_fereastra->findChild<TFontFormular *>(nume, Qt::FindDirectChildrenOnly);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        RedirectioneazaFolderulProgramului(m_dir.path());
        QFile::remove(CaleInFolder(m_dir.path(), QStringLiteral("licenta.lic")));
        QFile::remove(CaleInFolder(m_dir.path(), QStringLiteral("LX.bin")));
        TListaParticularizareTextArea::UitaLista();
    }
    void cleanup()
    {
        m_fereastra.reset();
        m_pagina = nullptr;
        TListaParticularizareTextArea::UitaLista();
        RedirectioneazaFolderulProgramului(QString());
    }

    void unitati()
    {
        QCOMPARE(TFormularDePrintat::MmToPixels(100, 25.4 * 2.999), 299); // truncates, never rounds
        QCOMPARE(TFormularDePrintat::MmToPixels(100, -0.9 * 25.4 / 100), 0);
        QCOMPARE(TFormularDePrintat::PixelsToMm(100, 254), 10.0);
        QCOMPARE(TFormularDePrintat::ScreenDpiLaZoom(100), 96 * 1.051403996);
    }

    void marimePagina_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QSize>("marime");
        QTest::newRow("100") << 100.0 << QSize(1164, 836);
        QTest::newRow("110") << 110.0 << QSize(1281, 919);
    }
    void marimePagina()
    {
        QFETCH(double, zoom);
        QFETCH(QSize, marime);
        TFormularDePrintat *p = Certificat();
        p->SetZoom(zoom);
        QCOMPARE(p->size(), marime);
        // A layout that tries to resize the page does not win.
        p->resize(300, 200);
        QCOMPARE(p->size(), marime);
    }

    void zona1_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QRect>("geometrie");
        QTest::newRow("100") << 100.0 << QRect(135, 256, 140, 17);
        // 110 % of the screen resolution: each millimetre value truncated anew.
        const double dpi = 110.0 * 96 / 100 * 1.051403996;
        auto px = [&](double mm) { return int(mm * dpi / 25.4); };
        QTest::newRow("110") << 110.0
                             << QRect(px(34.14019637118527), px(64.58956070224241), px(35.31455202031695),
                                      px(4.361892411060526));
    }
    void zona1()
    {
        QFETCH(double, zoom);
        QFETCH(QRect, geometrie);
        TFormularDePrintat *p = Certificat();
        if (zoom != 100) {
            p->SetZoom(zoom);
        }
        QCOMPARE(p->TextAreaByNumber(1)->geometry(), geometrie);
        // Back at 100 the area is where its stored bounds put it.
        p->SetZoom(100);
        QCOMPARE(p->TextAreaByNumber(1)->geometry(), QRect(135, 256, 140, 17));
    }

    void limitelePastrateEgaleCuMilimetrii()
    {
        TFormularDePrintat *p = Certificat();
        const double dpi = p->ScreenDpi();
        for (TFormularTextArea *a : p->TextAreas()) {
            const QRect asteptat(TFormularDePrintat::MmToPixels(dpi, a->_Left()),
                                 TFormularDePrintat::MmToPixels(dpi, a->_Top()),
                                 TFormularDePrintat::MmToPixels(dpi, a->_Width()),
                                 TFormularDePrintat::MmToPixels(dpi, a->_Height()));
            QVERIFY2(a->geometry() == asteptat, qPrintable(a->objectName()));
        }
    }

    void zoomAcelasiNuRepicteaza()
    {
        TFormularDePrintat *p = Certificat();
        const int inainte = p->Repictari();
        const int zonaInainte = p->TextAreaByNumber(1)->Repictari();
        p->SetZoom(100);
        QCOMPARE(p->Repictari(), inainte);
        QCOMPARE(p->TextAreaByNumber(1)->Repictari(), zonaInainte);
        p->SetZoom(110);
        QVERIFY(p->Repictari() > inainte);
    }

    // What each page setter does besides storing: repaint, new pixel size, areas moved.
    void setteriiPaginii_data()
    {
        QTest::addColumn<QString>("proprietate");
        QTest::addColumn<bool>("repicteaza");
        QTest::addColumn<QSize>("marime");
        QTest::addColumn<bool>("muta");
        const QSize acum(1164, 836);
        QTest::newRow("Zoom") << "Zoom" << true << QSize(1281, 919) << true;
        QTest::newRow("Latime") << "Latime" << false << QSize(MmPx(100, 100.0), 836) << false;
        QTest::newRow("Inaltime") << "Inaltime" << false << QSize(1164, MmPx(100, 100.0)) << false;
        QTest::newRow("TextAreaWithBorder") << "TextAreaWithBorder" << true << acum << false;
        QTest::newRow("TextAreaTransparent") << "TextAreaTransparent" << true << acum << false;
        QTest::newRow("TextAreaBaseLine1") << "TextAreaBaseLine1" << true << acum << false;
        QTest::newRow("TextAreaBaseLine2") << "TextAreaBaseLine2" << true << acum << false;
        QTest::newRow("TextAreaTopLine1") << "TextAreaTopLine1" << true << acum << false;
        QTest::newRow("TextAreaTopLine2") << "TextAreaTopLine2" << true << acum << false;
        QTest::newRow("TextAreaBaseLine1_color") << "TextAreaBaseLine1_color" << true << acum << false;
        QTest::newRow("TextAreaBaseLine2_delta") << "TextAreaBaseLine2_delta" << true << acum << false;
        QTest::newRow("TextAreaTopLine1_delta") << "TextAreaTopLine1_delta" << true << acum << false;
        QTest::newRow("DeltaSus") << "DeltaSus" << false << acum << false;
        QTest::newRow("DeltaStanga") << "DeltaStanga" << false << acum << false;
        QTest::newRow("DenumireFormular") << "DenumireFormular" << false << acum << false;
    }
    void setteriiPaginii()
    {
        QFETCH(QString, proprietate);
        QFETCH(bool, repicteaza);
        QFETCH(QSize, marime);
        QFETCH(bool, muta);
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(1);
        const QRect zona = a->geometry();
        const int inainte = p->Repictari();
        if (proprietate == QLatin1String("Zoom"))
            p->SetZoom(110);
        else if (proprietate == QLatin1String("Latime"))
            p->SetLatime(100);
        else if (proprietate == QLatin1String("Inaltime"))
            p->SetInaltime(100);
        else if (proprietate == QLatin1String("TextAreaWithBorder"))
            p->SetTextAreaWithBorder(false);
        else if (proprietate == QLatin1String("TextAreaTransparent"))
            p->SetTextAreaTransparent(false);
        else if (proprietate == QLatin1String("TextAreaBaseLine1"))
            p->SetTextAreaBaseLine1(true);
        else if (proprietate == QLatin1String("TextAreaBaseLine2"))
            p->SetTextAreaBaseLine2(true);
        else if (proprietate == QLatin1String("TextAreaTopLine1"))
            p->SetTextAreaTopLine1(true);
        else if (proprietate == QLatin1String("TextAreaTopLine2"))
            p->SetTextAreaTopLine2(true);
        else if (proprietate == QLatin1String("TextAreaBaseLine1_color"))
            p->SetTextAreaBaseLine1_color(0xFF00);
        else if (proprietate == QLatin1String("TextAreaBaseLine2_delta"))
            p->SetTextAreaBaseLine2_delta(2.0);
        else if (proprietate == QLatin1String("TextAreaTopLine1_delta"))
            p->SetTextAreaTopLine1_delta(2.0);
        else if (proprietate == QLatin1String("DeltaSus"))
            p->SetDeltaSus(1.5);
        else if (proprietate == QLatin1String("DeltaStanga"))
            p->SetDeltaStanga(1.5);
        else if (proprietate == QLatin1String("DenumireFormular"))
            p->SetDenumireFormular(QStringLiteral("Diplomă"));
        else
            QFAIL("unknown row");
        QCOMPARE(p->Repictari() > inainte, repicteaza);
        QCOMPARE(p->size(), marime);
        QCOMPARE(a->geometry() != zona, muta);
    }

    void celMaiMareNumar()
    {
        TFormularDePrintat p;
        new TFormularTextArea(&p, QStringLiteral("FormularTextArea3"));
        new TFormularTextArea(&p, QStringLiteral("FormularTextArea12"));
        auto *panou = new QWidget(&p);
        panou->setObjectName(QStringLiteral("Panel1"));
        new TFormularTextArea(&p, QStringLiteral("FormularTextArea"));
        QCOMPARE(p.HighestTextAreaNumber(), 12);
        QCOMPARE(p.TextAreaByNumber(12)->objectName(), QStringLiteral("FormularTextArea12"));
        QVERIFY(!p.TextAreaByNumber(4));
        // Digits are gathered from anywhere after the prefix.
        new TFormularTextArea(&p, QStringLiteral("FormularTextArea1x5"));
        QCOMPARE(p.HighestTextAreaNumber(), 15);
    }

    void numerotareaCertificatului()
    {
        TFormularDePrintat *p = Certificat();
        QCOMPARE(p->TextAreas().size(), 41);
        QCOMPARE(p->HighestTextAreaNumber(), 182);
        for (TFormularTextArea *a : p->TextAreas())
            a->SetText(QStringLiteral("x"));
        p->SetZoom(110);
        p->SetTextAreaTransparent(false);
        p->NumberTextAreas();
        int gasite = 0;
        for (int n = 1; n <= 182; ++n)
            if (TFormularTextArea *a = p->TextAreaByNumber(n)) {
                ++gasite;
                QCOMPARE(a->Text(), QStringLiteral("<%1>").arg(n));
            }
        QCOMPARE(gasite, 41);
        QCOMPARE(p->Zoom(), 100.0);
        QVERIFY(p->TextAreaTransparent());
    }

    void machetaCertificatului()
    {
        TFormularDePrintat *p = Certificat();
        QCOMPARE(p->objectName(), QStringLiteral("FormularDePrintat1"));
        QCOMPARE(p->Latime(), 293.116);
        QCOMPARE(p->Inaltime(), 210.4);
        QVERIFY(p->TextAreaWithBorder());
        QCOMPARE(p->DeltaStanga(), 0.0);
        QVERIFY(p->BkImage_FileName().isEmpty()); // no LX.bin in the program folder here
        const QStringList ordine = {QStringLiteral("Stanga"),          QStringLiteral("Stanga_2"),
                                    QStringLiteral("Dreapta"),         QStringLiteral("verso_1"),
                                    QStringLiteral("DREAPTA_BOLD"),    QStringLiteral("VERSO_1_BOLD"),
                                    QStringLiteral("verso_pitic"),     QStringLiteral("stanga_nume"),
                                    QStringLiteral("dreapta_nume"),    QStringLiteral("Stanga_nume_mic"),
                                    QStringLiteral("Stanga_mic"),      QStringLiteral("LimbaMaterna")};
        QStringList gasite;
        for (QObject *o : m_fereastra->children())
            if (auto *f = qobject_cast<TFontFormular *>(o)) {
                gasite << f->objectName();
                QCOMPARE(f->FontName(), QStringLiteral("Arial"));
                QCOMPARE(f->CodePage(), 1250);
                QCOMPARE(f->CharSet(), 238);
                QVERIFY(!f->Italic());
            }
        QCOMPARE(gasite, ordine);
        QCOMPARE(FontNumit(QStringLiteral("DREAPTA_BOLD"))->Size(), 4.7);
        QVERIFY(FontNumit(QStringLiteral("DREAPTA_BOLD"))->Bold());
        QCOMPARE(FontNumit(QStringLiteral("dreapta_nume"))->Size(), 5.7);
        QCOMPARE(FontNumit(QStringLiteral("verso_pitic"))->Size(), 2.2);

        TFormularTextArea *a112 = p->TextAreaByNumber(112);
        QCOMPARE(a112->Denumire1(), QStringLiteral("Lauridex.FATA.D_MEDIA_GEN"));
        QCOMPARE(a112->Denumire2(), QStringLiteral("cifre"));
        QCOMPARE(a112->Denumire3(), QStringLiteral("MEDIE_DIPLOMA"));
        QCOMPARE(a112->Font(), FontNumit(QStringLiteral("DREAPTA_BOLD")));
        TFormularTextArea *a26 = p->TextAreaByNumber(26);
        QCOMPARE(a26->Denumire2(), QStringLiteral("litere"));
        QCOMPARE(a26->Denumire3(), QStringLiteral("MEDIE_COTOR"));
        QCOMPARE(p->TextAreaByNumber(2)->Alignment(), taLeftJustify);
        QCOMPARE(p->TextAreas().first()->objectName(), QStringLiteral("FormularTextArea1"));
        QCOMPARE(p->TextAreas().at(30)->objectName(), QStringLiteral("FormularTextArea182"));
        QCOMPARE(p->TextAreas().last()->objectName(), QStringLiteral("FormularTextArea8"));
        for (TFormularTextArea *a : p->TextAreas()) {
            QCOMPARE(a->ZoomLock(), 300.0);
            QVERIFY(a->SursaText().isEmpty());
            QVERIFY(a->Denumire1().startsWith(QLatin1String("Lauridex.FATA.")));
            QCOMPARE(a->Proprietar(), m_fereastra.get());
        }
        QCOMPARE(FontNumit(QStringLiteral("DREAPTA_BOLD"))->Utilizatori().size(), 20);
    }

    // Every area of the certificate as loaded: child order, binding, millimetres, font, alignment.
    void zoneleCertificatului_data()
    {
        QTest::addColumn<int>("ordine");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("d2");
        QTest::addColumn<QString>("d3");
        QTest::addColumn<double>("stanga");
        QTest::addColumn<double>("sus");
        QTest::addColumn<double>("latime");
        QTest::addColumn<double>("inaltime");
        QTest::addColumn<QString>("font");
        QTest::addColumn<int>("aliniere");
        QTest::newRow("1") << 0 << QStringLiteral("Lauridex.FATA.C_NUME") << QString() << QString() << 34.14019637118527 << 64.58956070224241 << 35.31455202031695 << 4.361892411060526 << QStringLiteral("Stanga_nume_mic") << int(taCenter);
        QTest::newRow("2") << 1 << QStringLiteral("Lauridex.FATA.C_GRAD_1_L2") << QString() << QString() << 20.7189889525375 << 56.11742351922099 << 65.84779889774063 << 3.774714586494686 << QStringLiteral("VERSO_1_BOLD") << int(taLeftJustify);
        QTest::newRow("3") << 2 << QStringLiteral("Lauridex.FATA.C_INSTITUTIA_2") << QString() << QString() << 23.23546534353395 << 76.1653521008261 << 64.25403051677623 << 4.11024477196088 << QStringLiteral("Stanga") << int(taLeftJustify);
        QTest::newRow("4") << 3 << QStringLiteral("Lauridex.FATA.C_ADRESA") << QString() << QString() << 25.33252900269767 << 81.7016001610183 << 62.24084940397905 << 4.278009864693977 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("5") << 4 << QStringLiteral("Lauridex.FATA.C_SESIUNEA") << QString() << QString() << 18.95745547883998 << 93.02574392050236 << 29.44277377465855 << 4.361892411060526 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("6") << 5 << QStringLiteral("Lauridex.FATA.C_MEDIA_GEN") << QStringLiteral("cifre") << QStringLiteral("MEDIE_COTOR") << 73.81664080256274 << 93.02574392050236 << 14.8472107068791 << 4.361892411060526 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("28") << 6 << QStringLiteral("Lauridex.FATA.D_FCT_DIDACTICA") << QString() << QString() << 139.0772618757376 << 86.56678785027813 << 62.74414468217834 << 5.452365513825658 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("29") << 7 << QStringLiteral("Lauridex.FATA.C_SECRETAR_SEF") << QString() << QString() << 40.7669175341426 << 163.9064956002359 << 40.51526989504296 << 4.529657503793623 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("31") << 8 << QStringLiteral("Lauridex.FATA.D_GRAD_1") << QString() << QString() << 195.2785679413251 << 64.4217956095093 << 58.46613481748436 << 5.452365513825658 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("32") << 9 << QStringLiteral("Lauridex.FATA.D_SPECIALITATEA") << QString() << QString() << 231.8513581571403 << 86.90231803574432 << 38.3343236895127 << 5.200717874726012 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("55") << 10 << QStringLiteral("Lauridex.FATA.D_SECRETAR_SEF") << QString() << QString() << 162.228844672905 << 174.3918138960545 << 58.2144871783847 << 5.8717782456584 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("36") << 11 << QStringLiteral("Lauridex.FATA.D_NUME") << QString() << QString() << 155.7698886026807 << 77.84300302815707 << 85.56019729387955 << 6.375073523857692 << QStringLiteral("dreapta_nume") << int(taCenter);
        QTest::newRow("84") << 12 << QStringLiteral("Lauridex.FATA.C_ABREVIERE") << QString() << QString() << 27.17794502276174 << 65.84779889774063 << 6.626721162957338 << 2.9358891228292 << QStringLiteral("VERSO_1_BOLD") << int(taLeftJustify);
        QTest::newRow("85") << 13 << QStringLiteral("Lauridex.FATA.D_ABREVIERE") << QString() << QString() << 131.1084199709154 << 80.61112705825317 << 22.73217006533466 << 3.606949493761589 << QStringLiteral("VERSO_1_BOLD") << int(taLeftJustify);
        QTest::newRow("62") << 14 << QStringLiteral("Lauridex.FATA.C_GRAD_1_L1") << QString() << QString() << 54.94306787008932 << 49.82623254172985 << 32.71419308295395 << 4.11024477196088 << QStringLiteral("VERSO_1_BOLD") << int(taCenter);
        QTest::newRow("86") << 15 << QStringLiteral("Lauridex.FATA.C_SPECIALITATEA") << QString() << QString() << 70.796869133367 << 70.71298658700044 << 16.77650927330972 << 3.774714586494686 << QStringLiteral("LimbaMaterna") << int(taCenter);
        QTest::newRow("87") << 16 << QStringLiteral("Lauridex.FATA.C_GRAD_2_L1") << QString() << QString() << 55.9496584264879 << 99.23305235162697 << 31.70760252655536 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("94") << 17 << QStringLiteral("Lauridex.FATA.C_GRAD_2_L2") << QString() << QString() << 19.71239839613892 << 104.6015353190861 << 66.93827200050578 << 4.11024477196088 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("95") << 18 << QStringLiteral("Lauridex.FATA.C_ORDIN_NR") << QString() << QString() << 35.0629043812173 << 116.3450918104029 << 8.30437209028831 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("96") << 19 << QStringLiteral("Lauridex.FATA.C_ORDIN_DATA") << QString() << QString() << 49.82623254172985 << 116.3870330835861 << 12.70820577453211 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("97") << 20 << QStringLiteral("Lauridex.FATA.C_DATA_VIGOARE") << QString() << QString() << 19.62851584977237 << 121.9652224169616 << 69.03533565966947 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("103") << 21 << QStringLiteral("Lauridex.FATA.D_INSTITUTIA_2") << QString() << QString() << 126.2432322816556 << 94.61951230146678 << 144.5296273895632 << 5.116835328359463 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("112") << 22 << QStringLiteral("Lauridex.FATA.D_MEDIA_GEN") << QStringLiteral("cifre") << QStringLiteral("MEDIE_DIPLOMA") << 155.7698886026807 << 118.4421554695666 << 29.52665632102509 << 4.613540050160172 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("113") << 23 << QStringLiteral("Lauridex.FATA.D_ADRESA") << QString() << QString() << 127.3337053844207 << 103.0077669381216 << 143.6069193795312 << 4.613540050160172 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("114") << 24 << QStringLiteral("Lauridex.FATA.D_ORDIN_NR") << QString() << QString() << 124.4816988079581 << 134.0443090937446 << 26.50688465182935 << 5.032952781992915 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("115") << 25 << QStringLiteral("Lauridex.FATA.D_ORDIN_DATA") << QString() << QString() << 159.7123682819085 << 134.7992520110436 << 26.92629738366209 << 4.278009864693977 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("116") << 26 << QStringLiteral("Lauridex.FATA.D_SESIUNEA") << QString() << QString() << 220.6110969440228 << 110.3055484720114 << 50.49729291266224 << 5.032952781992915 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("118") << 27 << QStringLiteral("Lauridex.FATA.D_GRAD_2") << QString() << QString() << 212.9777852246668 << 118.0227427377338 << 57.37566171471922 << 5.032952781992915 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("119") << 28 << QStringLiteral("Lauridex.FATA.D_RECTOR") << QString() << QString() << 129.5985341363176 << 161.3900192092395 << 47.1419910580003 << 4.69742259652672 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("120") << 29 << QStringLiteral("Lauridex.FATA.D_DECAN/DIRECTOR") << QString() << QString() << 208.0287149890405 << 160.8867239310402 << 65.59615125864099 << 5.116835328359463 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("182") << 30 << QStringLiteral("Lauridex.FATA.C_FCT_DIDACTICA") << QString() << QString() << 31.12042470198952 << 71.13239931883318 << 18.70580783974033 << 3.439184401028492 << QStringLiteral("Stanga") << int(taCenter);
        QTest::newRow("67") << 31 << QStringLiteral("Lauridex.FATA.D_DATA_VIGOARE") << QString() << QString() << 230.0898246834428 << 134.6314869183105 << 41.10244771960881 << 4.445774957427074 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("76") << 32 << QStringLiteral("Lauridex.FATA.D_INSTITUTIA") << QString() << QString() << 118.7776856550328 << 44.70939721337039 << 152.0790565625525 << 5.200717874726012 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("26") << 33 << QStringLiteral("Lauridex.FATA.C_MEDIA_GEN") << QStringLiteral("litere") << QStringLiteral("MEDIE_COTOR") << 19.46075075703927 << 98.64587452706112 << 17.78309982970829 << 4.361892411060526 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("11") << 34 << QStringLiteral("Lauridex.FATA.C_RECTOR") << QString() << QString() << 24.03234953401617 << 143.4391542867981 << 30.44936433105713 << 4.529657503793623 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("12") << 35 << QStringLiteral("Lauridex.FATA.C_DECAN/DIRECTOR") << QString() << QString() << 55.23665678237223 << 143.4391542867981 << 37.49549822584721 << 4.529657503793623 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("13") << 36 << QStringLiteral("Lauridex.FATA.C_REGISTRU_NR") << QString() << QString() << 24.99699881723148 << 178.5859412143819 << 18.37027765427414 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("14") << 37 << QStringLiteral("Lauridex.FATA.C_REGISTRU_DATA") << QString() << QString() << 51.16835328359464 << 178.6698237607485 << 35.3984345666835 << 3.774714586494686 << QStringLiteral("Stanga_mic") << int(taCenter);
        QTest::newRow("15") << 38 << QStringLiteral("Lauridex.FATA.C_INSTITUTIA_1") << QString() << QString() << 20.7189889525375 << 28.52006576462652 << 66.93827200050578 << 3.774714586494686 << QStringLiteral("VERSO_1_BOLD") << int(taCenter);
        QTest::newRow("7") << 39 << QStringLiteral("Lauridex.FATA.D_REGISTRU_NR") << QString() << QString() << 124.9011115397908 << 183.5350114500083 << 23.4871129826336 << 4.69742259652672 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
        QTest::newRow("8") << 40 << QStringLiteral("Lauridex.FATA.D_REGISTRU_DATA") << QString() << QString() << 157.1120093445455 << 183.5350114500083 << 31.53983743382227 << 4.69742259652672 << QStringLiteral("DREAPTA_BOLD") << int(taCenter);
    }
    void zoneleCertificatului()
    {
        QFETCH(int, ordine);
        QFETCH(QString, d1);
        QFETCH(QString, d2);
        QFETCH(QString, d3);
        QFETCH(double, stanga);
        QFETCH(double, sus);
        QFETCH(double, latime);
        QFETCH(double, inaltime);
        QFETCH(QString, font);
        QFETCH(int, aliniere);
        TFormularDePrintat *p = Certificat();
        const QList<TFormularTextArea *> arii = p->TextAreas();
        QCOMPARE(arii.size(), 41);
        TFormularTextArea *a = arii.at(ordine);
        QCOMPARE(a->objectName(), QStringLiteral("FormularTextArea") + QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(a->Denumire1(), d1);
        QCOMPARE(a->Denumire2(), d2);
        QCOMPARE(a->Denumire3(), d3);
        QCOMPARE(a->_Left(), stanga);
        QCOMPARE(a->_Top(), sus);
        QCOMPARE(a->_Width(), latime);
        QCOMPARE(a->_Height(), inaltime);
        QVERIFY(a->Font());
        QCOMPARE(a->Font()->objectName(), font);
        QCOMPARE(int(a->Alignment()), aliniere);
        QCOMPARE(a->ZoomLock(), 300.0);
        QVERIFY(a->SursaText().isEmpty());
        QCOMPARE(a->cursor().shape(), Qt::PointingHandCursor);
    }

    // Every form font of the certificate's window, in component order.
    void fonturileCertificatului_data()
    {
        QTest::addColumn<int>("ordine");
        QTest::addColumn<double>("marime");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Stanga") << 0 << 4.0 << false;
        QTest::newRow("Stanga_2") << 1 << 3.0 << false;
        QTest::newRow("Dreapta") << 2 << 3.0 << false;
        QTest::newRow("verso_1") << 3 << 2.5 << false;
        QTest::newRow("DREAPTA_BOLD") << 4 << 4.7 << true;
        QTest::newRow("VERSO_1_BOLD") << 5 << 4.0 << false;
        QTest::newRow("verso_pitic") << 6 << 2.2 << false;
        QTest::newRow("stanga_nume") << 7 << 5.0 << false;
        QTest::newRow("dreapta_nume") << 8 << 5.7 << false;
        QTest::newRow("Stanga_nume_mic") << 9 << 4.0 << false;
        QTest::newRow("Stanga_mic") << 10 << 4.0 << false;
        QTest::newRow("LimbaMaterna") << 11 << 4.0 << false;
    }
    void fonturileCertificatului()
    {
        QFETCH(int, ordine);
        QFETCH(double, marime);
        QFETCH(bool, bold);
        Certificat();
        QList<TFontFormular *> fonturi;
        for (QObject *o : m_fereastra->children())
            if (auto *f = qobject_cast<TFontFormular *>(o))
                fonturi << f;
        QCOMPARE(fonturi.size(), 12);
        const TFontFormular *f = fonturi.at(ordine);
        QCOMPARE(f->objectName(), QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(f->FontName(), QStringLiteral("Arial"));
        QCOMPARE(f->Size(), marime);
        QCOMPARE(f->Bold(), bold);
        QCOMPARE(f->Italic(), false);
        QCOMPARE(f->CodePage(), 1250);
        QCOMPARE(f->CharSet(), 238);
        QVERIFY(f->DescrierePentruEditor().isEmpty());
        QCOMPARE(f->Eticheta(), f->objectName());
    }


    void machetaStricata_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("no end") << QStringLiteral("object P: TFormularDePrintat\n  Zoom = 100\n")
                                << QStringLiteral("Macheta, linia 1: lipseste \"end\" pentru P");
        QTest::newRow("unknown property")
            << QStringLiteral("object P: TFormularDePrintat\n  Zum = 100\nend\n")
            << QStringLiteral("Macheta, linia 2: P.Zum: proprietate necunoscuta pentru TFormularDePrintat");
        QTest::newRow("missing font")
            << QStringLiteral("object P: TFormularDePrintat\n object FormularTextArea1: TFormularTextArea\n"
                              "  Font = Nimic\n end\nend\n")
            << QStringLiteral("Macheta, linia 3: FormularTextArea1.Font: nu exista fontul Nimic");
        QTest::newRow("text for a number")
            << QStringLiteral("object F: TFontFormular\n  Size = 'mare'\nend\n")
            << QStringLiteral("Macheta, linia 2: Size trebuie sa fie un numar");
        QTest::newRow("integer out of range")
            << QStringLiteral("object P: TFormularDePrintat\n  Left = 1e20\nend\n")
            << QStringLiteral("Macheta, linia 2: Left trebuie sa fie un numar intreg");
        QTest::newRow("infinite integer")
            << QStringLiteral("object F: TFontFormular\n  CodePage = inf\nend\n")
            << QStringLiteral("Macheta, linia 2: CodePage trebuie sa fie un numar intreg");
    }
    void machetaStricata()
    {
        QFETCH(QString, text);
        QFETCH(QString, mesaj);
        QWidget w;
        try {
            IncarcaMacheta(text, &w, &w);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
        QVERIFY(w.children().isEmpty()); // nothing half-made is left behind
    }

    void fontulCu15Pixeli()
    {
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(1); // Stanga_nume_mic, 4.0 mm
        a->SetText(QStringLiteral("Ion"));
        const TAsezareText t = a->AsezarePreview(96);
        QCOMPARE(t.Font.Inaltime, 15);
        QCOMPARE(t.Y, 17 - 15);
        // The Qt font has exactly that character cell.
        const QFontMetricsF m(FontPentruCelula(t.Font, 96));
        QVERIFY2(qAbs(m.ascent() + m.descent() - 15) < 0.6, qPrintable(QString::number(m.ascent() + m.descent())));
        QCOMPARE(t.X, (140 - t.Latime) / 2);
    }

    void arialEsteLiberation()
    {
        TFontDispozitiv f;
        f.Inaltime = 40;
        const QFontInfo info(FontPentruCelula(f, 96));
        QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
        f.Greutate = 700;
        QVERIFY(QFontInfo(FontPentruCelula(f, 96)).bold());
        // An unknown face still writes, in some real face.
        f.Fata = QStringLiteral("Fata Care Nu Exista");
        const QFont lipsa = FontPentruCelula(f, 96);
        QVERIFY(!QFontInfo(lipsa).family().isEmpty());
        QVERIFY(QFontMetricsF(lipsa).horizontalAdvance(QStringLiteral("Ion")) > 10);
    }

    void micsorareaPanaLaPodea_data()
    {
        QTest::addColumn<double>("marimeMm");
        QTest::addColumn<int>("latime");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("inaltime");
        QTest::newRow("fits") << 4.0 << 400 << QStringLiteral("Ion") << 15;
        QTest::newRow("shrinks to fit") << 4.0 << 60 << QStringLiteral("Ionescu Ionel") << -1;
        QTest::newRow("floor 2") << 4.0 << 3 << QStringLiteral("Ionescu Ionel") << 2;
        QTest::newRow("start 1 stays 1") << 0.2 << 3 << QStringLiteral("Ionescu Ionel") << 1;
    }
    void micsorareaPanaLaPodea()
    {
        QFETCH(double, marimeMm);
        QFETCH(int, latime);
        QFETCH(QString, text);
        QFETCH(int, inaltime);
        QWidget w;
        TFontFormular font(&w, QStringLiteral("F"));
        font.SetSize(marimeMm);
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.setGeometry(0, 0, latime, 20);
        a.SetFont(&font);
        a.SetText(text);
        const TAsezareText t = a.AsezarePreview(96);
        if (inaltime > 0) {
            QCOMPARE(t.Font.Inaltime, inaltime);
        } else {
            QVERIFY(t.Font.Inaltime < 15 && t.Font.Inaltime >= 2);
            QVERIFY(t.Latime <= latime);
            // One pixel more would not have fitted.
            TFontDispozitiv mai = t.Font;
            mai.Inaltime += 1;
            QVERIFY(QFontMetricsF(FontPentruCelula(mai, 96)).horizontalAdvance(text) > latime - 1);
        }
    }

    // The fitted height is the one the plain one-pixel-at-a-time walk ends at.
    void potrivireaCaPasCuPas()
    {
        QWidget w;
        TFontFormular font(&w, QStringLiteral("F"));
        font.SetSize(9.0);
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.SetFont(&font);
        a.SetText(QStringLiteral("Universitatea de Vest din Timişoara"));
        for (int latime = 3; latime < 420; latime += 7) {
            a.setGeometry(0, 0, latime, 40);
            const TAsezareText t = a.AsezarePreview(96);
            TFontDispozitiv f = t.Font;
            int h = TFormularDePrintat::MmToPixels(p.ScreenDpi(), 9.0);
            auto masoara = [&](int inaltime) {
                f.Inaltime = inaltime;
                return int(std::ceil(QFontMetricsF(FontPentruCelula(f, 96)).horizontalAdvance(a.Text())));
            };
            int l = masoara(h);
            while (l > latime) {
                if (h - 1 < 2)
                    break;
                --h;
                l = masoara(h);
            }
            QVERIFY2(t.Font.Inaltime == h, qPrintable(QStringLiteral("width %1: %2 vs %3").arg(latime).arg(t.Font.Inaltime).arg(h)));
            QCOMPARE(t.Latime, l);
        }
    }

    void textulEfectiv_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("efectiv");
        QTest::newRow("one character stays") << QStringLiteral("7") << QStringLiteral("7");
        QTest::newRow("empty is replaced") << QString() << QStringLiteral("inlocuit");
        QTest::newRow("two characters are replaced") << QStringLiteral("78") << QStringLiteral("inlocuit");
    }
    void textulEfectiv()
    {
        QFETCH(QString, text);
        QFETCH(QString, efectiv);
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(36);
        a->SetText(text);
        QCOMPARE(a->EffectiveText(), text); // no adjustment yet
        AdjustmentFor(a, true)->TextOverride = QStringLiteral("inlocuit");
        QCOMPARE(a->EffectiveText(), efectiv);
        QCOMPARE(a->StilEfectiv().Text, efectiv);
    }

    void zoomLock_data()
    {
        QTest::addColumn<double>("zoomLock");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("preiaPixelii");
        QTest::newRow("lock 0, zoom 100") << 0.0 << 100.0 << true;
        QTest::newRow("lock 0, zoom 110") << 0.0 << 110.0 << true;
        QTest::newRow("lock equals zoom") << 110.0 << 110.0 << true;
        QTest::newRow("lock differs") << 300.0 << 100.0 << false;
    }
    void zoomLock()
    {
        QFETCH(double, zoomLock);
        QFETCH(double, zoom);
        QFETCH(bool, preiaPixelii);
        TFormularDePrintat *p = Certificat();
        p->SetZoom(zoom);
        TFormularTextArea *a = p->TextAreaByNumber(1);
        a->SetZoomLock(zoomLock);
        const QRect inainte = a->geometry();
        const double stanga = a->_Left();
        const QRect mutat = inainte.translated(10, 5).adjusted(0, 0, 4, 0);
        a->SetBounds(mutat);
        const double dpi = p->ScreenDpi();
        if (preiaPixelii) {
            QCOMPARE(a->geometry(), mutat);
            QCOMPARE(a->_Left(), mutat.x() * 25.4 / dpi);
            QCOMPARE(a->_Top(), mutat.y() * 25.4 / dpi);
            QCOMPARE(a->_Width(), mutat.width() * 25.4 / dpi);
            QCOMPARE(a->_Height(), mutat.height() * 25.4 / dpi);
            QCOMPARE(a->ZoomLock(), zoom);
        } else {
            QCOMPARE(a->geometry(), inainte);
            QCOMPARE(a->_Left(), stanga);
            QCOMPARE(a->ZoomLock(), zoomLock);
        }
    }

    // A zoom change places the areas from their millimetres and tells of the new bounds,
    // without taking those pixels back as millimetres (whatever the ZoomLock).
    void zoomulNuRescrieMilimetrii_data()
    {
        QTest::addColumn<double>("zoomLock");
        QTest::newRow("lock 0") << 0.0;
        QTest::newRow("lock 300") << 300.0;
        QTest::newRow("lock 110") << 110.0;
    }
    void zoomulNuRescrieMilimetrii()
    {
        QFETCH(double, zoomLock);
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(36);
        a->SetZoomLock(zoomLock);
        const double mm[] = {a->_Left(), a->_Top(), a->_Width(), a->_Height()};
        QSignalSpy anunturi(a, &TFormularTextArea::Redimensionat);
        p->SetZoom(110);
        QCOMPARE(anunturi.count(), 1);
        QCOMPARE(a->_Left(), mm[0]);
        QCOMPARE(a->_Top(), mm[1]);
        QCOMPARE(a->_Width(), mm[2]);
        QCOMPARE(a->_Height(), mm[3]);
        QCOMPARE(a->ZoomLock(), zoomLock);
        const double dpi = p->ScreenDpi();
        QCOMPARE(a->geometry(), QRect(TFormularDePrintat::MmToPixels(dpi, mm[0]), TFormularDePrintat::MmToPixels(dpi, mm[1]),
                                      TFormularDePrintat::MmToPixels(dpi, mm[2]), TFormularDePrintat::MmToPixels(dpi, mm[3])));
        p->SetZoom(110); // same zoom: nothing moves, nothing is told
        QCOMPARE(anunturi.count(), 1);
    }

    void setteriiMilimetrilorNuMutaZona()
    {
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(1);
        a->Set_Left(10);
        QCOMPARE(a->geometry().x(), 135);
        a->ZoomChanged();
        QCOMPARE(a->geometry().x(), TFormularDePrintat::MmToPixels(p->ScreenDpi(), 10));
    }

    void utilizatoriiFontului()
    {
        QWidget w;
        auto *f1 = new TFontFormular(&w, QStringLiteral("F1"));
        TFontFormular f2(&w, QStringLiteral("F2"));
        TFormularDePrintat p(&w);
        auto *a = new TFormularTextArea(&p, QStringLiteral("FormularTextArea1"));
        a->SetFont(f1);
        QCOMPARE(f1->Utilizatori(), QList<TFormularTextArea *>{a});
        a->SetFont(&f2);
        QVERIFY(f1->Utilizatori().isEmpty());
        QCOMPARE(f2.Utilizatori().size(), 1);
        a->SetFont(f1);
        const int inainte = a->Repictari();
        f1->SetSize(5);
        QVERIFY(a->Repictari() > inainte);
        delete f1;
        QVERIFY(!a->Font());
        a->SetFont(&f2);
        delete a;
        QVERIFY(f2.Utilizatori().isEmpty());
    }

    // Background files.

    void fundalGasitLangaProgram()
    {
        const QByteArray jpeg = JpegMic();
        ScrieFisier(CaleInFolder(m_dir.path(), QStringLiteral("LX.bin")), TFormularDePrintat::CombinaCuCheia(jpeg));
        TFormularDePrintat *p = Certificat();
        QVERIFY(p->BkImage().AreGrafic());
        QCOMPARE(p->BkImage().Jpeg, jpeg);
        QCOMPARE(p->BkImage().Imagine.size(), QSize(40, 30));
        QVERIFY(p->BkImage_FileName().endsWith(QLatin1String("LX.bin")));
        QCOMPARE(p->BkImage_DummyMsg(), QStringLiteral("1: nonvid-loadfn"));
        // The stored background of the certificate was not rewritten while loading.
        QVERIFY(!QFile::exists(p->BkImage_FileName()) || p->BkImage_FileName().startsWith(m_dir.path()));
    }

    void fundalLipsaNuERaportat()
    {
        TFormularDePrintat *p = Certificat();
        QVERIFY(!p->BkImage().AreGrafic());
        QVERIFY(p->BkImage_FileName().isEmpty());
        QCOMPARE(p->BkImage_DummyMsg(), QStringLiteral("1: nonvid-loadfn"));
        // It prints and paints the same without it.
        QImage img(p->size(), QImage::Format_RGB32);
        p->render(&img);
    }

    void numeInvalide_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("too short") << QStringLiteral("ab") << QStringLiteral("ab nu este un nume valid");
        QTest::newRow("network name")
            << QStringLiteral("\\\\server\\LX.bin")
            << QStringLiteral("\\\\server\\LX.bin nu este un nume valid, vrea sa am un nume LOCAL (nu de pe retea)");
        QTest::newRow("network name, slashes")
            << QStringLiteral("//server/LX.bin")
            << QStringLiteral("//server/LX.bin nu este un nume valid, vrea sa am un nume LOCAL (nu de pe retea)");
        QTest::newRow("relative name")
            << QStringLiteral("LX.bin")
            << QStringLiteral("LX.bin nu este un nume valid, vrea sa am un nume LOCAL (nu de pe retea)");
    }
    void numeInvalide()
    {
        QFETCH(QString, nume);
        QFETCH(QString, mesaj);
        TFormularDePrintat p;
        p.SetBkImage_FileName(QString());
        try {
            p.SetBkImage_FileName(nume);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
        QVERIFY(p.BkImage_FileName().isEmpty());
    }

    void urmaAtribuirilor()
    {
        TFormularDePrintat p;
        const QString cale = CaleInFolder(m_dir.path(), QStringLiteral("sub/dir/fundal.bin"));
        p.SetBkImage_FileName(QString());
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("1: reset"));
        p.SetBkImage_FileName(cale);
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("2: nonvid-nographic"));
        QVERIFY(p.BkImage_FileName().isEmpty());

        p.SetBkImage(TImagineFundal::DinImagine(QImage(4, 4, QImage::Format_RGB32)));
        p.SetBkImage_FileName(cale);
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("3: nonvid-TBitmap"));

        const QByteArray jpeg = JpegMic(Qt::blue);
        p.SetBkImage(TImagineFundal::DinJpeg(jpeg));
        p.SetBkImage_FileName(cale);
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("4: nonvid-savefn"));
        QCOMPARE(p.BkImage_FileName(), cale);
        QCOMPARE(CitesteFisier(cale), TFormularDePrintat::CombinaCuCheia(jpeg));

        // A fresh page with no picture loads the file that exists.
        TFormularDePrintat q;
        q.SetBkImage_FileName(cale);
        QCOMPARE(q.BkImage_DummyMsg(), QStringLiteral("1: nonvid-loadfn"));
        QCOMPARE(q.BkImage().Jpeg, jpeg);
    }

    void salvareaPastreazaOctetii()
    {
        const QByteArray jpeg = JpegMic(Qt::green);
        const QString a = CaleInFolder(m_dir.path(), QStringLiteral("a.bin"));
        const QString b = CaleInFolder(m_dir.path(), QStringLiteral("b.bin"));
        const QByteArray codificat = TFormularDePrintat::CombinaCuCheia(jpeg);
        ScrieFisier(a, codificat);
        QVERIFY(codificat != jpeg);
        QCOMPARE(TFormularDePrintat::CombinaCuCheia(codificat), jpeg);
        TFormularDePrintat p;
        p.LoadBkImageFile(a);
        p.SaveBkImageFile(b);
        QCOMPARE(CitesteFisier(b), codificat);
        // Setting the picture writes the named file at once.
        p.SetBkImage_FileName(b);
        p.SetBkImage(TImagineFundal::DinImagine(QImage(2, 2, QImage::Format_RGB32)));
        QVERIFY(!QFile::exists(b)); // a picture that is not a JPEG removes the file
    }

    void citireDirectaLipsa()
    {
        TFormularDePrintat p;
        const QString cale = CaleInFolder(m_dir.path(), QStringLiteral("nu/exista.bin"));
        try {
            p.LoadBkImageFile(cale);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("Nu pot citi din fisierul %1").arg(FolderulProgramului() + QStringLiteral("exista.bin")));
        }
        ScrieFisier(CaleInFolder(m_dir.path(), QStringLiteral("stricat.bin")), QByteArray("not a jpeg at all"));
        QVERIFY_THROWS_EXCEPTION(EZel, p.LoadBkImageFile(CaleInFolder(m_dir.path(), QStringLiteral("stricat.bin"))));
    }

    // A header that claims an enormous picture fails before any memory is taken for it.
    void fundalCuAntetUrias()
    {
        QByteArray jpeg = JpegMic();
        const qsizetype sof = jpeg.indexOf(QByteArray::fromHex("FFC0"));
        QVERIFY(sof > 0);
        jpeg[sof + 5] = char(0xEA); // height 60000
        jpeg[sof + 6] = char(0x60);
        jpeg[sof + 7] = char(0xEA); // width 60000
        jpeg[sof + 8] = char(0x60);
        const QString cale = CaleInFolder(m_dir.path(), QStringLiteral("urias.bin"));
        ScrieFisier(cale, TFormularDePrintat::CombinaCuCheia(jpeg));
        TFormularDePrintat p;
        try {
            p.LoadBkImageFile(cale);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("JPEG error: image too large (60000 x 60000)"));
        }
        QVERIFY(!p.BkImage().AreGrafic());
        // Through the name, as when loading a layout: not reported, the name is dropped.
        p.SetBkImage_FileName(cale);
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("1: nonvid-loadfn"));
        QVERIFY(p.BkImage_FileName().isEmpty());
    }

    // A background file larger than any scanned sheet is refused before it is read whole.
    void fundalFisierUrias()
    {
        const QString cale = CaleInFolder(m_dir.path(), QStringLiteral("mare.bin"));
        {
            QFile f(cale);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(257) * 1024 * 1024)); // sparse: no disk taken
        }
        TFormularDePrintat p;
        try {
            p.LoadBkImageFile(cale);
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), QStringLiteral("Fisierul %1 este prea mare pentru o imagine de fundal").arg(cale));
        }
        QVERIFY(!p.BkImage().AreGrafic());
        p.SetBkImage_FileName(cale);
        QCOMPARE(p.BkImage_DummyMsg(), QStringLiteral("1: nonvid-loadfn"));
        QVERIFY(p.BkImage_FileName().isEmpty());
        QFile::remove(cale);
    }

    void cacheFundalulUrmeazaZoomul()
    {
        QImage mare(600, 400, QImage::Format_RGB32);
        mare.fill(QColor(200, 10, 10));
        ScrieFisier(CaleInFolder(m_dir.path(), QStringLiteral("LX.bin")),
                    TFormularDePrintat::CombinaCuCheia(CodecJpeg::Codifica(mare, 90)));
        TFormularDePrintat *p = Certificat();
        QImage img(p->size(), QImage::Format_RGB32);
        p->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QCOMPARE(p->CacheFundal().size(), QSize(1164, 836));
        QVERIFY(qRed(img.pixel(500, 10)) > 150 && qGreen(img.pixel(500, 10)) < 60);
        p->SetZoom(110);
        QImage img2(p->size(), QImage::Format_RGB32);
        p->render(&img2, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        QCOMPARE(p->CacheFundal().size(), QSize(1281, 919));
    }

    // Printing through the recording device.

    void printerRect_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("shiftX");
        QTest::addColumn<int>("stanga");
        QTest::newRow("X 0") << 0.0 << 0 << 136;
        QTest::newRow("X 1.5 mm") << 1.5 << 0 << 172;
        QTest::newRow("ShiftX -1") << 0.0 << -1 << 125;
    }
    void printerRect()
    {
        QFETCH(double, x);
        QFETCH(int, shiftX);
        QFETCH(int, stanga);
        TDispozitivInregistrare dc;
        dc.SeteazaCapabilitate(TDispozitivTiparire::HORZRES, 4800);
        dc.SeteazaCapabilitate(TDispozitivTiparire::HORZSIZE, 203);
        dc.SeteazaCapabilitate(TDispozitivTiparire::PHYSICALOFFSETX, 100);
        QWidget w;
        w.setObjectName(QStringLiteral("PrintLauridex"));
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea5"));
        a.Set_Left(10);
        a.Set_Width(20);
        if (shiftX)
            AdjustmentFor(&a, true)->ShiftX = shiftX;
        const TDreptunghiDispozitiv r = a.PrinterRect(dc, x, 0);
        QCOMPARE(r.Left, stanga);
        QCOMPARE(r.Right, stanga + qRound(20 * 4800.0 / 203));
    }

    void vecinulParEsteAlesLaEgalitate()
    {
        TDispozitivInregistrare dc;
        dc.SeteazaCapabilitate(TDispozitivTiparire::HORZRES, 100);
        dc.SeteazaCapabilitate(TDispozitivTiparire::HORZSIZE, 10); // 10 px per mm
        dc.SeteazaCapabilitate(TDispozitivTiparire::PHYSICALOFFSETX, 0);
        dc.SeteazaCapabilitate(TDispozitivTiparire::VERTRES, 100);
        dc.SeteazaCapabilitate(TDispozitivTiparire::VERTSIZE, 10);
        dc.SeteazaCapabilitate(TDispozitivTiparire::PHYSICALOFFSETY, 0);
        TFormularDePrintat p;
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Left(0.25); // 2.5 -> 2
        a.Set_Top(0.35);  // 3.5 -> 4
        a.Set_Width(0.45); // 4.5 -> 4
        a.Set_Height(0.55); // 5.5 -> 6
        const TDreptunghiDispozitiv r = a.PrinterRect(dc, 0, 0);
        QCOMPARE(r, (TDreptunghiDispozitiv{2, 4, 6, 10}));
    }

    void tiparireDreaptaSiIntoarsa_data()
    {
        QTest::addColumn<bool>("oglinda");
        QTest::newRow("upright") << false;
        QTest::newRow("half turn") << true;
    }
    void tiparireDreaptaSiIntoarsa()
    {
        QFETCH(bool, oglinda);
        TDispozitivInregistrare dc; // A4 landscape, 600 dpi, 4 mm edges
        QWidget w;
        TFontFormular f(&w, QStringLiteral("F"));
        f.SetSize(4.0);
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Left(10);
        a.Set_Top(12);
        a.Set_Width(60);
        a.Set_Height(5);
        a.SetFont(&f);
        a.SetAlignment(taLeftJustify);
        a.SetText(QStringLiteral("Sus stanga"));
        dc.BeginDoc(QStringLiteral("Diploma de examen national - fata"));
        p.PrintPage(dc, oglinda, DirectorModificariImplicit(), 0, 0);
        dc.EndDoc();
        QCOMPARE(dc.Scrieri().size(), 1);
        const auto s = dc.Scrieri().first();
        const TDreptunghiDispozitiv r = a.PrinterRect(dc, 0, 0);
        const int pw = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALWIDTH);
        const int ph = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT);
        const int ox = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETX);
        const int oy = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETY);
        // 4 mm at the sheet's own resolution.
        const int h = int(4.0 * (ph / 8.26771653543307) / 25.4);
        QCOMPARE(s.font.Inaltime, h);
        const int x = r.Left;
        const int y = r.Top + (r.Bottom - r.Top + 1) - h;
        if (!oglinda) {
            QCOMPARE(s.font.Escapare, 0);
            QCOMPARE(s.x, x);
            QCOMPARE(s.y, y);
            QCOMPARE(s.decupare, QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
        } else {
            QCOMPARE(s.font.Escapare, 1800);
            QCOMPARE(s.x, pw - x - 2 * ox);
            QCOMPARE(s.y, ph - y - 2 * oy);
            QCOMPARE(s.decupare, QRect(pw - r.Right - 2 * ox, ph - r.Bottom - 2 * oy, r.Right - r.Left,
                                       r.Bottom - r.Top));
            // Top-left of the sheet went to the bottom-right.
            QVERIFY(s.decupare.left() + ox > pw / 2);
            QVERIFY(s.decupare.top() + oy > ph / 2);
        }
        QCOMPARE(dc.Documente(), QStringList{QStringLiteral("Diploma de examen national - fata")});
        QCOMPARE(dc.DocumenteIncheiate(), 1);
    }

    void deltaPaginiiSiMargineaSeAduna()
    {
        TDispozitivInregistrare dc;
        QWidget w;
        TFontFormular f(&w, QStringLiteral("F"));
        TFormularDePrintat p(&w);
        p.SetDeltaStanga(0.5);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Left(20);
        a.Set_Width(30);
        a.Set_Height(5);
        a.SetFont(&f);
        a.SetText(QStringLiteral("x"));
        dc.BeginDoc(QStringLiteral("t"));
        p.PrintPage(dc, false, DirectorModificariImplicit(), 2.0, 0);
        dc.EndDoc();
        QCOMPARE(dc.Scrieri().first().decupare.left(), a.PrinterRect(dc, 2.5, 0).Left);
    }

    void tiparireaMicsoreazaPanaLaPodea()
    {
        TDispozitivInregistrare dc;
        QWidget w;
        TFontFormular f(&w, QStringLiteral("F"));
        f.SetSize(4.0);
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Width(0.05);
        a.Set_Height(5);
        a.SetFont(&f);
        a.SetText(QStringLiteral("Un text mult prea lung"));
        dc.BeginDoc(QStringLiteral("t"));
        a.PrintTo(dc, false, 0, 0);
        QCOMPARE(dc.Scrieri().first().font.Inaltime, 2);
        // The height of the area caps the start height.
        f.SetSize(40);
        a.Set_Width(200);
        a.SetText(QStringLiteral("x"));
        a.PrintTo(dc, false, 0, 0);
        QCOMPARE(dc.Scrieri().last().font.Inaltime, int(5 * (dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT) / 8.26771653543307) / 25.4));
        dc.EndDoc();
    }

    // The printer fit lands where the plain one-pixel walk at the sheet's resolution ends.
    void tiparireaCaPasCuPas_data()
    {
        QTest::addColumn<double>("latimeMm");
        QTest::addColumn<QString>("text");
        QTest::newRow("fits at the start") << 150.0 << QStringLiteral("Ion");
        QTest::newRow("a little too wide") << 60.0 << QStringLiteral("Universitatea de Vest din Timişoara");
        QTest::newRow("much too wide") << 18.0 << QStringLiteral("Universitatea de Vest din Timişoara");
        QTest::newRow("bold capitals") << 33.0 << QStringLiteral("ŞTEFĂNESCU ŢUŢUIANU ÎNVĂŢĂMÂNT");
        QTest::newRow("down to the floor") << 0.02 << QStringLiteral("Ionescu");
    }
    void tiparireaCaPasCuPas()
    {
        QFETCH(double, latimeMm);
        QFETCH(QString, text);
        TDispozitivInregistrare dc;
        QWidget w;
        TFontFormular f(&w, QStringLiteral("F"));
        f.SetSize(5.7);
        f.SetBold(text.startsWith(QStringLiteral("Ş")));
        TFormularDePrintat p(&w);
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Left(20);
        a.Set_Width(latimeMm);
        a.Set_Height(6.4);
        a.SetFont(&f);
        a.SetText(text);
        dc.BeginDoc(QStringLiteral("t"));
        a.PrintTo(dc, false, 0, 0);
        dc.EndDoc();
        const auto s = dc.Scrieri().first();

        const TDreptunghiDispozitiv r = a.PrinterRect(dc, 0, 0);
        const int latime = r.Right - r.Left + 1;
        const double k = dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALHEIGHT) / 8.26771653543307;
        int h = std::min(std::max(1, TFormularDePrintat::MmToPixels(k, 5.7)), TFormularDePrintat::MmToPixels(k, 6.4));
        TFontDispozitiv fd = s.font;
        auto masoara = [&](int inaltime) {
            fd.Inaltime = inaltime;
            dc.SeteazaFont(fd);
            return dc.TextExtent(text).width();
        };
        int l = masoara(h);
        while (l > latime && h - 1 >= 2) {
            --h;
            l = masoara(h);
        }
        QCOMPARE(s.font.Inaltime, h);
        QCOMPARE(s.marime.width(), l);
    }

    void faraFontNuSeTipareste()
    {
        TDispozitivInregistrare dc;
        TFormularDePrintat p;
        TFormularTextArea a(&p, QStringLiteral("FormularTextArea1"));
        a.Set_Width(10);
        a.SetText(QStringLiteral("x"));
        dc.BeginDoc(QStringLiteral("t"));
        p.PrintPage(dc, false, DirectorModificariImplicit(), 0, 0);
        QVERIFY(dc.Scrieri().isEmpty());
        QVERIFY(!a.AsezarePreview(96).Deseneaza);
    }

    // Rendering of the filled certificate: every area's text lies inside its rectangle.
    void randareaPaginiiCompletate()
    {
        TFormularDePrintat *p = Certificat();
        p->SetTextAreaWithBorder(false);
        for (TFormularTextArea *a : p->TextAreas())
            a->SetText(Valoare(a));
        for (double zoom : {100.0, 110.0}) {
            p->SetZoom(zoom);
            QImage img(p->size(), QImage::Format_RGB32);
            img.fill(Qt::white);
            p->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
            const int fond = qGray(img.pixel(0, 0));
            QRegion zone;
            for (TFormularTextArea *a : p->TextAreas()) {
                zone += a->geometry();
                int cerneala = 0;
                const QRect g = a->geometry();
                for (int y = g.top(); y <= g.bottom(); ++y)
                    for (int x = g.left(); x <= g.right(); ++x)
                        if (qGray(img.pixel(x, y)) < 128)
                            ++cerneala;
                QVERIFY2(cerneala > 10, qPrintable(a->objectName()));
            }
            int afara = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (qAbs(qGray(img.pixel(x, y)) - fond) > 4 && !zone.contains(QPoint(x, y)))
                        ++afara;
            QCOMPARE(afara, 0);
            // Texts are drawn whole where they fit: a centred area has ink on both halves.
            TFormularTextArea *a36 = p->TextAreaByNumber(36);
            const QRect g = a36->geometry();
            auto cernealaIn = [&](QRect r) {
                int n = 0;
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x)
                        n += qGray(img.pixel(x, y)) < 128;
                return n;
            };
            QVERIFY(cernealaIn(QRect(g.left(), g.top(), g.width() / 2, g.height())) > 20);
            QVERIFY(cernealaIn(QRect(g.center().x(), g.top(), g.width() / 2, g.height())) > 20);
            const QString folder = qEnvironmentVariable("LX_SCREENSHOT_DIR");
            if (!folder.isEmpty())
                img.save(CaleInFolder(folder, QStringLiteral("certificat_%1.png").arg(int(zoom))));
        }
    }

    // The preview's guide lines: the baseline in its colour, the second line a delta below.
    void liniileDeBaza()
    {
        QWidget w;
        TFontFormular f(&w, QStringLiteral("F"));
        f.SetSize(4.0);
        TFormularDePrintat p(&w);
        p.SetLatime(100);
        p.SetInaltime(30);
        p.SetTextAreaBaseLine1(true);
        p.SetTextAreaBaseLine2(true);
        p.SetTextAreaBaseLine2_delta(0.5);
        p.SetTextAreaBaseLine2_color(0x00FF00); // green in blue-green-red order
        auto *a = new TFormularTextArea(&p, QStringLiteral("FormularTextArea1"));
        a->Set_Left(10);
        a->Set_Top(5);
        a->Set_Width(50);
        a->Set_Height(10);
        a->SetFont(&f);
        a->SetText(QStringLiteral("x"));
        a->ZoomChanged();
        QImage img(p.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        p.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        const TAsezareText t = a->AsezarePreview(96);
        const int b = a->height() - int(std::lround(t.Font.Inaltime - UrcareFont(t.Font)));
        const int d = TFormularDePrintat::MmToPixels(p.ScreenDpi(), 0.5);
        QVERIFY(b + d < a->height());
        const QPoint o = a->pos();
        QCOMPARE(QColor(img.pixel(o.x() + a->width() - 3, o.y() + b)), QColor(Qt::red));
        QCOMPARE(QColor(img.pixel(o.x() + a->width() - 3, o.y() + b + d)), QColor(0, 255, 0));
        QCOMPARE(img.pixel(o.x() + a->width() - 3, o.y() + b - 1), img.pixel(0, 0));
        // The baseline is where the text stands: the x ends just above it.
        bool cernealaDeasupra = false;
        for (int x = 0; x < a->width(); ++x)
            cernealaDeasupra |= qGray(img.pixel(o.x() + x, o.y() + b - 1)) < 128;
        QVERIFY(cernealaDeasupra);
    }

    void hoverClicSiZoomulPaginii()
    {
        TFormularDePrintat *p = Certificat();
        TFormularTextArea *a = p->TextAreaByNumber(36);
        QCOMPARE(a->p_zoom(), 100.0);
        a->Setp_zoom(110);
        QCOMPARE(p->Zoom(), 110.0);
        QCOMPARE(a->p_dpi(), p->ScreenDpi());
        TFormularTextArea singur(nullptr, QStringLiteral("FormularTextArea1"));
        QCOMPARE(singur.p_zoom(), 100.0);
        QCOMPARE(singur.p_dpi(), 96.0);

        QEnterEvent intra(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(a, &intra);
        QVERIFY(a->Hovered());
        QEvent iese(QEvent::Leave);
        QCoreApplication::sendEvent(a, &iese);
        QVERIFY(!a->Hovered());

        TFormularTextArea *apasat = nullptr;
        TFormularTextArea::LaClic() = [&](TFormularTextArea *x) { apasat = x; };
        m_fereastra->show();
        QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(3, 3));
        TFormularTextArea::LaClic() = nullptr;
        QCOMPARE(apasat, a);
    }

    // Over the real background generated with the build (when it is there).
    void peFundalulGenerat()
    {
        const QString lx = QStringLiteral(LX_BIN_DIR "/LX.bin");
        if (!QFile::exists(lx))
            QSKIP("LX.bin not generated in this build");
        QVERIFY(QFile::copy(lx, CaleInFolder(m_dir.path(), QStringLiteral("LX.bin"))));
        TFormularDePrintat *p = Certificat();
        QVERIFY(p->BkImage().EsteJpeg());
        // Printing crisply: about 300 pixels per inch over the sheet.
        QVERIFY(p->BkImage().Imagine.width() >= 3400);
        QVERIFY(qAbs(p->BkImage().Imagine.width() / double(p->BkImage().Imagine.height()) - 293.116 / 210.4) < 0.002);
        for (TFormularTextArea *a : p->TextAreas())
            a->SetText(Valoare(a));
        const QString folder = qEnvironmentVariable("LX_SCREENSHOT_DIR");
        for (double zoom : {100.0, 110.0}) {
            p->SetZoom(zoom);
            QImage img(p->size(), QImage::Format_RGB32);
            p->render(&img);
            QCOMPARE(p->CacheFundal().size(), p->size());
            if (!folder.isEmpty())
                img.save(CaleInFolder(folder, QStringLiteral("fundal_%1.png").arg(int(zoom))));
        }
    }
};

QTEST_MAIN(TstFormular)
#include "tst_formular.moc"
