#include "text/Eroare.h"
#include "text/FolderProgram.h"
#include "text/Mesaje.h"
#include "text/TextRo.h"
#include "widgets/LargeFonts.h"
#include "widgets/UZelEditors.h"
#include "widgets/ZelVGridEditor.h"
#include "widgets/ZelVirtualGrid.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <QTreeWidget>

namespace {

struct TLinieTest : TZelVirtualGridLine {
    explicit TLinieTest(int n) : Nr(n) {}
    int Nr;
};

int Nr(TZelVirtualGridLine *l) { return static_cast<TLinieTest *>(l)->Nr; }

QString MesajDin(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EZel &e) {
        return e.Mesaj();
    }
    return QStringLiteral("<nicio eroare>");
}

// A grid with `coloane` string columns and `linii` lines whose cells read "L<line>C<col>".
void Umple(TZelVirtualGrid &g, int coloane, int linii)
{
    g.BeginUpdate();
    for (int c = 0; c < coloane; ++c)
        g.Coloane().Add()->SetNumeColoana(QStringLiteral("Col%1").arg(c));
    for (int i = 0; i < linii; ++i)
        g.Linii().Add(new TLinieTest(i));
    g.EndUpdate();
    g.OnGetCellValue = [](TZelVirtualGridLine *l, int c, TZelValoareDate &v) {
        v.SetAsString(QStringLiteral("L%1C%2").arg(Nr(l)).arg(c));
    };
}

QColor Pixel(TZelVirtualGrid &g, const QPoint &p)
{
    return g.viewport()->grab().toImage().pixelColor(p);
}

} // namespace

