#include "form/ResurseExterne.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"
#include "text/Mesaje.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QString MesajIndicativ = QStringLiteral(
    "Indicativul pentru resursa externa trebuie sa fie format din numele fisierului + \":\" + numele resursei!");
const QString MesajTip = QStringLiteral("Resursa exista dar nu este de tip BMP, JPG sau PNG!");

QByteArray Codat(const QImage &imagine, const char *format)
{
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    if (!imagine.save(&buf, format))
        qFatal("cannot encode %s", format);
    return b;
}

// A 3 x 2 picture: opaque red with a fully transparent top-left pixel.
QImage ImagineMica()
{
    QImage i(3, 2, QImage::Format_ARGB32);
    i.fill(qRgba(255, 0, 0, 255));
    i.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return i;
}

void Scrie(const QString &cale, const QByteArray &octeti)
{
    QFile f(cale);
    if (!f.open(QIODevice::WriteOnly) || f.write(octeti) != octeti.size())
        qFatal("cannot write %s", qPrintable(cale));
}

QString Eroarea(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EZel &e) {
        return e.Mesaj();
    }
    return QString();
}

} // namespace

class TstResurse : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;
    QTemporaryDir m_altundeva;
    QTemporaryDir m_curent; // the current folder: empty, so a name as written is never found there
    QString m_cwd;
    QString m_lx;
    QString m_comun;
    QString m_absolut;
    QString m_lxAltundeva;
    QString m_ambeleProgram;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_program.isValid() && m_altundeva.isValid() && m_curent.isValid());
        RedirectioneazaFolderulProgramului(m_program.path());
        // Run from the program's own folder, "LX.re" as written would be the shipped one.
        m_cwd = QDir::currentPath();
        QDir::setCurrent(m_curent.path());
        // Beside the program: LX.re. In its ER folder only: Comun.re. Elsewhere: Alt.re.
        m_lx = CaleInFolder(m_program.path(), QStringLiteral("LX.re"));
        Scrie(m_lx, CompuneFisierResurse({
                        {QStringLiteral("Splash"), ResursaPNG, QByteArray("date splash")},
                        {QStringLiteral(" Cu blancuri "), ResursaPNG, QByteArray("date blancuri")},
                        {QStringLiteral("Diplomă"), ResursaPNG, QByteArray("date diploma")},
                        {QStringLiteral("Gol"), ResursaPNG, QByteArray()},
                    }));
        QVERIFY(QDir(m_program.path()).mkdir(QStringLiteral("ER")));
        m_comun = CaleInFolder(CaleInFolder(m_program.path(), QStringLiteral("ER")), QStringLiteral("Comun.re"));
        Scrie(m_comun, CompuneFisierResurse({
                           {QStringLiteral("Warning"), ResursaPNG, QByteArray("date warning")},
                           {QStringLiteral("About"), ResursaPNG, QByteArray("primul about")},
                           {QStringLiteral("ABOUT"), ResursaBMP, QByteArray("al doilea about")},
                       }));
        m_absolut = CaleInFolder(m_altundeva.path(), QStringLiteral("Alt.re"));
        Scrie(m_absolut, CompuneFisierResurse({{QStringLiteral("X"), 4, QByteArray("x")}}));
        // Same names in two places, to see which one wins.
        m_lxAltundeva = CaleInFolder(m_altundeva.path(), QStringLiteral("LX.re"));
        Scrie(m_lxAltundeva, CompuneFisierResurse({{QStringLiteral("Splash"), ResursaPNG, QByteArray("alt splash")}}));
        m_ambeleProgram = CaleInFolder(m_program.path(), QStringLiteral("Ambele.re"));
        Scrie(m_ambeleProgram, CompuneFisierResurse({{QStringLiteral("R"), ResursaPNG, QByteArray("din program")}}));
        Scrie(CaleInFolder(CaleInFolder(m_program.path(), QStringLiteral("ER")), QStringLiteral("Ambele.re")),
              CompuneFisierResurse({{QStringLiteral("R"), ResursaPNG, QByteArray("din ER")}}));
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(m_cwd);
        RedirectioneazaFolderulProgramului(QString());
    }

    void writer_layout()
    {
        const QByteArray f = CompuneFisierResurse({{QStringLiteral("Ab"), ResursaJPEG, QByteArray("xyz")},
                                                  {QString(), 9, QByteArray("q")}});
        QCOMPARE(f.size(), 4 + 2 * 138 + 4);
        QCOMPARE(qFromLittleEndian<int32_t>(f.constData()), 2);
        QCOMPARE(int(f.at(4)), 2);
        QCOMPARE(f.mid(5, 2), QByteArray("Ab"));
        QCOMPARE(f.mid(7, 126), QByteArray(126, '\0'));
        QCOMPARE(qFromLittleEndian<int32_t>(f.constData() + 4 + 129), 3);
        QCOMPARE(qFromLittleEndian<int32_t>(f.constData() + 4 + 133), 4 + 2 * 138);
        QCOMPARE(int(f.at(4 + 137)), int(ResursaJPEG));
        QCOMPARE(int(f.at(4 + 138)), 0);
        QCOMPARE(qFromLittleEndian<int32_t>(f.constData() + 4 + 138 + 133), 4 + 2 * 138 + 3);
        QCOMPARE(int(f.at(4 + 138 + 137)), 9);
        QCOMPARE(f.right(4), QByteArray("xyzq"));
    }

    void writer_refusesLongName()
    {
        QVERIFY(Eroarea([] { CompuneFisierResurse({{QString(128, QLatin1Char('a')), 3, {}}}); }).isEmpty());
        QVERIFY(!Eroarea([] { CompuneFisierResurse({{QString(129, QLatin1Char('a')), 3, {}}}); }).isEmpty());
        QVERIFY(!Eroarea([] { CompuneFisierResurse({{QStringLiteral("\u4E2D"), 3, {}}}); }).isEmpty());
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("indicativ");
        QTest::addColumn<QByteArray>("date");  // expected data when found
        QTest::addColumn<QString>("fisier");   // the file it was read from
        QTest::addColumn<QString>("eroare");   // expected message when it fails

        const QString lipsaLX = QStringLiteral("Nu am gasit resursa \"%1\" in fisierul\r\n%2");
        QTest::newRow("beside the program") << "LX.re:Splash" << QByteArray("date splash") << m_lx << QString();
        QTest::newRow("absolute Windows path elsewhere")
            << "C:\\Program Files\\Lauridex\\LX.re:Splash" << QByteArray("date splash") << m_lx << QString();
        QTest::newRow("absolute path elsewhere")
            << "/nu/exista/nicaieri/LX.re:Splash" << QByteArray("date splash") << m_lx << QString();
        QTest::newRow("name with blanks, other case")
            << "LX.re:  splash  " << QByteArray("date splash") << m_lx << QString();
        QTest::newRow("file with blanks") << "  LX.re :Splash" << QByteArray("date splash") << m_lx << QString();
        QTest::newRow("entry name with blanks") << "LX.re:cu blancuri" << QByteArray("date blancuri") << m_lx << QString();
        QTest::newRow("Windows-1250 name, other case")
            << QStringLiteral("LX.re:DIPLOMĂ") << QByteArray("date diploma") << m_lx << QString();
        QTest::newRow("empty resource") << "LX.re:Gol" << QByteArray("") << m_lx << QString();
        QTest::newRow("ER folder") << "Comun.re:Warning" << QByteArray("date warning") << m_comun << QString();
        QTest::newRow("first of two equal names")
            << "Comun.re:about" << QByteArray("primul about") << m_comun << QString();
        QTest::newRow("as written wins over beside the program")
            << QStringLiteral("%1:Splash").arg(m_lxAltundeva) << QByteArray("alt splash") << m_lxAltundeva << QString();
        QTest::newRow("beside the program wins over the ER folder")
            << "Ambele.re:R" << QByteArray("din program") << m_ambeleProgram << QString();
        QTest::newRow("file as written") << QStringLiteral("%1:x").arg(m_absolut) << QByteArray("x") << m_absolut
                                         << QString();

        QTest::newRow("no such resource")
            << "LX.re: Lipsa " << QByteArray() << QString() << lipsaLX.arg(QStringLiteral("Lipsa"), m_lx);
        QTest::newRow("empty resource name")
            << "LX.re:" << QByteArray() << QString() << lipsaLX.arg(QString(), m_lx);
        QTest::newRow("no such file") << "Nimic.re:Splash" << QByteArray() << QString()
                                      << "NU gasesc resursa externa Nimic.re";
        QTest::newRow("no such file, Windows path") << "D:\\date\\Nimic.re:Splash" << QByteArray() << QString()
                                                    << "NU gasesc resursa externa Nimic.re";
        QTest::newRow("colon at third character") << "ab:Splash" << QByteArray() << QString()
                                                  << "NU gasesc resursa externa ab";
        QTest::newRow("last colon counts") << "LX.re:Splash:" << QByteArray() << QString()
                                           << "NU gasesc resursa externa LX.re:Splash";
        QTest::newRow("blank file part") << "   :Splash" << QByteArray() << QString()
                                         << "NU gasesc resursa externa ";
        QTest::newRow("no colon") << "LX.re" << QByteArray() << QString() << MesajIndicativ;
        QTest::newRow("empty") << "" << QByteArray() << QString() << MesajIndicativ;
        QTest::newRow("colon first") << ":Splash" << QByteArray() << QString() << MesajIndicativ;
        QTest::newRow("colon second") << "L:Splash" << QByteArray() << QString() << MesajIndicativ;
    }
    void lookup()
    {
        QFETCH(QString, indicativ);
        QFETCH(QByteArray, date);
        QFETCH(QString, fisier);
        QFETCH(QString, eroare);
        TResursaExterna r;
        const QString mesaj = Eroarea([&] { r = CitesteResursaExterna(indicativ); });
        QCOMPARE(mesaj, eroare);
        if (!eroare.isEmpty())
            return;
        QCOMPARE(r.date, date);
        QCOMPARE(QFileInfo(r.fisier).canonicalFilePath(), QFileInfo(fisier).canonicalFilePath());
    }

    void lookup_keepsKind()
    {
        QCOMPARE(CitesteResursaExterna(QStringLiteral("Comun.re:About")).tip, int(ResursaPNG));
        QCOMPARE(CitesteResursaExterna(m_absolut + QStringLiteral(":X")).tip, 4);
    }

    void brokenFile_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<QString>("eroare");

        const QByteArray bun = CompuneFisierResurse({{QStringLiteral("R"), ResursaPNG, QByteArray("12345")},
                                                     {QStringLiteral("S"), ResursaPNG, QByteArray("6")}});
        auto cuInt = [&](int deplasare, int32_t valoare) {
            QByteArray b = bun;
            qToLittleEndian<int32_t>(valoare, b.data() + deplasare);
            return b;
        };
        const QString citire = QStringLiteral("Stream read error");
        const QString negasit = QStringLiteral("Nu am gasit resursa \"R\" in fisierul\r\n%1");
        QTest::newRow("shorter than the count") << QByteArray("\x01\x00", 2) << citire;
        QTest::newRow("empty file") << QByteArray() << citire;
        QTest::newRow("directory cut short") << bun.left(4 + 138 + 50) << citire;
        QTest::newRow("count larger than the file") << cuInt(0, 0x7FFFFFFF) << citire;
        QTest::newRow("data cut short") << bun.left(bun.size() - 3) << citire;
        QTest::newRow("position past the end") << cuInt(4 + 133, 100000) << citire;
        QTest::newRow("negative position") << cuInt(4 + 133, -1) << citire;
        QTest::newRow("negative size") << cuInt(4 + 129, -5) << citire;
        QTest::newRow("size past the end") << cuInt(4 + 129, 0x7FFFFFF0) << citire;
        QTest::newRow("negative count") << cuInt(0, -3) << negasit;
        QTest::newRow("zero count") << cuInt(0, 0) << negasit;
    }
    void brokenFile()
    {
        QFETCH(QByteArray, octeti);
        QFETCH(QString, eroare);
        const QString cale = CaleInFolder(m_altundeva.path(), QStringLiteral("Stricat.re"));
        Scrie(cale, octeti);
        QCOMPARE(Eroarea([&] { CitesteResursaExterna(cale + QStringLiteral(":R")); }),
                 eroare.contains(QLatin1String("%1")) ? eroare.arg(cale) : eroare);
    }

    void overlongNameLength_isCappedAtTheNameField()
    {
        QByteArray f = CompuneFisierResurse({{QString(128, QLatin1Char('n')), ResursaPNG, QByteArray("d")}});
        f[4] = char(200);
        const QString cale = CaleInFolder(m_altundeva.path(), QStringLiteral("Lung.re"));
        Scrie(cale, f);
        QCOMPARE(CitesteResursaExterna(cale + QLatin1Char(':') + QString(128, QLatin1Char('N'))).date, QByteArray("d"));
    }

    void decode_data()
    {
        QTest::addColumn<int>("tip");
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<QSize>("marime"); // invalid: no picture
        QTest::addColumn<QString>("eroare");
        QImage opac(4, 3, QImage::Format_RGB32);
        opac.fill(Qt::blue);
        QTest::newRow("PNG") << int(ResursaPNG) << Codat(ImagineMica(), "PNG") << QSize(3, 2) << QString();
        QTest::newRow("BMP") << int(ResursaBMP) << Codat(opac, "BMP") << QSize(4, 3) << QString();
        QTest::newRow("JPEG") << int(ResursaJPEG) << Codat(opac, "JPEG") << QSize(4, 3) << QString();
        QTest::newRow("PNG bytes marked BMP") << int(ResursaBMP) << Codat(ImagineMica(), "PNG") << QSize() << QString();
        QTest::newRow("garbage PNG") << int(ResursaPNG) << QByteArray("\x89PNG nu chiar") << QSize() << QString();
        QTest::newRow("kind 0") << 0 << Codat(ImagineMica(), "PNG") << QSize() << MesajTip;
        QTest::newRow("kind 4") << 4 << Codat(ImagineMica(), "PNG") << QSize() << MesajTip;
        QTest::newRow("kind 255") << 255 << QByteArray() << QSize() << MesajTip;
    }
    void decode()
    {
        QFETCH(int, tip);
        QFETCH(QByteArray, octeti);
        QFETCH(QSize, marime);
        QFETCH(QString, eroare);
        TResursaExterna r;
        r.tip = tip;
        r.date = octeti;
        QImage i;
        QCOMPARE(Eroarea([&] { i = DecodeazaImagineResursa(r); }), eroare);
        QCOMPARE(i.isNull(), !marime.isValid());
        if (marime.isValid())
            QCOMPARE(i.size(), marime);
    }

    void indicativER_data()
    {
        QTest::addColumn<QString>("indicativ");
        QTest::addColumn<bool>("incarcata");
        QTest::newRow("beside the program") << "Poze.re:Mica" << true;
        QTest::newRow("absolute path elsewhere") << "/nu/exista/Poze.re: mica " << true;
        QTest::newRow("Windows path elsewhere") << "C:\\Lauridex\\Poze.re:Mica" << true;
        QTest::newRow("file as written") << QStringLiteral("%1:Mica").arg(CaleInFolder(m_altundeva.path(), QStringLiteral("Poze.re"))) << true;
        // The existence check looks beside the program only, never in the ER folder.
        QTest::newRow("only in the ER folder") << "PozeER.re:Mica" << false;
        QTest::newRow("no colon") << "Poze.re" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("no such resource") << "Poze.re:Lipsa" << false;
        QTest::newRow("no such file") << "Nimic.re:Mica" << false;
        QTest::newRow("kind 4") << "Poze.re:Tip4" << false;
        QTest::newRow("undecodable") << "Poze.re:Stricata" << false;
    }
    void indicativER()
    {
        QFETCH(QString, indicativ);
        QFETCH(bool, incarcata);
        const QByteArray fisier = CompuneFisierResurse({
            {QStringLiteral("Mica"), ResursaPNG, Codat(ImagineMica(), "PNG")},
            {QStringLiteral("Tip4"), 4, Codat(ImagineMica(), "PNG")},
            {QStringLiteral("Stricata"), ResursaPNG, QByteArray("nu e png")},
            {QStringLiteral("Alta"), ResursaPNG, Codat(QImage(7, 5, QImage::Format_ARGB32), "PNG")},
        });
        Scrie(CaleInFolder(m_program.path(), QStringLiteral("Poze.re")), fisier);
        Scrie(CaleInFolder(m_altundeva.path(), QStringLiteral("Poze.re")), fisier);
        Scrie(CaleInFolder(CaleInFolder(m_program.path(), QStringLiteral("ER")), QStringLiteral("PozeER.re")), fisier);
        Mesaje::GolesteIstoric();

        TERImage imagine;
        QCOMPARE(imagine.size(), QSize(105, 105));
        imagine.SetIndicativER(QStringLiteral("Poze.re:Alta")); // a previous picture is replaced either way
        QCOMPARE(imagine.Imagine().size(), QSize(7, 5));
        imagine.SetIndicativER(indicativ);
        QCOMPARE(imagine.IndicativER(), indicativ);
        QCOMPARE(imagine.Imagine().isNull(), !incarcata);
        if (incarcata) {
            QCOMPARE(imagine.Imagine().size(), QSize(3, 2));
            QCOMPARE(qAlpha(imagine.Imagine().pixel(0, 0)), 0);
        }
        QVERIFY(Mesaje::Istoric().isEmpty());
    }

    void drawingRectangle_data()
    {
        QTest::addColumn<QSize>("imagine");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("proportional");
        QTest::addColumn<bool>("center");
        QTest::addColumn<QRect>("asteptat");
        QTest::newRow("plain") << QSize(50, 30) << QSize(100, 100) << false << false << false << QRect(0, 0, 50, 30);
        QTest::newRow("centred") << QSize(50, 30) << QSize(100, 100) << false << false << true << QRect(25, 35, 50, 30);
        QTest::newRow("centred, odd gap") << QSize(50, 31) << QSize(101, 100) << false << false << true << QRect(25, 34, 50, 31);
        QTest::newRow("larger, centred") << QSize(151, 30) << QSize(100, 100) << false << false << true << QRect(-25, 35, 151, 30);
        QTest::newRow("stretched") << QSize(50, 30) << QSize(100, 80) << true << false << false << QRect(0, 0, 100, 80);
        QTest::newRow("proportional, smaller") << QSize(50, 30) << QSize(100, 100) << false << true << false << QRect(0, 0, 50, 30);
        QTest::newRow("proportional, wide") << QSize(200, 100) << QSize(100, 100) << false << true << false << QRect(0, 0, 100, 50);
        QTest::newRow("proportional, wide, centred") << QSize(200, 100) << QSize(100, 100) << false << true << true << QRect(0, 25, 100, 50);
        QTest::newRow("proportional, wide, height bound") << QSize(300, 200) << QSize(100, 50) << false << true << false << QRect(0, 0, 75, 50);
        QTest::newRow("proportional, tall") << QSize(100, 300) << QSize(100, 100) << false << true << false << QRect(0, 0, 33, 100);
        QTest::newRow("proportional, tall, width bound") << QSize(100, 200) << QSize(40, 100) << false << true << false << QRect(0, 0, 40, 80);
        QTest::newRow("proportional, square") << QSize(100, 100) << QSize(50, 80) << false << true << true << QRect(0, 15, 50, 50);
        QTest::newRow("proportional, one side larger") << QSize(120, 30) << QSize(100, 100) << false << true << false << QRect(0, 0, 100, 25);
        QTest::newRow("stretched proportional enlarges") << QSize(30, 10) << QSize(100, 100) << true << true << false << QRect(0, 0, 100, 33);
        QTest::newRow("stretched proportional, empty picture") << QSize(0, 0) << QSize(100, 80) << true << true << false << QRect(0, 0, 100, 80);
        QTest::newRow("proportional, zero height") << QSize(200, 0) << QSize(100, 80) << false << true << false << QRect(0, 0, 100, 80);
    }
    void drawingRectangle()
    {
        QFETCH(QSize, imagine);
        QFETCH(QSize, client);
        QFETCH(bool, stretch);
        QFETCH(bool, proportional);
        QFETCH(bool, center);
        QFETCH(QRect, asteptat);
        QCOMPARE(DreptunghiDesenare(imagine, client, stretch, proportional, center), asteptat);
    }

    void control_drawsWhereTheRuleSays()
    {
        QImage i(4, 2, QImage::Format_ARGB32);
        i.fill(qRgb(255, 0, 0));
        TERImage c;
        c.resize(40, 40);
        c.SeteazaImagine(i);
        c.SetStretch(true);
        c.SetProportional(true);
        c.SetCenter(true);
        QCOMPARE(c.DreptunghiDesenare(), QRect(0, 10, 40, 20));
        QImage ecran(40, 40, QImage::Format_ARGB32);
        ecran.fill(Qt::transparent);
        c.render(&ecran, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(qAlpha(ecran.pixel(20, 5)), 0);
        QCOMPARE(ecran.pixel(20, 20), qRgb(255, 0, 0));
        QCOMPARE(ecran.pixel(1, 28), qRgb(255, 0, 0));
        QCOMPARE(qAlpha(ecran.pixel(20, 34)), 0);

        c.SetAutoSize(true);
        QCOMPARE(c.size(), QSize(4, 2));
    }

    void control_flagChangeReappliesAutoSize_data()
    {
        QTest::addColumn<QByteArray>("proprietate");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<QSize>("asteptat");
        for (const char *p : {"Center", "Proportional", "Stretch", "Transparent"}) {
            QTest::addRow("%s, AutoSize", p) << QByteArray(p) << true << QSize(4, 2);
            QTest::addRow("%s, no AutoSize", p) << QByteArray(p) << false << QSize(50, 40);
        }
    }
    void control_flagChangeReappliesAutoSize()
    {
        QFETCH(QByteArray, proprietate);
        QFETCH(bool, autoSize);
        QFETCH(QSize, asteptat);
        QImage i(4, 2, QImage::Format_RGB32);
        i.fill(Qt::green);
        TERImage c;
        c.SeteazaImagine(i);
        c.SetAutoSize(autoSize);
        c.resize(50, 40);
        QVERIFY(c.setProperty(proprietate.constData(), true));
        QCOMPARE(c.size(), asteptat);
    }

    void control_transparentBitmapUsesBottomLeftColour()
    {
        QImage i(2, 2, QImage::Format_RGB32);
        i.fill(qRgb(0, 0, 255));
        i.setPixel(0, 1, qRgb(255, 255, 255));
        i.setPixel(1, 0, qRgb(255, 255, 255));
        TResursaExterna r;
        r.tip = ResursaBMP;
        r.date = Codat(i, "BMP");
        TERImage c;
        c.resize(2, 2);
        c.SeteazaImagine(DecodeazaImagineResursa(r));
        auto deseneaza = [&] {
            QImage ecran(2, 2, QImage::Format_ARGB32);
            ecran.fill(Qt::transparent);
            c.render(&ecran, QPoint(), QRegion(), QWidget::DrawChildren);
            return ecran;
        };
        QCOMPARE(deseneaza().pixel(1, 0), qRgb(255, 255, 255));
        c.SetTransparent(true);
        const QImage t = deseneaza();
        QCOMPARE(qAlpha(t.pixel(1, 0)), 0);
        QCOMPARE(qAlpha(t.pixel(0, 1)), 0);
        QCOMPARE(t.pixel(0, 0), qRgb(0, 0, 255));
    }
};

QTEST_MAIN(TstResurse)
#include "tst_resurse.moc"
