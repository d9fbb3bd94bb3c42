#include "settings/EditorConfigGlobal.h"
#include "settings/InfoGlobal.h"
#include "settings/Registru.h"
#include "text/Eroare.h"
#include "text/Mesaje.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>

using TLinii = QList<QPair<int, QString>>;

namespace {

const QString Global = QStringLiteral("Software\\Zelmora SOFT\\Brevia\\2008\\Global");

QByteArray Continut(const QString &cale)
{
    QFile f(cale);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::map<QString, QString> ValoriGlobale()
{
    TCheieRegistru cheie(Global);
    std::map<QString, QString> v;
    for (const QString &n : cheie.NumeValori())
        v[n] = cheie.CitesteText(n);
    return v;
}

void Stocheaza(const QString &nume, const QString &valoare)
{
    TCheieRegistru(Global).ScrieText(nume, valoare);
}

template <class T> T *Copil(QWidget &w, const char *nume)
{
    T *c = w.findChild<T *>(QLatin1String(nume));
    if (!c)
        qFatal("missing %s", nume);
    return c;
}

} // namespace

class TstEditorConfigGlobal : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_fisier;

private Q_SLOTS:
    void init()
    {
        // An empty redirection would put the test on the user's real settings.
        QVERIFY(m_dir.isValid());
        m_fisier = m_dir.filePath(QStringLiteral("%1.json").arg(QTest::currentTestFunction()));
        QFile::remove(m_fisier);
        Registru::RedirectioneazaStocul(m_fisier);
        Mesaje::GolesteIstoric();
    }
    void cleanup()
    {
        Registru::RedirectioneazaStocul(QString());
        Mesaje::GolesteRaspunsuri();
    }

    void firstStartStoresExactlyTheFourDefaults()
    {
        { TEditorConfigGlobal hidden; }
        const std::map<QString, QString> asteptat{
            {"MedieCotor", "NOTA(PROCENT)"}, {"MedieDiploma", "NOTA/LITERE"}, {"NotaCotor", "NOTA(PROCENT)"},
            {"NotaDiploma", "NOTA/LITERE"},  {"ScriuCuLitereMari", ""},       {"SufixBaieti", ""},
            {"SufixFete", ""}};
        QCOMPARE(ValoriGlobale(), asteptat);
        // The store file names the key exactly and holds texts only.
        const QJsonObject doc = QJsonDocument::fromJson(Continut(m_fisier)).object();
        QCOMPARE(doc.keys(), QStringList{Global});
        const QJsonObject cheie = doc.value(Global).toObject();
        QCOMPARE(cheie.size(), 7);
        for (const QString &n : cheie.keys())
            QVERIFY2(cheie.value(n).isString(), qPrintable(n));
    }