class TstGrid : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        RedirectioneazaFolderulProgramului(m_dir.path() + QLatin1Char('/'));
        UitaRaportLargeFonts();
    }
    void init() { Mesaje::GolesteIstoric(); Mesaje::GolesteRaspunsuri(); }

    void gridGol()
    {
        TZelVirtualGrid g;
        QCOMPARE(g.ColCount(), 1);
        QCOMPARE(g.RowCount(), 1);
        QCOMPARE(g.FixedRows(), 0);
        QCOMPARE(g.FixedCols(), 0);
        QCOMPARE(g.HeaderHeight(), 48);
        QCOMPARE(g.NrColoaneFixe(), 1);
        QCOMPARE(g.Optiuni(), 0);
        QCOMPARE(g.property("_BuildVersion").toString(), QStringLiteral("#1"));
        g.setProperty("_BuildVersion", QStringLiteral("#7"));
        QCOMPARE(g.property("_BuildVersion").toString(), QStringLiteral("#1"));
        QCOMPARE(g.property("TitluMare").toString(), QStringLiteral("TITLUL MARE"));
        QCOMPARE(g.AntetLinia3, QStringLiteral("Linia #3 din antet"));
        QVERIFY(g.RedimensionareColoane);
    }

    void coloaneFixe_data()
    {
        QTest::addColumn<int>("coloane");
        QTest::addColumn<int>("nrColoaneFixe");
        QTest::addColumn<int>("fixe");
        QTest::newRow("3 din 1") << 3 << 1 << 1;
        QTest::newRow("3 din 0") << 3 << 0 << 0;
        QTest::newRow("4 din 2") << 4 << 2 << 2;
        QTest::newRow("egal cu numarul") << 3 << 3 << 1;
        QTest::newRow("peste numar") << 3 << 9 << 1;
        QTest::newRow("o coloana") << 1 << 1 << 0;
        QTest::newRow("fara coloane") << 0 << 1 << 0;
    }
    void coloaneFixe()
    {
        QFETCH(int, coloane);
        QFETCH(int, nrColoaneFixe);
        QFETCH(int, fixe);
        TZelVirtualGrid g;
        g.SetNrColoaneFixe(nrColoaneFixe);
        Umple(g, coloane, 2);
        QCOMPARE(g.ColCount(), std::max(1, coloane));
        QCOMPARE(g.FixedCols(), fixe);
        QCOMPARE(g.RowCount(), 3);
        QCOMPARE(g.FixedRows(), 1);
    }

    void dimensiuniSiUpdate()
    {
        TZelVirtualGrid g;
        Umple(g, 2, 0);
        QCOMPARE(g.RowCount(), 1);
        QCOMPARE(g.FixedRows(), 0);
        g.Coloane().Items(1)->SetWidth(200);
        QCOMPARE(g.ColWidths(0), ScaleazaLargeFonts(128));
        QCOMPARE(g.ColWidths(1), ScaleazaLargeFonts(200));

        auto *inalta = new TLinieTest(1);
        inalta->Inaltime = 30;
        g.Linii().Add(new TLinieTest(0));
        g.Linii().Add(inalta);
        QCOMPARE(g.RowCount(), 3);
        QCOMPARE(g.RowHeights(0), 48);
        QCOMPARE(g.RowHeights(1), ScaleazaLargeFonts(24));
        QCOMPARE(g.RowHeights(2), ScaleazaLargeFonts(30));
        QCOMPARE(g.Linii().Items(1)->Lista(), &g.Linii());

        // Inside a bracket nothing is rebuilt until the outermost EndUpdate.
        g.BeginUpdate();
        g.BeginUpdate();
        for (int i = 0; i < 5; ++i)
            g.Linii().Add(new TLinieTest(i));
        g.EndUpdate();
        QCOMPARE(g.RowCount(), 3);
        g.EndUpdate();
        QCOMPARE(g.RowCount(), 8);
        QCOMPARE(MesajDin([&] { g.EndUpdate(); }), QStringLiteral("EndUpdate fara BeginUpdate"));

        // Adding a column outside a bracket is rebuilt on a deferred request.
        g.Coloane().Add();
        QCOMPARE(g.ColCount(), 2);
        QCoreApplication::sendPostedEvents(&g);
        QCOMPARE(g.ColCount(), 3);
        QCOMPARE(g.Coloane().Items(2)->DisplayName(), QStringLiteral("[2] <fara nume>"));
        QCOMPARE(g.Coloane().Items(1)->DisplayName(), QStringLiteral("[1] Col1"));

        g.Linii().Clear();
        QCOMPARE(g.RowCount(), 1);
        QCOMPARE(g.FixedRows(), 0);
    }

    // Every column and style property repaints the grid when it changes.
    void proprietateRepicteaza_data()
    {
        QTest::addColumn<QString>("proprietate");
        for (const char *n : {"TipDeDate", "NumeColoana", "CuloareHeader", "AliniereTextInHeader", "Umbrela1", "Umbrela2",
                              "FontUmbrela1", "FontUmbrela2", "CuloareUmbrela1", "CuloareUmbrela2",
                              "AllowMultiLineGridPrint", "Stil3.Activ", "Stil1.CuloareBackgroundNormal",
                              "Stil1.FontSelectat", "Stil2.Aliniere", "Stil1.ImageIndex", "Stil1.Indent"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void proprietateRepicteaza()
    {
        QFETCH(QString, proprietate);
        TZelVirtualGrid g;
        g.resize(400, 200);
        Umple(g, 2, 2);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        struct TNumarator : QObject {
            int n = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                n += e->type() == QEvent::Paint;
                return false;
            }
        } numarator;
        g.viewport()->installEventFilter(&numarator);
        QTest::qWait(20);
        numarator.n = 0;
        TZelVirtualGridColumn *c = g.Coloane().Items(1);
        const QMap<QString, std::function<void()>> schimbari{
            {"TipDeDate", [&] { c->SetTipDeDate(atAuto); }},
            {"NumeColoana", [&] { c->SetNumeColoana(QStringLiteral("Alt titlu")); }},
            {"CuloareHeader", [&] { c->SetCuloareHeader(Qt::yellow); }},
            {"AliniereTextInHeader", [&] { c->SetAliniereTextInHeader(Qt::AlignRight); }},
            {"Umbrela1", [&] { c->SetUmbrela1(QStringLiteral("U1")); }},
            {"Umbrela2", [&] { c->SetUmbrela2(QStringLiteral("U2")); }},
            {"FontUmbrela1", [&] { c->SetFontUmbrela1(TZelFont{QFont(QStringLiteral("Arial"), 12), Qt::red}); }},
            {"FontUmbrela2", [&] { c->SetFontUmbrela2(TZelFont{QFont(QStringLiteral("Arial"), 12), Qt::red}); }},
            {"CuloareUmbrela1", [&] { c->SetCuloareUmbrela1(Qt::green); }},
            {"CuloareUmbrela2", [&] { c->SetCuloareUmbrela2(Qt::green); }},
            {"AllowMultiLineGridPrint", [&] { c->SetAllowMultiLineGridPrint(true); }},
            {"Stil3.Activ", [&] { c->Stil3().SetActiv(true); }},
            {"Stil1.CuloareBackgroundNormal", [&] { c->Stil1().SetCuloareBackgroundNormal(Qt::cyan); }},
            {"Stil1.FontSelectat", [&] { c->Stil1().SetFontSelectat(TZelFont{QFont(QStringLiteral("Arial"), 7), Qt::red}); }},
            {"Stil2.Aliniere", [&] { c->Stil2().SetAliniere(Qt::AlignRight); }},
            {"Stil1.ImageIndex", [&] { c->Stil1().SetImageIndex(0); }},
            {"Stil1.Indent", [&] { c->Stil1().SetIndent(6); }},
        };
        QVERIFY(schimbari.contains(proprietate));
        schimbari.value(proprietate)();
        QTRY_VERIFY(numarator.n > 0);
    }

    void numeTipuri_data()
    {
        QTest::addColumn<int>("tip");
        QTest::addColumn<QString>("nume");
        QTest::newRow("cur") << int(atCurrency) << "Currency";
        QTest::newRow("int") << int(atInteger) << "Integer";
        QTest::newRow("2z") << int(atIntegerDouaZecimale) << "Integer2Z";
        QTest::newRow("str") << int(atString) << "String";
        QTest::newRow("d1") << int(atDataScurtFaraAn) << "DataCalendar1";
        QTest::newRow("d2") << int(atDataScurtCuAn) << "DataCalendar2";
        QTest::newRow("d3") << int(atDataLung) << "DataCalendar3";
        QTest::newRow("auto") << int(atAuto) << "Auto";
        QTest::newRow("ask") << int(atAsk) << "Ask";
        QTest::newRow("altul") << 12 << "#12";
        QTest::newRow("negativ") << -1 << "#-1";
    }
    void numeTipuri()
    {
        QFETCH(int, tip);
        QFETCH(QString, nume);
        QCOMPARE(NumeTipDeDate(tip), nume);
    }

    void formatValori_data()
    {
        QTest::addColumn<int>("tip");
        QTest::addColumn<qint64>("numar");
        QTest::addColumn<QString>("text");
        QTest::newRow("bani") << int(atCurrency) << qint64(12345678) << "1.234,56";
        QTest::newRow("bani taiati") << int(atCurrency) << qint64(19999) << "1,99";
        QTest::newRow("bani mari") << int(atCurrency) << qint64(1234567890123) << "123.456.789,01";
        QTest::newRow("bani negativi") << int(atCurrency) << qint64(-12345678) << "-1.234,56";
        QTest::newRow("bani sub o suta") << int(atCurrency) << qint64(-50) << "0,00";
        QTest::newRow("bani zero") << int(atCurrency) << qint64(0) << "0,00";
        QTest::newRow("intreg") << int(atInteger) << qint64(-421) << "-421";
        QTest::newRow("sutimi") << int(atIntegerDouaZecimale) << qint64(42189) << "421,89";
        QTest::newRow("sutimi mici") << int(atIntegerDouaZecimale) << qint64(5) << "0,05";
        QTest::newRow("sutimi negative") << int(atIntegerDouaZecimale) << qint64(-5) << "-0,05";
    }
    void formatValori()
    {
        QFETCH(int, tip);
        QFETCH(qint64, numar);
        QFETCH(QString, text);
        TZelValoareDate v;
        if (tip == atCurrency)
            v.SetAsCurrency(numar);
        else if (tip == atInteger)
            v.SetAsInteger(numar);
        else
            v.SetAsIntegerDouaZecimale(numar);
        QCOMPARE(int(v.Tip()), tip);
        QCOMPARE(v.Text(), text);
    }

    void valoriTipizate()
    {
        TZelValoareDate v;
        QCOMPARE(v.Tip(), atAuto);
        QCOMPARE(MesajDin([&] { v.Text(); }), QStringLiteral("Bug! Nu stiu citi tipul de date!"));
        v.SetAsInteger(7);
        QCOMPARE(v.AsInteger(), qint64(7));
        QCOMPARE(MesajDin([&] { v.AsString(); }), QStringLiteral("Tip incorect"));
        QCOMPARE(MesajDin([&] { v.AsCurrency(); }), QStringLiteral("Tip incorect"));
        v.SetAsString(QStringLiteral("x"));
        QCOMPARE(MesajDin([&] { v.AsInteger(); }), QStringLiteral("Tip incorect"));
        const QDate d(2004, 7, 28);
        v.SetAsDataScurtFaraAn(d);
        QCOMPARE(v.Text(), DataRoZiLuna(d));
        QCOMPARE(MesajDin([&] { v.AsDataLung(); }), QStringLiteral("Tip incorect"));
        v.SetAsDataScurtCuAn(d);
        QCOMPARE(v.Text(), QStringLiteral("28/07/04"));
        v.SetAsDataLung(d);
        QCOMPARE(v.Text(), QStringLiteral("28 iulie 2004"));
        QCOMPARE(v.AsData(), d);
        v.SetAsk();
        QCOMPARE(v.Text(), QStringLiteral("!NoData!"));
    }

    void textCelule()
    {
        TZelVirtualGrid g;
        Umple(g, 2, 2);
        g.Coloane().Items(1)->SetNumeColoana(QStringLiteral("Suma"));
        g.Coloane().Items(1)->SetTipDeDate(atCurrency);

        g.OnGetCellValue = {};
        QCOMPARE(g.TextCelula(1, 1), QStringLiteral("!NoData!"));

        TZelValoareDate dat;
        g.OnGetCellValue = [&](TZelVirtualGridLine *, int, TZelValoareDate &v) { v = dat; };
        dat.SetAsString(QStringLiteral("12,50 lei"));
        QCOMPARE(g.TextCelula(1, 1), QStringLiteral("12,50 lei"));
        dat.SetAsCurrency(125000);
        QCOMPARE(g.TextCelula(1, 1), QStringLiteral("12,50"));
        QCOMPARE(g.TextCelula(0, 1), QStringLiteral("12,50")); // a String column takes Currency
        dat.SetAsInteger(3);
        QCOMPARE(MesajDin([&] { g.TextCelula(1, 1); }),
                 QStringLiteral("Nepotrivire de date cand citesc coloana Suma: Am primit Integer, asteptam Currency"));
        dat.SetAsk();
        QCOMPARE(g.TextCelula(1, 1), QStringLiteral("!NoData!"));
        dat.Goleste(); // a handler that leaves the value unset
        QCOMPARE(MesajDin([&] { g.TextCelula(1, 1); }),
                 QStringLiteral("Nepotrivire de date cand citesc coloana Suma: Am primit Auto, asteptam Currency"));
        g.Coloane().Items(1)->SetTipDeDate(atAuto);
        QCOMPARE(MesajDin([&] { g.TextCelula(1, 1); }), QStringLiteral("Bug! Nu stiu citi tipul de date!"));
        dat.SetAsInteger(3);
        QCOMPARE(g.TextCelula(1, 1), QStringLiteral("3"));

        g.OnCustomText = [](TZelVirtualGridLine *l, const TZelValoareDate &v, int c, QString &t) {
            t = QStringLiteral("%1/%2/%3/%4").arg(Nr(l)).arg(c).arg(v.AsInteger()).arg(t);
        };
        QCOMPARE(g.TextCelula(1, 2), QStringLiteral("1/1/3/3"));
        g.Coloane().Items(1)->OnGetText = [](TZelVirtualGridLine *l, QString &t) { t = QStringLiteral("direct %1").arg(Nr(l)); };
        QCOMPARE(g.TextCelula(1, 2), QStringLiteral("direct 1"));

        g.SetModProiectare(true);
        g.Coloane().Items(0)->SetTipDeDate(atCurrency);
        QCOMPARE(g.TextCelula(0, 1), QStringLiteral("123.456.789,01"));
        g.Coloane().Items(0)->SetTipDeDate(atDataLung);
        QCOMPARE(g.TextCelula(0, 1), QStringLiteral("??"));
    }

    void eroareLaDesenareRaportataOdata()
    {
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 5);
        g.Coloane().Items(1)->SetTipDeDate(atInteger);
        g.Coloane().Items(1)->SetNumeColoana(QStringLiteral("Nr"));
        g.viewport()->grab();
        g.viewport()->grab();
        QCoreApplication::processEvents();
        QCOMPARE(Mesaje::Istoric().size(), 1);
        QCOMPARE(Mesaje::Istoric().first().text,
                 QStringLiteral("Nepotrivire de date cand citesc coloana Nr: Am primit String, asteptam Integer"));
    }

    void stilFolosit_data()
    {
        QTest::addColumn<int>("stilLinie");
        QTest::addColumn<QList<int>>("active");
        QTest::addColumn<int>("asteptat");
        QTest::newRow("3 cu 2 activ") << 3 << QList<int>{2} << 2;
        QTest::newRow("3 fara activ") << 3 << QList<int>{} << 1;
        QTest::newRow("3 activ") << 3 << QList<int>{2, 3} << 3;
        QTest::newRow("peste linie") << 3 << QList<int>{4, 10} << 1;
        QTest::newRow("10") << 10 << QList<int>{5, 7} << 7;
        QTest::newRow("1 cu 2 activ") << 1 << QList<int>{2} << 1;
    }
    void stilFolosit()
    {
        QFETCH(int, stilLinie);
        QFETCH(QList<int>, active);
        QFETCH(int, asteptat);
        TZelVirtualGrid g;
        Umple(g, 2, 1);
        TZelVirtualGridColumn *c = g.Coloane().Items(1);
        for (int s = 1; s <= 10; ++s)
            c->Stil(s).SetCuloareBackgroundNormal(QColor(10 * s, 0, 0));
        for (int s : active)
            c->Stil(s).SetActiv(true);
        g.Linii().Items(0)->SetStil(stilLinie);
        QCOMPARE(&TZelVirtualGrid::StilFolosit(*c, *g.Linii().Items(0)), &c->Stil(asteptat));
        QCOMPARE(g.StilCelula(1, 1, false).Fundal, QColor(10 * asteptat, 0, 0));
    }

    void culoriCelula()
    {
        TZelVirtualGrid g;
        g.resize(400, 200);
        Umple(g, 2, 3);
        TZelVirtualGridLine *l = g.Linii().Items(1);
        QCOMPARE(MesajDin([&] { l->SetStil(11); }), QStringLiteral("Stil trebuie sa fie de la 1 la 10"));
        QCOMPARE(MesajDin([&] { l->SetStil(0); }), QStringLiteral("Stil trebuie sa fie de la 1 la 10"));
        QCOMPARE(l->Stil(), 1);
        QCOMPARE(MesajDin([&] { g.Coloane().Items(0)->Stil(11); }), QStringLiteral("Sunt definite stiluri de la 1 la 10"));

        TZelCuloriColoana &s1 = g.Coloane().Items(1)->Stil1();
        s1.SetCuloareBackgroundNormal(ZelCuloareDinTColor(14482163));
        s1.SetCuloareBackgroundSelectat(QColor(0, 0, 200));
        QCOMPARE(g.StilCelula(1, 1, false).Fundal, QColor(207, 216, 247)); // the remap
        l->CuloareBackground = QColor(0, 200, 0);
        l->CuloareFont = QColor(200, 0, 0);
        l->Atribute = 0x01 | 0x02 | 0x04 | 0x40; // bold added then removed, italic, 10 pt
        const auto normal = g.StilCelula(1, 2, false);
        QCOMPARE(normal.Fundal, QColor(0, 200, 0));
        QCOMPARE(normal.Font.Culoare, QColor(200, 0, 0));
        QVERIFY(!normal.Font.Font.bold());
        QVERIFY(normal.Font.Font.italic());
        QCOMPARE(normal.Font.Font.pointSize(), 10);
        const auto selectat = g.StilCelula(1, 2, true);
        QCOMPARE(selectat.Fundal, QColor(0, 0, 200));
        QCOMPARE(selectat.Font.Culoare, CuloriSistem::TextEvidentiat());

        g.OnFormatCell = [](TZelVirtualGridLine *linie, int, QColor &bk, TZelFont &) {
            if (Nr(linie) == 2)
                bk = QColor(1, 2, 3);
        };
        QCOMPARE(g.StilCelula(1, 3, false).Fundal, QColor(1, 2, 3));
        QCOMPARE(g.StilCelula(1, 3, true).Fundal, QColor(0, 0, 200));

        // Drawn: the current cell (1,1) in the selected colour, line 2 in its own colour.
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QRect r1 = g.CellRect(1, 1), r2 = g.CellRect(1, 2), r3 = g.CellRect(1, 3);
        QCOMPARE(Pixel(g, r1.center() + QPoint(r1.width() / 2 - 6, 0)), QColor(0, 0, 200));
        QCOMPARE(Pixel(g, r2.center() + QPoint(r2.width() / 2 - 6, 0)), QColor(0, 200, 0));
        QCOMPARE(Pixel(g, r3.center() + QPoint(r3.width() / 2 - 6, 0)), QColor(1, 2, 3));

        // With goSelectezLinia the whole current line takes the highlight colour.
        g.SetOptiuni(goSelectezLinia);
        QCOMPARE(g.StilCelula(1, 1, false).Fundal, CuloriSistem::Evidentiere());
    }

    void header()
    {
        TZelVirtualGrid g;
        g.resize(600, 200);
        g.SetNrColoaneFixe(0);
        Umple(g, 3, 1);
        for (int c = 0; c < 3; ++c)
            g.Coloane().Items(c)->SetCuloareHeader(QColor(250, 250, 250));
        // Columns 0 and 1 share one caption; column 2 shows the same (empty) text after its
        // "|", but in its own group.
        g.Coloane().Items(0)->SetUmbrela1(QStringLiteral("A|"));
        g.Coloane().Items(1)->SetUmbrela1(QStringLiteral("A|"));
        g.Coloane().Items(2)->SetUmbrela1(QStringLiteral("B|"));
        for (int c = 0; c < 3; ++c)
            g.Coloane().Items(c)->SetCuloareUmbrela1(QColor(0, 180, 0));
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QImage img = g.viewport()->grab().toImage();
        const int x01 = g.ColumnX(1) - 1; // right edge of column 0
        const int x12 = g.ColumnX(2) - 1;
        const int yBanda = 3;
        QCOMPARE(img.pixelColor(x01, yBanda), QColor(0, 180, 0));       // no edge inside the group
        QCOMPARE(img.pixelColor(x12, yBanda), CuloriSistem::TextFereastra()); // edge between groups
        QCOMPARE(img.pixelColor(x01, 40), CuloriSistem::TextFereastra());  // titles keep their edges
        QCOMPARE(img.pixelColor(x01 - 4, 44), QColor(250, 250, 250));
    }

    // A caption whose run is partly scrolled away is drawn on the part still shown.
    void umbrelaDerulata()
    {
        TZelVirtualGrid g;
        g.resize(300, 200);
        Umple(g, 5, 3);
        g.Coloane().Items(0)->SetWidth(40);
        g.Coloane().Items(1)->SetWidth(300);
        g.Coloane().Items(2)->SetWidth(100);
        for (int c = 1; c <= 2; ++c) {
            g.Coloane().Items(c)->SetUmbrela1(QStringLiteral("Date personale"));
            g.Coloane().Items(c)->SetCuloareUmbrela1(QColor(255, 255, 255));
            g.Coloane().Items(c)->SetFontUmbrela1(TZelFont{QFont(QStringLiteral("Arial"), 8), QColor(255, 0, 0)});
        }
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.SetLeftCol(2);
        QCOMPARE(g.LeftCol(), 2);
        const QRect r = g.CellRect(2, 0);
        const QImage img = g.viewport()->grab().toImage();
        const int h = QFontMetrics(g.Coloane().Items(2)->FontUmbrela1().Font).height();
        int rosii = 0;
        for (int x = r.left(); x < r.right(); ++x)
            for (int y = r.top(); y < r.top() + h - 1; ++y) {
                const QColor c = img.pixelColor(x, y);
                rosii += c.red() > 150 && c.green() < 120 && c.blue() < 120;
            }
        QVERIFY2(rosii > 10, qPrintable(QString::number(rosii)));
    }

    // The cell under a point: fixed cells from the edge, scrolled ones from the first shown.
    void celulaSubPunct()
    {
        TZelVirtualGrid g;
        g.resize(300, 200);
        Umple(g, 6, 50);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.SetLeftCol(3);
        g.SetTopRow(20);
        QCOMPARE(g.LeftCol(), 3);
        QCOMPARE(g.TopRow(), 20);
        int c = 0, r = 0;
        for (const QPoint &celula : {QPoint(0, 0), QPoint(0, 20), QPoint(3, 0), QPoint(3, 21), QPoint(4, 22)}) {
            const QRect dr = g.CellRect(celula.x(), celula.y());
            QVERIFY(!dr.isNull());
            QVERIFY(g.MouseToCell(dr.center(), c, r));
            QCOMPARE(QPoint(c, r), celula);
            QVERIFY(g.MouseToCell(dr.topLeft(), c, r));
            QCOMPARE(QPoint(c, r), celula);
        }
        // Past the last column: no cell, and both answers say so.
        g.SetLeftCol(5);
        const QRect ultima = g.CellRect(5, 21);
        QVERIFY(!ultima.isNull());
        QVERIFY(ultima.right() + 5 < g.viewport()->width());
        QVERIFY(!g.MouseToCell(QPoint(ultima.right() + 5, ultima.center().y()), c, r));
        QCOMPARE(QPoint(c, r), QPoint(-1, -1));
    }

    void hoverIntensitati()
    {
        TZelVirtualGrid g;
        g.SetTickuriManuale(true);
        g.resize(500, 300);
        Umple(g, 3, 4);
        const QColor fundal(255, 255, 255);
        for (int c = 0; c < 3; ++c)
            g.Coloane().Items(c)->Stil1().SetCuloareBackgroundNormal(fundal);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QRect r = g.CellRect(2, 3);
        const QPoint proba = r.center() + QPoint(r.width() / 2 - 6, 0);

        QTest::mouseMove(g.viewport(), r.center());
        QCOMPARE(g.IntensitateHover(2, 3), 10);
        QVERIFY(g.Ticaie());
        g.Tick(); // still under the mouse
        QCOMPARE(g.IntensitateHover(2, 3), 10);
        QCOMPARE(Pixel(g, proba), CuloareHover(fundal, 10));

        QTest::mouseMove(g.viewport(), g.CellRect(0, 1).center()); // a fixed column: nothing is hovered
        QCOMPARE(g.CeluleHover().size(), 1);
        for (int asteptat : {8, 6, 4, 2}) {
            g.Tick();
            QCOMPARE(g.IntensitateHover(2, 3), asteptat);
            QCOMPARE(Pixel(g, proba), CuloareHover(fundal, asteptat));
            QVERIFY(Pixel(g, proba) != fundal);
        }
        g.Tick();
        QCOMPARE(g.IntensitateHover(2, 3), 0);
        QVERIFY(g.CeluleHover().isEmpty());
        QVERIFY(!g.Ticaie());
        QCOMPARE(Pixel(g, proba), fundal);

        // The colour: (i-1)/10 of the way to the tint with red and green lowered by 20.
        const QColor tinta = CuloareHover(QColor(100, 150, 200), 11);
        QVERIFY(std::abs(tinta.red() - 80) <= 1);
        QVERIFY(std::abs(tinta.green() - 130) <= 1);
        QVERIFY(std::abs(tinta.blue() - 200) <= 1);
        QCOMPARE(CuloareHover(QColor(100, 150, 200), 1), QColor(100, 150, 200));
    }

    // Every fade step lies between the background and its tint, also for reddish colours
    // whose tint sits on the other side of hue 0.
    void culoareHoverIntreCapete_data()
    {
        QTest::addColumn<QColor>("fundal");
        QTest::newRow("alb") << QColor(255, 255, 255);
        QTest::newRow("roz") << QColor(255, 200, 200);
        QTest::newRow("rosu trandafiriu") << QColor(255, 150, 160);
        QTest::newRow("albastru") << QColor(100, 150, 200);
        QTest::newRow("verde deschis") << QColor(200, 255, 200);
        QTest::newRow("aproape negru") << QColor(10, 10, 10);
        QTest::newRow("antet") << QColor(207, 216, 247);
    }
    void culoareHoverIntreCapete()
    {
        QFETCH(QColor, fundal);
        const QColor tenta(std::max(0, fundal.red() - 20), std::max(0, fundal.green() - 20), fundal.blue());
        auto intre = [](int v, int a, int b) { return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2; };
        for (int i = 2; i <= 10; ++i) {
            const QColor c = CuloareHover(fundal, i);
            QVERIFY2(intre(c.red(), fundal.red(), tenta.red()) && intre(c.green(), fundal.green(), tenta.green()) &&
                         intre(c.blue(), fundal.blue(), tenta.blue()),
                     qPrintable(QStringLiteral("%1: %2").arg(i).arg(c.name())));
        }
    }

    void hoverPeLinie()
    {
        TZelVirtualGrid g;
        g.SetTickuriManuale(true);
        g.resize(600, 300);
        Umple(g, 4, 3);
        g.SetOptiuni(goSelectezLinia);
        g.MouseLaCelula(2, 2);
        QCOMPARE(g.CeluleHover().size(), 3);
        g.MouseLaCelula(3, 2); // same line: nothing fades
        g.Tick();
        for (int c = 1; c < 4; ++c)
            QCOMPARE(g.IntensitateHover(c, 2), 10);
        g.MouseLaCelula(1, 3);
        g.Tick();
        QCOMPARE(g.IntensitateHover(2, 2), 8);
        QCOMPARE(g.IntensitateHover(2, 3), 10);
    }

    void firulDeTickuri()
    {
        auto *g = new TZelVirtualGrid;
        g->resize(500, 300);
        Umple(*g, 3, 4);
        g->show();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        g->MouseLaCelula(1, 1);
        g->MouseLaCelula(-1, -1);
        QVERIFY(g->Ticaie());
        QTRY_VERIFY_WITH_TIMEOUT(g->CeluleHover().isEmpty(), 5000);
        QVERIFY(!g->Ticaie());
        // Hovering again while the thread is alive, then destroying the grid mid-fade.
        g->MouseLaCelula(2, 2);
        QTest::qWait(150);
        delete g;
        QTest::qWait(150);
    }

    void tasteEditor_data()
    {
        QTest::addColumn<int>("tasta");
        QTest::addColumn<int>("modificatori");
        QTest::addColumn<QString>("textAsteptat");
        QTest::addColumn<int>("cursor");
        QTest::newRow("keypad 0") << int(Qt::Key_0) << int(Qt::KeypadModifier) << "0" << 2;
        QTest::newRow("keypad 7") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << 2;
        QTest::newRow("cifra 5") << int(Qt::Key_5) << 0 << "5" << 2;
        QTest::newRow("litera") << int(Qt::Key_A) << 0 << "57" << 1;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "57" << 1;
    }
    void tasteEditor()
    {
        QFETCH(int, tasta);
        QFETCH(int, modificatori);
        QFETCH(QString, textAsteptat);
        QFETCH(int, cursor);
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        g.OnGetCellValue = [](TZelVirtualGridLine *, int, TZelValoareDate &v) { v.SetAsInteger(57); };
        for (int c = 0; c < 3; ++c)
            g.Coloane().Items(c)->SetTipDeDate(atInteger);
        QList<qint64> primite;
        g.OnSetCellValue = [&](TZelVirtualGridLine *l, int c, const TZelValoareDate &v) {
            QCOMPARE(Nr(l), 1);
            QCOMPARE(c, 2);
            primite << v.AsInteger();
        };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.FocusCell(2, 2));
        QTest::keyClick(&g, Qt::Key(tasta), Qt::KeyboardModifiers(modificatori));
        TZelVGridEditorForm *e = g.Editor();
        QVERIFY(e);
        QVERIFY(e->NumEdit());
        QVERIFY(!e->TextEdit());
        QCOMPARE(e->NumEdit()->Text(), textAsteptat);
        e->Activeaza();
        if (cursor == 1) {
            QCOMPARE(e->NumEdit()->LungimeSelectie(), int(textAsteptat.size()));
        } else {
            QCOMPARE(e->NumEdit()->PozitieCursor(), cursor);
            QCOMPARE(e->NumEdit()->LungimeSelectie(), 0);
        }
        QCOMPARE(e->ButonAccepta()->size(), QSize(24, 24));
        QVERIFY(e->width() >= g.ColWidths(2));
        QTest::keyClick(e->NumEdit(), Qt::Key_Return);
        QVERIFY(!g.Editor());
        QCOMPARE(primite, QList<qint64>{textAsteptat.toLongLong()});
    }

    void editorRefuzat()
    {
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        bool poate = true;
        g.OnPotEdita = [&](TZelVirtualGridLine *, int, bool &p) { p = poate; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));

        poate = false;
        QVERIFY(!g.DeschideEditorul(QString()));
        poate = true;
        // Without a value kind that can be edited.
        g.OnGetCellValue = [](TZelVirtualGridLine *, int, TZelValoareDate &v) { v.SetAsk(); };
        QVERIFY(!g.DeschideEditorul(QString()));
        Umple(g, 0, 0);
        // A column event that keeps the standard editor closed unless it says otherwise.
        bool standard = false;
        g.Coloane().Items(1)->OnApeleazaEditor = [&](TZelVirtualGridLine *, bool &f) { f = standard; };
        QVERIFY(!g.DeschideEditorul(QString()));
        standard = true;
        QVERIFY(g.DeschideEditorul(QString()));
        QVERIFY(g.Editor()->TextEdit());
        // Escape cancels: nothing is written, the grid has the focus back.
        bool scris = false;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &) { scris = true; };
        QTest::keyClick(g.Editor()->TextEdit(), Qt::Key_Escape);
        QVERIFY(!g.Editor());
        QVERIFY(!scris);
        QCOMPARE(g.IdPropunereAleasa(), -1);
        // Closed from outside (a click elsewhere ends the pop-up): a cancel too, and gone.
        QVERIFY(g.DeschideEditorul(QStringLiteral("x")));
        QPointer<TZelVGridEditorForm> e = g.Editor();
        QVERIFY(e->close());
        QVERIFY(!g.Editor());
        QVERIFY(!e->isVisible());
        QVERIFY(!scris);
        QTRY_VERIFY(!e);
        QVERIFY(g.DeschideEditorul(QString()));
        QVERIFY(g.Editor());
        g.Editor()->Renunta();
    }

    void editorTipNecunoscut_data()
    {
        QTest::addColumn<int>("tip");
        QTest::newRow("auto") << int(atAuto);
        QTest::newRow("ask") << int(atAsk);
    }
    void editorTipNecunoscut()
    {
        QFETCH(int, tip);
        TZelVirtualGrid g;
        Umple(g, 2, 1);
        TZelValoareDate v;
        if (tip == atAsk)
            v.SetAsk();
        QCOMPARE(MesajDin([&] { TZelVGridEditorForm e(&g, g.Linii().Items(0), 1, v, QString(), QRect(0, 0, 100, 24)); }),
                 QStringLiteral("Nu cunosc tipul"));
    }

    // The date picker shows the whole date even in a narrow column, selected, and gives
    // back the kind it was opened with.
    void editorData_data()
    {
        QTest::addColumn<int>("tip");
        QTest::newRow("zi si luna") << int(atDataScurtFaraAn);
        QTest::newRow("scurta") << int(atDataScurtCuAn);
        QTest::newRow("lunga") << int(atDataLung);
    }
    void editorData()
    {
        QFETCH(int, tip);
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        g.Coloane().Items(1)->SetWidth(50);
        const QDate d(2008, 5, 5);
        g.OnGetCellValue = [&](TZelVirtualGridLine *, int, TZelValoareDate &v) {
            if (tip == atDataScurtFaraAn)
                v.SetAsDataScurtFaraAn(d);
            else if (tip == atDataScurtCuAn)
                v.SetAsDataScurtCuAn(d);
            else
                v.SetAsDataLung(d);
        };
        TZelValoareDate primit;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &v) { primit = v; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.DeschideEditorul(QString()));
        QDateEdit *de = g.Editor()->DataEdit();
        QVERIFY(de);
        QVERIFY(de->width() >= de->sizeHint().width());
        QVERIFY(g.Editor()->width() >= g.ColWidths(1));
        QCOMPARE(g.Editor()->ButonAccepta()->x(), de->width());
        auto *le = de->findChild<QLineEdit *>();
        QVERIFY(le);
        QCOMPARE(le->selectedText(), le->text());
        de->setDate(QDate(2009, 3, 1));
        QTest::mouseClick(g.Editor()->ButonAccepta(), Qt::LeftButton);
        QVERIFY(!g.Editor());
        QCOMPARE(int(primit.Tip()), tip);
        QCOMPARE(primit.AsData(), QDate(2009, 3, 1));
    }

    void liniiGoliteCuEditorulDeschis()
    {
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        bool scris = false;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &) { scris = true; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.DeschideEditorul(QStringLiteral("a")));
        g.Linii().Clear();
        QVERIFY(!g.Editor());
        QVERIFY(!scris);
        QCOMPARE(g.RowCount(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void coloaneScoaseCuEditorulDeschis_data()
    {
        QTest::addColumn<int>("scoasa"); // -1: all of them
        QTest::newRow("the edited column") << 2;
        QTest::newRow("a column before it") << 1;
        QTest::newRow("all columns") << -1;
    }
    void coloaneScoaseCuEditorulDeschis()
    {
        QFETCH(int, scoasa);
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 4, 3);
        bool scris = false;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &) { scris = true; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.FocusCell(2, 1));
        QVERIFY(g.DeschideEditorul(QStringLiteral("a")));
        QPointer<TZelVGridEditorForm> e = g.Editor();
        if (scoasa < 0)
            g.Coloane().Clear();
        else
            g.Coloane().Delete(scoasa);
        // Its value would land in whatever column now has that number: it is cancelled.
        QVERIFY(!g.Editor());
        QVERIFY(!scris);
        QTRY_VERIFY(!e);
    }

    void eroriDinHandlere()
    {
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        g.OnPotEdita = [](TZelVirtualGridLine *, int, bool &) { throw EZel(QStringLiteral("Nu se poate aici")); };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QTest::keyClick(&g, Qt::Key_Return);
        QVERIFY(!g.Editor());
        QCOMPARE(Mesaje::Istoric().size(), 1);
        QCOMPARE(Mesaje::Istoric().first().text, QStringLiteral("Nu se poate aici"));

        g.OnPotEdita = {};
        g.OnSetCellValue = [](TZelVirtualGridLine *, int, const TZelValoareDate &) {
            throw EZel(QStringLiteral("Valoare respinsa"));
        };
        QVERIFY(g.DeschideEditorul(QStringLiteral("z")));
        QTest::keyClick(g.Editor()->TextEdit(), Qt::Key_Return);
        QVERIFY(!g.Editor());
        QCOMPARE(Mesaje::Istoric().last().text, QStringLiteral("Valoare respinsa"));
    }

    void editorPeTipuri()
    {
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        TZelValoareDate dat;
        g.OnGetCellValue = [&](TZelVirtualGridLine *, int, TZelValoareDate &v) { v = dat; };
        TZelValoareDate primit;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &v) { primit = v; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));

        dat.SetAsString(QStringLiteral("vechi"));
        QVERIFY(g.DeschideEditorul(QStringLiteral("n")));
        QCOMPARE(g.Editor()->TextEdit()->Text(), QStringLiteral("n"));
        QCOMPARE(g.Editor()->TextEdit()->PozitieCursor(), 2);
        QTest::keyClicks(g.Editor()->TextEdit(), QStringLiteral("ou"));
        QTest::mouseClick(g.Editor()->ButonAccepta(), Qt::LeftButton);
        QCOMPARE(primit.AsString(), QStringLiteral("nou"));

        dat.SetAsCurrency(123400);
        QVERIFY(g.DeschideEditorul(QString()));
        QCOMPARE(g.Editor()->NumEdit()->Text(), QStringLiteral("12,34"));
        g.Editor()->NumEdit()->SetText(QStringLiteral("7,5"));
        g.Editor()->Accepta();
        QCOMPARE(primit.AsCurrency(), qint64(75000));

        dat.SetAsIntegerDouaZecimale(705);
        QVERIFY(g.DeschideEditorul(QString()));
        QCOMPARE(g.Editor()->NumEdit()->Text(), QStringLiteral("7,05"));
        g.Editor()->Accepta();
        QCOMPARE(primit.AsIntegerDouaZecimale(), qint64(705));

        dat.SetAsDataScurtCuAn(QDate(2008, 5, 5));
        QVERIFY(g.DeschideEditorul(QStringLiteral("3")));
        QVERIFY(g.Editor()->DataEdit());
        QCOMPARE(g.Editor()->DataEdit()->date(), QDate(2008, 5, 5));
        g.Editor()->DataEdit()->setDate(QDate(2009, 3, 1));
        QTest::keyClick(g.Editor()->DataEdit(), Qt::Key_Return);
        QCOMPARE(primit.Tip(), atDataScurtCuAn);
        QCOMPARE(primit.AsDataScurtCuAn(), QDate(2009, 3, 1));
    }

    void cuvinteFiltru_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("cuvinte");
        QTest::newRow("simplu") << "Ion" << QStringList{"ion"};
        QTest::newRow("puncte scoase") << " I.o.n  " << QStringList{"ion"};
        QTest::newRow("separatori") << "pop-ion, 12/b" << QStringList{"pop", "ion", "12", "b"};
        QTest::newRow("diacritice") << "Şt. Ana" << QStringList{"t", "ana"};
        QTest::newRow("gol") << "  ,  " << QStringList{};
    }
    void cuvinteFiltru()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, cuvinte);
        QCOMPARE(TListaLiniiDeDateFiltrareCautare::CuvinteFiltru(text), cuvinte);
    }

    void filtruPropuneri()
    {
        TListaLiniiDeDateFiltrareCautare l;
        l.Add(1, {QStringLiteral("Popescu Ion"), QStringLiteral("Cluj")});
        l.Add(2, {QStringLiteral("Pop Ana"), QStringLiteral("Iasi")});
        l.Add(3, {QStringLiteral("Ionescu V."), QStringLiteral("Cluj-Napoca")});
        QCOMPARE(l.Items(2)->TextCautare(), QStringLiteral("ionescu v cluj-napoca"));
        QCOMPARE(l.Filtreaza(QStringLiteral("pop")), (QList<int>{0, 1}));
        QCOMPARE(l.Filtreaza(QStringLiteral("ion cluj")), (QList<int>{0, 2}));
        QCOMPARE(l.Filtreaza(QStringLiteral("cluj napoca")), (QList<int>{2}));
        QCOMPARE(l.Filtreaza(QStringLiteral("")), (QList<int>{0, 1, 2}));
        QCOMPARE(l.Filtreaza(QStringLiteral("zz")), (QList<int>{}));
    }

    void propuneriInEditor_data()
    {
        QTest::addColumn<bool>("strict");
        QTest::newRow("strict") << true;
        QTest::newRow("nestrict") << false;
    }
    void propuneriInEditor()
    {
        QFETCH(bool, strict);
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        QString mesaj;
        g.OnGetVarianteText = [&](TZelVirtualGridLine *, int, TListaLiniiDeDateFiltrareCautareLink &t, QString &m) {
            t.SeteazaColoane({QStringLiteral("Nume"), QStringLiteral("Oras")}, {150, 100});
            t.SetStrict(strict);
            t.Add(11, {QStringLiteral("Popescu Ion"), QStringLiteral("Cluj")});
            t.Add(12, {QStringLiteral("Pop Ana"), QStringLiteral("Iasi")});
            t.Add(13, {QStringLiteral("Ionescu V."), QStringLiteral("Cluj")});
            m = mesaj;
        };
        QStringList scrise;
        g.OnSetCellValue = [&](TZelVirtualGridLine *, int, const TZelValoareDate &v) { scrise << v.AsString(); };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));

        QVERIFY(g.DeschideEditorul(QString()));
        TZelVGridEditorForm *e = g.Editor();
        QVERIFY(e->PanouDeschis());
        QCOMPARE(e->ListaPropuneri()->height() + 2, 128);
        QVERIFY(e->width() >= 150 + 100 + 4 + 8);
        // Beside the buttons the window lets the grid show through; the panel is its own.
        const int dupaButoane = e->ButonRenunta()->geometry().right() + 3;
        QVERIFY(dupaButoane < e->width());
        QVERIFY(!e->mask().contains(QPoint(dupaButoane, 2)));
        QVERIFY(e->mask().contains(QPoint(dupaButoane, e->height() - 4)));
        QVERIFY(e->mask().contains(e->TextEdit()->geometry().center()));
        e->Activeaza();
        TZelTextEdit *t = e->TextEdit();
        t->SetText(QString());
        QTest::keyClicks(t, QStringLiteral("pop"));
        QCOMPARE(e->PropuneriAfisate(), (QList<int>{0, 1}));
        QCOMPARE(e->PropunereSelectata(), -1);
        if (strict) {
            e->Accepta(); // nothing selected: a strict list stays open
            QCOMPARE(g.Editor(), e);
        }
        QTest::keyClicks(t, QStringLiteral(" a"));
        QCOMPARE(e->PropuneriAfisate(), (QList<int>{1}));
        QCOMPARE(e->PropunereSelectata(), 1); // the only one is selected
        QCOMPARE(t->Text(), QStringLiteral("pop a"));
        QTest::keyClick(t, Qt::Key_Return);
        if (strict) {
            QVERIFY(!g.Editor());
            QCOMPARE(g.IdPropunereAleasa(), 12);
            QCOMPARE(scrise, QStringList{QStringLiteral("Pop Ana")});
        } else {
            // First accept copies the proposal, the next one closes.
            QCOMPARE(g.Editor(), e);
            QCOMPARE(t->Text(), QStringLiteral("Pop Ana"));
            QTest::keyClick(t, Qt::Key_Return);
            QVERIFY(!g.Editor());
            QCOMPARE(g.IdPropunereAleasa(), -1);
            QCOMPARE(scrise, QStringList{QStringLiteral("Pop Ana")});
        }

        // Nothing matches: the list hides and the note shows the default message.
        QVERIFY(g.DeschideEditorul(QStringLiteral("x")));
        e = g.Editor();
        QVERIFY(e->NotaVizibila());
        QCOMPARE(e->MesajNota(), QStringLiteral("Nu gasesc elementul cautat"));
        QVERIFY(e->ListaPropuneri()->isHidden());
        QTest::keyClick(e->TextEdit(), Qt::Key_Backspace);
        QVERIFY(!e->NotaVizibila());
        QCOMPARE(e->PropuneriAfisate().size(), 3);
        // Down moves to the list and selects its first line, which goes into the box.
        QTest::keyClick(e->TextEdit(), Qt::Key_Down);
        QCOMPARE(e->PropunereSelectata(), 0);
        QCOMPARE(e->TextEdit()->Text(), QStringLiteral("Popescu Ion"));
        QTest::keyClick(e->ListaPropuneri(), Qt::Key_Escape);
        QVERIFY(!g.Editor());

        mesaj = QStringLiteral("Alegeti din lista");
        QVERIFY(g.DeschideEditorul(QStringLiteral("qq")));
        QCOMPARE(g.Editor()->MesajNota(), mesaj);
        g.Editor()->Renunta();
    }
    // A handler that gives only a message: the note shows at once, typed text or not.
    void propuneriDoarMesaj_data()
    {
        QTest::addColumn<QString>("tastat");
        QTest::newRow("fara text") << QString();
        QTest::newRow("cu text") << QStringLiteral("b");
    }
    void propuneriDoarMesaj()
    {
        QFETCH(QString, tastat);
        TZelVirtualGrid g;
        g.resize(500, 300);
        Umple(g, 3, 3);
        g.OnGetVarianteText = [](TZelVirtualGridLine *, int, TListaLiniiDeDateFiltrareCautareLink &, QString &m) {
            m = QStringLiteral("Nu exista elevi");
        };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QVERIFY(g.DeschideEditorul(tastat));
        QVERIFY(g.Editor()->PanouDeschis());
        QVERIFY(g.Editor()->NotaVizibila());
        QCOMPARE(g.Editor()->MesajNota(), QStringLiteral("Nu exista elevi"));
        g.Editor()->Renunta();
    }

    void navigareSiCeluleVizibile()
    {
        TZelVirtualGrid g;
        g.resize(600, 400);
        int cerute = 0;
        g.BeginUpdate();
        for (int c = 0; c < 4; ++c)
            g.Coloane().Add();
        for (int i = 0; i < 100000; ++i)
            g.Linii().Add(new TLinieTest(i));
        g.EndUpdate();
        QList<int> liniiCerute;
        g.OnGetCellValue = [&](TZelVirtualGridLine *l, int, TZelValoareDate &v) {
            ++cerute;
            liniiCerute << Nr(l);
            v.SetAsString(QStringLiteral("x"));
        };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));

        // Refusing a move keeps the current cell.
        bool permis = false;
        QList<QPoint> intrebate;
        g.OnSelectCell = [&](TZelCustomGrid *, int c, int r, bool &poate) {
            intrebate << QPoint(c, r);
            poate = permis;
        };
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 1));
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(intrebate, QList<QPoint>{QPoint(1, 2)});
        QCOMPARE(g.Row(), 1);
        permis = true;
        QTest::keyClick(&g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(3, 100000));
        QVERIFY(g.TopRow() > 99000);
        QVERIFY(!g.CellRect(3, 100000).isNull());
        QVERIFY(g.CellRect(3, 100000).bottom() < g.viewport()->height());

        cerute = 0;
        liniiCerute.clear();
        g.viewport()->grab();
        const int vizibile = g.VisibleRowCount() * (g.ColCount() - 1) + g.VisibleRowCount();
        QVERIFY(cerute > 0);
        QVERIFY2(cerute <= vizibile, qPrintable(QString::number(cerute)));
        QVERIFY(*std::min_element(liniiCerute.begin(), liniiCerute.end()) >= g.TopRow() - 1);

        // A click on a data cell moves there; the header row is never current.
        permis = true;
        QTest::keyClick(&g, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 1));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(2, 3).center());
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(2, 3));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(2, 0).center() + QPoint(-10, 0));
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(2, 3));
    }

    // Dragging a column's edge in the header row changes only the shown width; the next
    // layout rebuild brings back the column's Width.
    void latimeTrasaCuMouseul()
    {
        TZelVirtualGrid g;
        g.resize(600, 300);
        Umple(g, 3, 4);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const int inainte = g.ColWidths(1);
        const QPoint margine(g.ColumnX(2) - 1, 20);
        QTest::mousePress(g.viewport(), Qt::LeftButton, {}, margine);
        QMouseEvent miscare(QEvent::MouseMove, QPointF(margine + QPoint(30, 0)),
                            g.viewport()->mapToGlobal(QPointF(margine + QPoint(30, 0))), Qt::NoButton, Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(g.viewport(), &miscare);
        QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, margine + QPoint(30, 0));
        QCOMPARE(g.ColWidths(1), inainte + 30);
        QCOMPARE(g.Coloane().Items(1)->Width(), 128);
        QCOMPARE(QPoint(g.Col(), g.Row()), QPoint(1, 1)); // a drag in the header selects nothing
        g.Linii().Add(new TLinieTest(9));
        QCOMPARE(g.ColWidths(1), inainte);
    }

    void evenimenteleGrilei()
    {
        TZelCustomDrawGrid g;
        g.resize(300, 200);
        g.SetColCount(6);
        g.SetRowCount(50);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        g.SetColWidths(2, 90);
        QList<QPoint> mutate;
        g.OnColumnMoved = [&](TZelCustomGrid *, int de, int la) { mutate << QPoint(de, la); };
        g.OnRowMoved = [&](TZelCustomGrid *, int de, int la) { mutate << QPoint(-de, -la); };
        int schimbari = 0;
        g.OnTopLeftChanged = [&](TZelCustomGrid *) { ++schimbari; };
        g.MoveColumn(2, 4);
        QCOMPARE(g.ColWidths(4), 90);
        g.MoveRow(3, 1);
        g.MoveColumn(1, 9); // outside: nothing
        QCOMPARE(mutate, (QList<QPoint>{QPoint(2, 4), QPoint(-3, -1)}));
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QWheelEvent roata(QPointF(50, 50), g.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(g.viewport(), &roata);
        QVERIFY(g.TopRow() > 1);
        QCOMPARE(schimbari, 1);
    }

    void imagini()
    {
        TZelVirtualGrid g;
        g.resize(500, 200);
        Umple(g, 3, 2);
        QPixmap rosu(10, 10), albastru(10, 10);
        rosu.fill(Qt::red);
        albastru.fill(Qt::blue);
        g.SetListaDeImagini({rosu, albastru});
        g.OnGetImageIndex = [](TZelVirtualGridLine *, int c, int &i) { i = c == 1 ? 0 : -1; };
        g.Coloane().Items(2)->OnGetImageIndex = [](TZelVirtualGridLine *, int, int &i) { i = 1; };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QRect r1 = g.CellRect(1, 2), r2 = g.CellRect(2, 2);
        QCOMPARE(Pixel(g, QPoint(r1.left() + 6, r1.center().y())), QColor(Qt::red));
        QCOMPARE(Pixel(g, QPoint(r2.left() + 6, r2.center().y())), QColor(Qt::blue));
    }

    void panouDeasupraLaMargineaEcranului()
    {
        TZelVirtualGrid g;
        g.resize(400, 150);
        Umple(g, 2, 3);
        g.OnGetVarianteText = [](TZelVirtualGridLine *, int, TListaLiniiDeDateFiltrareCautareLink &t, QString &) {
            t.Add(1, {QStringLiteral("Unu")});
        };
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        const QRect ecran = QGuiApplication::primaryScreen()->availableVirtualGeometry();
        g.window()->move(ecran.left() + 10, ecran.bottom() - 140);
        QTest::qWait(20);
        QVERIFY(g.FocusCell(1, 3));
        QVERIFY(g.DeschideEditorul(QString()));
        TZelVGridEditorForm *e = g.Editor();
        QVERIFY(e->PanouDeschis());
        QVERIFY(e->PanouDeasupra());
        QVERIFY(e->geometry().bottom() <= ecran.bottom());
        QCOMPARE(e->TextEdit()->y(), 128);
        e->Renunta();
        g.window()->move(ecran.left() + 10, ecran.top() + 10);
        QTest::qWait(20);
        QVERIFY(g.DeschideEditorul(QString()));
        QVERIFY(!g.Editor()->PanouDeasupra());
        QCOMPARE(g.Editor()->TextEdit()->y(), 0);
        g.Editor()->Renunta();
    }
};

QTEST_MAIN(TstGrid)
#include "tst_grid.moc"
