// The adjustments list and its "licenta.lic" file, and how an adjustment changes the
// style an area draws and prints with.
#include "device/DispozitivInregistrare.h"
#include "form/FontFormular.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "form/Particularizari.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"
#include "text/FolderProgram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {
QByteArray Citeste(const QString &cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Scrie(const QString &cale, const QByteArray &b)
{
    QFile f(cale);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

// A record in an older format, written field by field.
QByteArray Inregistrare(int format, const QString &form, const QString &area, int shiftX,
                        const QString &text = QString())
{
    TScriitorValori w;
    w.ScrieIntreg(format);
    w.ScrieText(form);
    w.ScrieText(area);
    w.ScrieIntreg(0);
    w.ScrieIntreg(shiftX);
    w.ScrieIntreg(0);
    w.ScrieText(QString());
    if (format >= 1)
        w.ScrieText(text);
    if (format >= 2) {
        w.ScrieIntreg(0);
        w.ScrieIntreg(0);
        w.ScrieText(QString());
    }
    return w.Date();
}

QByteArray Antet(int format, int n)
{
    TScriitorValori w;
    w.ScrieIntreg(format);
    w.ScrieIntreg(n);
    return w.Date();
}
} // namespace

class TstParticularizari : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString Fisier() const { return CaleInFolder(m_dir.path(), QStringLiteral("licenta.lic")); }

private Q_SLOTS:
    void init()
    {
        RedirectioneazaFolderulProgramului(m_dir.path());
        QFile::remove(Fisier());
        TListaParticularizareTextArea::UitaLista();
    }
    void cleanup()
    {
        TListaParticularizareTextArea::UitaLista();
        RedirectioneazaFolderulProgramului(QString());
    }

    void listaGoala()
    {
        TListaParticularizareTextArea l(Fisier());
        l.Save();
        QCOMPARE(Citeste(Fisier()), QByteArray::fromHex("02000200"));
    }

    void octetiiUneiInregistrari()
    {
        TListaParticularizareTextArea &l = TListaParticularizareTextArea::Lista();
        QCOMPARE(l.Fisier(), Fisier());
        TParticularizareTextArea *p = l.Lookup(QStringLiteral("PrintLauridex"), QStringLiteral("FormularTextArea36"), true);
        // Created and saved at once.
        QCOMPARE(Citeste(Fisier()).size(), 4 + 2 + 15 + 20 + 3 * 2 + 2 + 2 + 2 * 2 + 2);
        p->ShiftX = -1;
        p->TextOverride = QStringLiteral("Şcoala");
        l.Save();
        QByteArray asteptat = QByteArray::fromHex("02000201") + QByteArray::fromHex("0202");
        asteptat += QByteArray::fromHex("060D") + QByteArray("PrintLauridex");
        asteptat += QByteArray::fromHex("0612") + QByteArray("FormularTextArea36");
        asteptat += QByteArray::fromHex("0200"); // alignment
        asteptat += QByteArray::fromHex("02FF"); // ShiftX -1
        asteptat += QByteArray::fromHex("0200"); // ShiftY
        asteptat += QByteArray::fromHex("0600"); // font component
        asteptat += QByteArray::fromHex("0606") + QByteArray("\xAA" "coala");
        asteptat += QByteArray::fromHex("0200" "0200" "0600");
        QCOMPARE(Citeste(Fisier()), asteptat);
    }

    void formatVechiRescrisInFormatul2_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("format 0") << 0;
        QTest::newRow("format 1") << 1;
    }
    void formatVechiRescrisInFormatul2()
    {
        QFETCH(int, format);
        Scrie(Fisier(), Antet(0, 1) + Inregistrare(format, QStringLiteral("F"), QStringLiteral("A"), 1,
                                                    QStringLiteral("vechi")));
        {
            TListaParticularizareTextArea l(Fisier());
            QCOMPARE(l.Count(), 1);
            QCOMPARE(l[0].ShiftX, 1);
            QCOMPARE(l[0].TextOverride, format >= 1 ? QStringLiteral("vechi") : QString());
            QCOMPARE(l[0].ItalicOverride, 0);
            QCOMPARE(l[0].BoldOverride, 0);
            QVERIFY(l[0].FaceOverride.isEmpty());
        } // destroying the list saves it
        QCOMPARE(Citeste(Fisier()), Antet(0, 1) + Inregistrare(2, QStringLiteral("F"), QStringLiteral("A"), 1,
                                                              format >= 1 ? QStringLiteral("vechi") : QString()));
    }

    void ultimaInregistrareEgalaCastiga()
    {
        Scrie(Fisier(), Antet(0, 2) + Inregistrare(2, QStringLiteral("F"), QStringLiteral("A"), -1)
                            + Inregistrare(2, QStringLiteral("F"), QStringLiteral("A"), 1));
        TListaParticularizareTextArea &l = TListaParticularizareTextArea::Lista();
        QCOMPARE(l.Lookup(QStringLiteral("F"), QStringLiteral("A"), false)->ShiftX, 1);
        // Names compare exactly.
        QVERIFY(!l.Lookup(QStringLiteral("f"), QStringLiteral("A"), false));
        QVERIFY(!l.Lookup(QStringLiteral("F"), QStringLiteral("A "), false));
        QCOMPARE(l.Count(), 2);
    }

    void fisierStricat_data()
    {
        QTest::addColumn<QByteArray>("octeti");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("list format 1") << Antet(1, 0) << QStringLiteral("Invalid format");
        QTest::newRow("record format 3") << Antet(0, 1) + Inregistrare(3, QStringLiteral("F"), QStringLiteral("A"), 0)
                                         << QStringLiteral("Invalid format");
        QTest::newRow("truncated") << (Antet(0, 1) + Inregistrare(2, QStringLiteral("F"), QStringLiteral("A"), 0)).chopped(1)
                                   << QStringLiteral("Stream read error");
        QTest::newRow("wrong tag") << QByteArray::fromHex("0600") << QStringLiteral("Invalid property value");
        QTest::newRow("more records than data") << Antet(0, 5) << QStringLiteral("Stream read error");
    }
    void fisierStricat()
    {
        QFETCH(QByteArray, octeti);
        QFETCH(QString, mesaj);
        Scrie(Fisier(), octeti);
        try {
            TListaParticularizareTextArea::Lista();
            QFAIL("no error");
        } catch (const EZel &e) {
            QCOMPARE(e.Mesaj(), mesaj);
        }
        QCOMPARE(Citeste(Fisier()), octeti); // the damaged file is left for repair, not overwritten
        // Once the file is removed the list comes up empty.
        QFile::remove(Fisier());
        QCOMPARE(TListaParticularizareTextArea::Lista().Count(), 0);
    }

    void salvareAtomicaInFolderNescriibil()
    {
        TListaParticularizareTextArea l(CaleInFolder(m_dir.path(), QStringLiteral("nu/exista/licenta.lic")));
        QVERIFY_THROWS_EXCEPTION(EZel, l.Lookup(QStringLiteral("F"), QStringLiteral("A"), true));
    }

    void fontulRezolvatLaProprietar()
    {
        QWidget fereastra;
        fereastra.setObjectName(QStringLiteral("PrintLauridex"));
        TFontFormular stanga(&fereastra, QStringLiteral("Stanga"));
        TFontFormular mare(&fereastra, QStringLiteral("Mare"));
        mare.SetSize(6);
        TFormularDePrintat pagina(&fereastra);
        pagina.SetProprietar(&fereastra);
        TFormularTextArea a(&pagina, QStringLiteral("FormularTextArea36"));
        a.SetFont(&stanga);
        QVERIFY(!AdjustmentFor(&a, false));
        TParticularizareTextArea *p = AdjustmentFor(&a, true);
        QCOMPARE(p->FormName, QStringLiteral("PrintLauridex"));
        QCOMPARE(p->AreaName, QStringLiteral("FormularTextArea36"));
        QVERIFY(!p->Font());
        p->FontComponent = QStringLiteral("Mare");
        QCOMPARE(AdjustmentFor(&a, false)->Font(), &mare);
        QCOMPARE(a.StilEfectiv().Font, &mare);
        p->FontComponent = QStringLiteral("Lipsa");
        QVERIFY(!AdjustmentFor(&a, false)->Font());
        QCOMPARE(a.StilEfectiv().Font, &stanga);
    }

    void stilulEfectiv_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("boldOverride");
        QTest::addColumn<int>("italicOverride");
        QTest::addColumn<int>("alignmentOverride");
        QTest::addColumn<QString>("fata");
        QTest::addColumn<int>("greutate");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("alinere");
        QTest::newRow("kept") << false << 0 << 0 << 0 << QString() << 400 << false << int(taCenter);
        QTest::newRow("bold forced") << false << 1 << 0 << 1 << QString() << 700 << false << int(taLeftJustify);
        QTest::newRow("bold cancelled") << true << 2 << 1 << 2 << QStringLiteral("Liberation Serif") << 400 << true
                                        << int(taCenter);
        QTest::newRow("bold kept, italic off, right") << true << 0 << 2 << 3 << QString() << 700 << false
                                                      << int(taRightJustify);
    }
    void stilulEfectiv()
    {
        QFETCH(bool, bold);
        QFETCH(int, boldOverride);
        QFETCH(int, italicOverride);
        QFETCH(int, alignmentOverride);
        QFETCH(QString, fata);
        QFETCH(int, greutate);
        QFETCH(bool, italic);
        QFETCH(int, alinere);
        QWidget fereastra;
        fereastra.setObjectName(QStringLiteral("PrintLauridex"));
        TFontFormular f(&fereastra, QStringLiteral("F"));
        f.SetBold(bold);
        TFormularDePrintat pagina(&fereastra);
        TFormularTextArea a(&pagina, QStringLiteral("FormularTextArea1"));
        a.SetFont(&f);
        a.SetAlignment(taCenter);
        TParticularizareTextArea *p = AdjustmentFor(&a, true);
        p->BoldOverride = boldOverride;
        p->ItalicOverride = italicOverride;
        p->AlignmentOverride = alignmentOverride;
        p->FaceOverride = fata;
        const TStilEfectiv s = a.StilEfectiv();
        QCOMPARE(s.Fata, fata.isEmpty() ? QStringLiteral("Arial") : fata);
        QCOMPARE(s.Greutate, greutate);
        QCOMPARE(s.Italic, italic);
        QCOMPARE(int(s.Alinere), alinere);
    }

    void deplasareaVerticalaLaTiparire()
    {
        TDispozitivInregistrare dc;
        QWidget fereastra;
        fereastra.setObjectName(QStringLiteral("PrintLauridex"));
        TFormularDePrintat pagina(&fereastra);
        TFormularTextArea a(&pagina, QStringLiteral("FormularTextArea1"));
        a.Set_Top(20);
        const int sus = a.PrinterRect(dc, 0, 0).Top;
        AdjustmentFor(&a, true)->ShiftY = 1;
        const double ky = double(dc.GetDeviceCaps(TDispozitivTiparire::VERTRES)) / dc.GetDeviceCaps(TDispozitivTiparire::VERTSIZE);
        QCOMPARE(a.PrinterRect(dc, 0, 0).Top, qRound(20.5 * ky) - dc.GetDeviceCaps(TDispozitivTiparire::PHYSICALOFFSETY));
        QVERIFY(a.PrinterRect(dc, 0, 0).Top > sus);
    }

    void directorulImplicit()
    {
        QCOMPARE(DirectorModificariImplicit().DeltaX(), 0.0);
        QCOMPARE(DirectorModificariImplicit().DeltaY(), 0.0);
    }
};

QTEST_MAIN(TstParticularizari)
#include "tst_particularizari.moc"