    void everyCreationFillsOnlyEmptyFormats_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QString>("stocat");
        QTest::addColumn<QString>("dupa");
        QTest::newRow("grade on certificate emptied") << "NotaDiploma" << "" << "NOTA/LITERE";
        QTest::newRow("grade on stub emptied") << "NotaCotor" << "" << "NOTA(PROCENT)";
        QTest::newRow("average on certificate kept") << "MedieDiploma" << "NOTA" << "NOTA";
        QTest::newRow("unknown name kept") << "MedieCotor" << "ALTCEVA" << "ALTCEVA";
        QTest::newRow("blank is not empty") << "NotaCotor" << " " << " ";
        QTest::newRow("salutation stays empty") << "SufixFete" << "" << "";
        QTest::newRow("capitals stay unset") << "ScriuCuLitereMari" << "" << "";
    }
    void everyCreationFillsOnlyEmptyFormats()
    {
        QFETCH(QString, nume);
        QFETCH(QString, stocat);
        QFETCH(QString, dupa);
        { TEditorConfigGlobal primul; }
        Stocheaza(nume, stocat);
        { TEditorConfigGlobal urmatorul; }
        QCOMPARE(ValoriGlobale().at(nume), dupa);
        QCOMPARE(ValoriGlobale().size(), size_t(7));
    }

    void textsAndPlaces_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pagina"); // the widget the place is measured in
        QTest::addColumn<QPoint>("loc");     // (-1, -1): no place to check
        const QPoint oriunde(-1, -1);
        QTest::newRow("heading") << "Mod scriere note in litere" << "TabSheetNote" << oriunde;
        QTest::newRow("explanation")
            << "Aici puteti specifica modul in care vor fi inscrise pe diplome notele si mediile pentru probele de "
               "examen cu nota."
            << "TabSheetNote" << oriunde;
        QTest::newRow("grade on certificate") << "Nota diploma:" << "TabSheetNote" << QPoint(24, 80);
        QTest::newRow("average on certificate") << "Medie diploma:" << "TabSheetNote" << QPoint(24, 152);
        QTest::newRow("grade on stub") << "Nota cotor:" << "TabSheetNote" << QPoint(216, 80);
        QTest::newRow("average on stub") << "Medie cotor:" << "TabSheetNote" << QPoint(216, 152);
        QTest::newRow("hidden heading") << "Sufix dl / domnul e.t.c." << "TabSheetSufix" << oriunde;
        QTest::newRow("hidden explanation")
            << "Programul stabileste automat genul persoanelor care primesc diplome de studii pe baza primei cifre "
               "din codul numeric personal. Va rugam specificati care este apelativul cel mai potrivit pentru fete "
               "si baieti:"
            << "TabSheetSufix" << oriunde;
        QTest::newRow("women") << "Sufix fete:" << "TabSheetSufix" << oriunde;
        QTest::newRow("men") << "Sufix baieti:" << "TabSheetSufix" << oriunde;
        QTest::newRow("note") << "Nota:" << "EditorConfigGlobal" << QPoint(8, 304);
        QTest::newRow("warning")
            << "Modificarile efectuate in acest editor afecteaza TOATE formularele de diplome pentru anul curent"
            << "EditorConfigGlobal" << QPoint(8, 324);
    }
    void textsAndPlaces()
    {
        QFETCH(QString, text);
        QFETCH(QString, pagina);
        QFETCH(QPoint, loc);
        TEditorConfigGlobal e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QWidget *p = pagina == e.objectName() ? &e : Copil<QWidget>(e, qPrintable(pagina));
        QLabel *gasita = nullptr;
        for (QLabel *l : p->findChildren<QLabel *>())
            if (l->text() == text)
                gasita = l;
        QVERIFY(gasita);
        if (loc != QPoint(-1, -1))
            QCOMPARE(gasita->mapTo(p, QPoint(0, 0)), loc);
        // Nothing cut off: the label is as large as its text needs.
        const QSize nevoie = gasita->wordWrap() ? QSize(gasita->width(), gasita->heightForWidth(gasita->width()))
                                                : gasita->sizeHint();
        QVERIFY2(gasita->width() >= nevoie.width() && gasita->height() >= nevoie.height(),
                 qPrintable(QStringLiteral("%1x%2 < %3x%4").arg(gasita->width()).arg(gasita->height())
                                .arg(nevoie.width()).arg(nevoie.height())));
        // No label of the page runs under another one.
        for (QLabel *l : p->findChildren<QLabel *>())
            if (l != gasita && l->parentWidget() == gasita->parentWidget())
                QVERIFY2(!l->geometry().intersects(gasita->geometry()), qPrintable(l->text()));
    }

    void controlsInPlace()
    {
        TEditorConfigGlobal e;
        QCOMPARE(Copil<QTabWidget>(e, "RzPageControl1")->geometry(), QRect(8, 8, 497, 289));
        const std::map<QString, QPoint> locuri{{"RzComboBox3", {24, 96}},     {"RzComboBox4", {24, 168}},
                                               {"RzComboBox5", {216, 96}},    {"RzComboBox6", {216, 168}},
                                               {"RzRadioButton1", {24, 216}}, {"RzRadioButton2", {208, 216}}};
        for (const auto &[nume, loc] : locuri)
            QCOMPARE(Copil<QWidget>(e, qPrintable(nume))->pos(), loc);
        for (const char *n : {"RzComboBox1", "RzComboBox2"}) {
            auto *l = Copil<QComboBox>(e, n);
            QVERIFY(l->isEditable());
            QCOMPARE(l->width(), 185);
        }
        QStringList fete, baieti;
        for (int i = 0; i < Copil<QComboBox>(e, "RzComboBox1")->count(); ++i)
            fete << Copil<QComboBox>(e, "RzComboBox1")->itemText(i);
        for (int i = 0; i < Copil<QComboBox>(e, "RzComboBox2")->count(); ++i)
            baieti << Copil<QComboBox>(e, "RzComboBox2")->itemText(i);
        QCOMPARE(fete, (QStringList{"domnisoara", "doamna", "dra"}));
        QCOMPARE(baieti, (QStringList{"domnul", "dl"}));
        // The first radio button's text ends before the second button starts.
        auto *mari = Copil<QRadioButton>(e, "RzRadioButton1");
        QVERIFY(mari->x() + mari->sizeHint().width() <= 208);
    }

    void closedListShowsThePicture_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("liniiMinim");
        QTest::addColumn<int>("liniiMaxim");
        QTest::newRow("no selection") << -1 << 0 << 0;
        QTest::newRow("NOTA") << 0 << 1 << 1;
        QTest::newRow("NOTA(PROCENT)") << 1 << 1 << 1;
        QTest::newRow("NOTA/PROCENT") << 2 << 2 << 2;
        QTest::newRow("NOTA/LITERE") << 3 << 2 << 2;
    }
    void closedListShowsThePicture()
    {
        QFETCH(int, index);
        QFETCH(int, liniiMinim);
        QFETCH(int, liniiMaxim);
        TEditorConfigGlobal e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        auto *l = Copil<QComboBox>(e, "RzComboBox5");
        l->setCurrentIndex(index);
        const QImage img = l->grab().toImage();
        // Count the bands of rows holding dark ink in the text area (left of the arrow,
        // inside the frame): one per sample line; a gap of a row or two is only the
        // space under a descender.
        int benzi = 0;
        int ultima = -100;
        for (int y = 3; y < img.height() - 3; ++y) {
            bool cerneala = false;
            for (int x = 8; x < 130 && !cerneala; ++x)
                cerneala = img.pixelColor(x, y).lightness() < 90;
            if (!cerneala)
                continue;
            if (y - ultima > 3)
                ++benzi;
            ultima = y;
        }
        QVERIFY2(benzi >= liniiMinim && benzi <= liniiMaxim, qPrintable(QString::number(benzi)));
    }

    void windowLooksAsDesigned()
    {
        TEditorConfigGlobal e;
        QCOMPARE(e.windowTitle(), QStringLiteral("Editor informatii globale"));
        QCOMPARE(e.size(), QSize(588, 347));
        QVERIFY(!(e.windowFlags() & Qt::WindowCloseButtonHint));
        auto *tabs = Copil<QTabWidget>(e, "RzPageControl1");
        QCOMPARE(tabs->count(), 2);
        QVERIFY(!tabs->isTabVisible(0));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Sufix domnul / doamna"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Mod tiparire note"));
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(Copil<QPushButton>(e, "RzBitBtn1")->text(), QStringLiteral("Ok"));
        QCOMPARE(Copil<QPushButton>(e, "RzBitBtn2")->text(), QStringLiteral("Renunt"));
        QCOMPARE(Copil<QPushButton>(e, "RzBitBtn1")->pos(), QPoint(512, 8));
        QCOMPARE(Copil<QPushButton>(e, "RzBitBtn2")->pos(), QPoint(512, 40));
        for (const char *n : {"RzComboBox3", "RzComboBox4", "RzComboBox5", "RzComboBox6"}) {
            auto *l = Copil<QComboBox>(e, n);
            QVERIFY(!l->isEditable());
            QCOMPARE(l->width(), 161);
            QStringList elemente;
            for (int i = 0; i < l->count(); ++i)
                elemente << l->itemText(i);
            QCOMPARE(elemente, (QStringList{"NOTA", "NOTA(PROCENT)", "NOTA/PROCENT", "NOTA/LITERE"}));
        }
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox3")->pos(), QPoint(24, 96));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox6")->pos(), QPoint(216, 168));
        QCOMPARE(Copil<QRadioButton>(e, "RzRadioButton1")->text(), QStringLiteral("Scriu notele cu LITERE MARI"));
        QCOMPARE(Copil<QRadioButton>(e, "RzRadioButton2")->text(), QStringLiteral("Scriu notele cu litere mici"));
    }

    void hiddenPageCannotBeReached_data()
    {
        QTest::addColumn<int>("tasta");
        QTest::addColumn<int>("modificatori");
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+PageUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+PageDown") << int(Qt::Key_PageDown) << int(Qt::ControlModifier);
    }
    void hiddenPageCannotBeReached()
    {
        QFETCH(int, tasta);
        QFETCH(int, modificatori);
        TEditorConfigGlobal e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        auto *tabs = Copil<QTabWidget>(e, "RzPageControl1");
        auto *nota = Copil<QComboBox>(e, "RzComboBox3");
        nota->setFocus();
        QTest::keyClick(nota, Qt::Key(tasta), Qt::KeyboardModifiers(modificatori));
        QCOMPARE(tabs->currentIndex(), 1);
        QTest::keyClick(tabs, Qt::Key(tasta), Qt::KeyboardModifiers(modificatori));
        QCOMPARE(tabs->currentIndex(), 1);
        // Nor by the mouse wheel over the tab row.
        QWheelEvent roata(QPointF(20, 10), tabs->mapToGlobal(QPointF(20, 10)), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tabs->tabBar(), &roata);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void emptyStoreShowsSuggestionsAndDefaults()
    {
        TEditorConfigGlobal e;
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox1")->currentText(), QStringLiteral("dra"));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox2")->currentText(), QStringLiteral("domnul"));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox3")->currentText(), QStringLiteral("NOTA/LITERE"));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox4")->currentText(), QStringLiteral("NOTA/LITERE"));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox5")->currentText(), QStringLiteral("NOTA(PROCENT)"));
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox6")->currentText(), QStringLiteral("NOTA(PROCENT)"));
        QVERIFY(Copil<QRadioButton>(e, "RzRadioButton1")->isChecked());
        // The suggestions are not stored by merely opening the editor.
        QCOMPARE(ValoriGlobale().at("SufixFete"), QString());
    }

    void okStoresTheChoices()
    {
        TEditorConfigGlobal e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        auto *nota = Copil<QComboBox>(e, "RzComboBox3");
        nota->setFocus();
        QTest::keyClick(nota, Qt::Key_Up); // NOTA/LITERE -> NOTA/PROCENT
        QCOMPARE(nota->currentText(), QStringLiteral("NOTA/PROCENT"));
        Copil<QComboBox>(e, "RzComboBox6")->setCurrentIndex(0);
        QTest::mouseClick(Copil<QRadioButton>(e, "RzRadioButton2"), Qt::LeftButton);
        QTest::mouseClick(Copil<QPushButton>(e, "RzBitBtn1"), Qt::LeftButton);
        QCOMPARE(e.result(), int(QDialog::Accepted));
        QVERIFY(!e.isVisible());
        const std::map<QString, QString> asteptat{
            {"MedieCotor", "NOTA"},         {"MedieDiploma", "NOTA/LITERE"}, {"NotaCotor", "NOTA(PROCENT)"},
            {"NotaDiploma", "NOTA/PROCENT"}, {"ScriuCuLitereMari", "0"},      {"SufixBaieti", "domnul"},
            {"SufixFete", "dra"}};
        QCOMPARE(ValoriGlobale(), asteptat);
    }

    void okOnTheFirstStateStoresCapitals()
    {
        TEditorConfigGlobal e;
        QTimer::singleShot(0, &e, [&e] { QTest::mouseClick(Copil<QPushButton>(e, "RzBitBtn1"), Qt::LeftButton); });
        QCOMPARE(e.exec(), int(QDialog::Accepted));
        QCOMPARE(ValoriGlobale().at("ScriuCuLitereMari"), QStringLiteral("1"));
    }

    void renuntLeavesTheStoreAsItWas()
    {
        Stocheaza(QStringLiteral("NotaDiploma"), QStringLiteral("NOTA"));
        TEditorConfigGlobal e;
        const QByteArray dupaCreare = Continut(m_fisier);
        Copil<QComboBox>(e, "RzComboBox3")->setCurrentIndex(3);
        Copil<QRadioButton>(e, "RzRadioButton2")->setChecked(true);
        Copil<QComboBox>(e, "RzComboBox1")->setEditText(QStringLiteral("doamna"));
        QTimer::singleShot(0, &e, [&e] { QTest::mouseClick(Copil<QPushButton>(e, "RzBitBtn2"), Qt::LeftButton); });
        QCOMPARE(e.exec(), int(QDialog::Rejected));
        QCOMPARE(Continut(m_fisier), dupaCreare);
        QCOMPARE(ValoriGlobale().at("NotaDiploma"), QStringLiteral("NOTA"));
    }

    void storedValuesAreShown_data()
    {
        QTest::addColumn<QString>("stocat");
        QTest::addColumn<int>("index");
        QTest::newRow("exact") << "NOTA/PROCENT" << 2;
        QTest::newRow("other case") << "nota/litere" << 3;
        QTest::newRow("unknown") << "LITERE" << -1;
    }
    void storedValuesAreShown()
    {
        QFETCH(QString, stocat);
        QFETCH(int, index);
        Stocheaza(QStringLiteral("MedieCotor"), stocat);
        Stocheaza(QStringLiteral("ScriuCuLitereMari"), QStringLiteral("0"));
        Stocheaza(QStringLiteral("SufixFete"), QStringLiteral("doamna"));
        TEditorConfigGlobal e;
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox6")->currentIndex(), index);
        QVERIFY(Copil<QRadioButton>(e, "RzRadioButton2")->isChecked());
        QCOMPARE(Copil<QComboBox>(e, "RzComboBox1")->currentText(), QStringLiteral("doamna"));
        // Opening changes nothing that was stored.
        QCOMPARE(ValoriGlobale().at("MedieCotor"), stocat);
        e.RzBitBtn1Click();
        // "Ok" stores the exact name; a value outside the four is kept as it was.
        QCOMPARE(ValoriGlobale().at("MedieCotor"), index < 0 ? stocat : TEditorConfigGlobal::FormateNota().at(index));
    }

    void wrongStoredTypeFailsCreation()
    {
        TCheieRegistru(Global).ScrieIntreg(QStringLiteral("notadiploma"), 3);
        QVERIFY_THROWS_EXCEPTION(EZel, TEditorConfigGlobal());
    }

    void okThatCannotSaveSaysSoAndStaysOpen()
    {
        TEditorConfigGlobal e;
        e.show();
        QFile blocaj(m_dir.filePath(QStringLiteral("blocaj")));
        QVERIFY(blocaj.open(QIODevice::WriteOnly));
        blocaj.close();
        Registru::RedirectioneazaStocul(m_dir.filePath(QStringLiteral("blocaj/r.json")));
        Mesaje::SeteazaUrmatorulRaspuns(Mesaje::Ok);
        QTest::mouseClick(Copil<QPushButton>(e, "RzBitBtn1"), Qt::LeftButton);
        QCOMPARE(Mesaje::Istoric().size(), 1);
        QCOMPARE(Mesaje::Istoric().at(0).tip, Mesaje::Tip::Eroare);
        QVERIFY(Mesaje::Istoric().at(0).text.contains(QStringLiteral("blocaj")));
        QVERIFY(e.isVisible());
    }

    void samplePicturesAreFixed_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<TLinii>("linii");
        QTest::newRow("NOTA") << 0 << TLinii{{8, "9,63"}};
        QTest::newRow("NOTA(PROCENT)") << 1 << TLinii{{8, "9,63 (noua 63%)"}};
        QTest::newRow("NOTA/PROCENT") << 2 << TLinii{{1, "9,63"}, {13, "(noua 63%)"}};
        QTest::newRow("NOTA/LITERE") << 3 << TLinii{{1, "9,63"}, {13, "(noua,sasezecisitrei)"}};
    }
    void samplePicturesAreFixed()
    {
        QFETCH(int, index);
        QFETCH(TLinii, linii);
        QCOMPARE(TEditorConfigGlobal::LiniiMostra(index), linii);
    }

    void itemDrawingFillsAndCentres_data()
    {
        QTest::addColumn<bool>("selectat");
        QTest::addColumn<int>("dpi"); // of the image painted on
        QTest::newRow("selected") << true << 96;
        QTest::newRow("plain") << false << 96;
        QTest::newRow("plain, denser image") << false << 192;
    }
    void itemDrawingFillsAndCentres()
    {
        QFETCH(bool, selectat);
        QFETCH(int, dpi);
        QPalette paleta;
        paleta.setColor(QPalette::Highlight, QColor(0, 0, 200));
        paleta.setColor(QPalette::Base, QColor(255, 255, 255));
        paleta.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
        paleta.setColor(QPalette::Text, QColor(0, 0, 0));
        QImage img(161, 32, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(dpi / 0.0254));
        img.setDotsPerMeterY(qRound(dpi / 0.0254));
        img.fill(Qt::green);
        {
            QPainter p(&img);
            TEditorConfigGlobal::RzComboBox3DrawItem(p, img.rect(), 0, selectat, paleta);
        }
        const QColor fond = selectat ? QColor(0, 0, 200) : QColor(255, 255, 255);
        QCOMPARE(img.pixelColor(0, 0), fond);
        QCOMPARE(img.pixelColor(160, 31), fond);
        // "9,63" sits in the middle: ink only in the central columns, on both halves alike.
        int stanga = img.width(), dreapta = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) != fond) {
                    stanga = std::min(stanga, x);
                    dreapta = std::max(dreapta, x);
                }
        QVERIFY(dreapta > stanga);
        QVERIFY2(std::abs(stanga - (img.width() - 1 - dreapta)) <= 3, qPrintable(QStringLiteral("%1 %2").arg(stanga).arg(dreapta)));
    }

    void openListAndClosedListPaint()
    {
        TEditorConfigGlobal e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        auto *l = Copil<QComboBox>(e, "RzComboBox4");
        QCOMPARE(l->view()->sizeHintForRow(0), 32);
        const QImage inchis = l->grab().toImage();
        QVERIFY(!inchis.isNull());
        l->showPopup();
        QTRY_VERIFY(l->view()->isVisible());
        l->hidePopup();
    }
};

QTEST_MAIN(TstEditorConfigGlobal)
#include "tst_editorconfigglobal.moc"
