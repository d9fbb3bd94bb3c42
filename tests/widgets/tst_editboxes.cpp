#include "text/Ceas.h"
#include "text/Eroare.h"
#include "widgets/UZelEditors.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {
// Counts the notices a watcher posts.
class TFereastraNumarata : public QWidget {
public:
    int notificari = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::Type(ZelMesajPointerIesit)) {
            ++notificari;
            return true;
        }
        return QWidget::event(e);
    }
};

std::atomic<int> g_x{0}, g_y{0};
QPoint PointerDeTest() { return QPoint(g_x.load(), g_y.load()); }
void MutaPointerul(const QPoint &p)
{
    g_x = p.x();
    g_y = p.y();
}

QFont FontulCutiilor()
{
    return ZelTextEditStyleRepository()->Cold.Font;
}

// A window holding boxes, shown and active so they can take the focus.
struct TFereastra {
    QWidget w;
    int urmatorulY = 8;
    TFereastra() { w.resize(460, 200); }
    template <class T> T *Adauga()
    {
        auto *c = new T(&w);
        c->setGeometry(8, urmatorulY, 160, 24);
        urmatorulY += 32;
        return c;
    }
    bool Arata()
    {
        w.show();
        w.activateWindow();
        return QTest::qWaitForWindowActive(&w);
    }
};
} // namespace

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class TstEditBoxes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        TZelMouseInWindowThread::InlocuiestePozitiaPointerului(PointerDeTest);
        // The watcher's 100 ms naps become 2 ms.
        Ceas::Inlocuieste({}, [](int) { QThread::msleep(2); });
        MutaPointerul(QPoint(-10000, -10000));
    }
    void cleanupTestCase()
    {
        Ceas::Inlocuieste({}, {});
        TZelMouseInWindowThread::InlocuiestePozitiaPointerului({});
    }

    // ---- acceptance -----------------------------------------------------------------

    void numberTyped_data()
    {
        QTest::addColumn<QString>("tastat");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("dot becomes comma") << "1.5" << "1,5";
        QTest::newRow("second comma refused") << "1,5," << "1,5";
        QTest::newRow("dot after comma refused") << "1,5.2" << "1,52";
        QTest::newRow("third decimal refused") << "1,555" << "1,55";
        QTest::newRow("minus first") << "-5" << "-5";
        QTest::newRow("minus later refused") << "5-" << "5";
        QTest::newRow("second minus refused") << "--5" << "-5";
        QTest::newRow("letters and blanks refused") << "a1 b2" << "12";
        QTest::newRow("17 characters at most") << "123456789012345678" << "12345678901234567";
        QTest::newRow("separator not counted") << "123456789012345,67" << "123456789012345,67";
    }
    void numberTyped()
    {
        QFETCH(QString, tastat);
        QFETCH(QString, rezultat);
        TFereastra f;
        auto *e = f.Adauga<TZelNumEdit>();
        e->resize(400, 24);
        QVERIFY(f.Arata());
        e->setFocus();
        QVERIFY(e->hasFocus());
        QTest::keyClicks(e, tastat);
        QCOMPARE(e->Text(), rezultat);
        QCOMPARE(e->PozitieCursor(), int(rezultat.size()) + 1);
    }

    void numberSet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zecimale");
        QTest::addColumn<bool>("luat");
        QTest::addColumn<QString>("rezultat");
        QTest::newRow("dot") << "1.5" << 2 << true << "1,5";
        QTest::newRow("empty") << "" << 2 << true << "";
        QTest::newRow("lone minus") << "-" << 2 << true << "-";
        QTest::newRow("lone comma") << "," << 2 << true << ",";
        QTest::newRow("two separators") << "1,2.3" << 2 << false << "";
        QTest::newRow("three decimals") << "1,234" << 2 << false << "";
        QTest::newRow("four decimals allowed") << "1,2345" << 4 << true << "1,2345";
        QTest::newRow("no decimals allowed") << "1,5" << 0 << false << "";
        QTest::newRow("comma with no decimals") << "1," << 0 << true << "1,";
        QTest::newRow("minus inside") << "1-2" << 2 << false << "";
        QTest::newRow("blank") << "1 2" << 2 << false << "";
        QTest::newRow("plus sign") << "+12" << 2 << false << "";
        QTest::newRow("17 digits") << "12345678901234567" << 2 << true << "12345678901234567";
        QTest::newRow("18 digits") << "123456789012345678" << 2 << false << "";
        QTest::newRow("sign counts") << "-12345678901234567" << 2 << false << "";
        QTest::newRow("17 with sign and comma") << "-1234567890123,45" << 2 << true << "-1234567890123,45";
    }
    void numberSet()
    {
        QFETCH(QString, text);
        QFETCH(int, zecimale);
        QFETCH(bool, luat);
        QFETCH(QString, rezultat);
        TZelNumEdit e;
        e.resize(400, 24);
        e.SetNrCifreDupaVirgula(zecimale);
        QCOMPARE(e.SetText(text), luat);
        QCOMPARE(e.Text(), rezultat);
        if (luat) {
            QCOMPARE(e.PozitieCursor(), int(rezultat.size()) + 1);
            QCOMPARE(e.LungimeSelectie(), 0);
        }
    }

    void unchangedText_keepsCaretAndSelection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("luat");
        QTest::newRow("refused") << "x" << false;
        QTest::newRow("the same text") << "12,5" << true;
        QTest::newRow("the same once the dot is a comma") << "12.5" << true;
    }
    void unchangedText_keepsCaretAndSelection()
    {
        QFETCH(QString, text);
        TZelNumEdit e;
        QVERIFY(e.SetText(QStringLiteral("12,5")));
        e.SeteazaSelectia(2, 1);
        int schimbari = 0;
        e.OnChange = [&](TZelCustomTextEdit *) { ++schimbari; };
        QTEST(e.SetText(text), "luat");
        QCOMPARE(e.Text(), QStringLiteral("12,5"));
        QCOMPARE(e.PozitieCursor(), 2);
        QCOMPARE(e.LungimeSelectie(), 1);
        QCOMPARE(schimbari, 0);
    }

    void widthRule_data()
    {
        QTest::addColumn<bool>("numar");
        QTest::newRow("text box") << false;
        QTest::newRow("number box") << true;
    }
    void widthRule()
    {
        QFETCH(bool, numar);
        std::unique_ptr<TZelTextEdit> e(numar ? new TZelNumEdit : new TZelTextEdit);
        QCOMPARE(e->width(), 100); // the default size
        const QFontMetrics fm(FontulCutiilor());
        // The longest run of 1s that still leaves more than 8 pixels.
        QString incape;
        while (fm.horizontalAdvance(incape + u'1') + 8 < e->width())
            incape += u'1';
        const QString prea = incape + u'1';
        QVERIFY(fm.horizontalAdvance(prea) + 8 >= e->width());
        QVERIFY(!e->SetText(prea));
        QCOMPARE(e->Text(), QString());
        QVERIFY(e->SetText(incape));
        QCOMPARE(e->Text(), incape);

        // Typing stops at the same place.
        TFereastra f;
        auto *t = f.Adauga<TZelTextEdit>();
        t->resize(100, 24);
        QVERIFY(f.Arata());
        t->setFocus();
        QTest::keyClicks(t, prea + QStringLiteral("111"));
        QCOMPARE(t->Text(), incape);
    }

    void narrowedBox_stillLetsTheTextShrink()
    {
        TFereastra f;
        auto *t = f.Adauga<TZelTextEdit>();
        QVERIFY(t->SetText(QStringLiteral("abcdefghijklmnop")));
        t->resize(40, 24);
        QVERIFY(f.Arata());
        t->setFocus();
        QTest::keyClick(t, Qt::Key_End);
        QTest::keyClick(t, Qt::Key_Backspace);
        QCOMPARE(t->Text(), QStringLiteral("abcdefghijklmno"));
        QTest::keyClick(t, Qt::Key_Z);
        QCOMPARE(t->Text(), QStringLiteral("abcdefghijklmno"));
    }

    // ---- value properties ----------------------------------------------------------

    void valuesRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qlonglong>("faraZecimale");
        QTest::addColumn<qlonglong>("douaZecimale");
        QTest::addColumn<qlonglong>("patruZecimale");
        QTest::addColumn<qlonglong>("doiPatru");
        QTest::addColumn<qlonglong>("currency");
        QTest::newRow("empty") << "" << 0LL << 0LL << 0LL << 0LL << 0LL;
        QTest::newRow("7") << "7" << 7LL << 700LL << 70000LL << 70000LL << 70000LL;
        QTest::newRow("12,5") << "12,5" << 12LL << 1250LL << 125000LL << 125000LL << 125000LL;
        QTest::newRow("-0,5") << "-0,5" << 0LL << -50LL << -5000LL << -5000LL << -5000LL;
        QTest::newRow("1,0250") << "1,0250" << 1LL << 102LL << 10250LL << 10200LL << 10250LL;
        QTest::newRow("lone minus") << "-" << 0LL << 0LL << 0LL << 0LL << 0LL;
        QTest::newRow("lone comma") << "," << 0LL << 0LL << 0LL << 0LL << 0LL;
        QTest::newRow("fraction only") << ",75" << 0LL << 75LL << 7500LL << 7500LL << 7500LL;
        QTest::newRow("-12,05") << "-12,05" << -12LL << -1205LL << -120500LL << -120500LL << -120500LL;
    }
    void valuesRead()
    {
        QFETCH(QString, text);
        TZelNumEdit e;
        e.resize(400, 24);
        e.SetNrCifreDupaVirgula(4);
        QVERIFY(e.SetText(text));
        QTEST(qlonglong(e.FaraZecimale()), "faraZecimale");
        QTEST(qlonglong(e.CuDouaZecimale()), "douaZecimale");
        QTEST(qlonglong(e.CuPatruZecimale()), "patruZecimale");
        QTEST(qlonglong(e.CuDoiPatruZecimale()), "doiPatru");
        QTEST(qlonglong(e.AsCurrency()), "currency");
    }

    void valuesWritten_data()
    {
        QTest::addColumn<QString>("proprietate");
        QTest::addColumn<qlonglong>("valoare");
        QTest::addColumn<int>("zecimale");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << "FaraZecimale" << -42LL << 2 << "-42";
        QTest::newRow("700 hundredths") << "CuDouaZecimale" << 700LL << 2 << "7";
        QTest::newRow("705 hundredths") << "CuDouaZecimale" << 705LL << 2 << "7,05";
        QTest::newRow("1200 hundredths") << "CuDouaZecimale" << 1200LL << 2 << "12";
        QTest::newRow("1250 hundredths") << "CuDouaZecimale" << 1250LL << 2 << "12,50";
        QTest::newRow("-50 hundredths") << "CuDouaZecimale" << -50LL << 2 << "-0,50";
        QTest::newRow("10250 ten-thousandths") << "CuPatruZecimale" << 10250LL << 4 << "1,0250";
        QTest::newRow("ten-thousandths refused at 2 digits") << "CuPatruZecimale" << 10250LL << 2 << "start";
        QTest::newRow("whole ten-thousandths at 2 digits") << "CuPatruZecimale" << 30000LL << 2 << "3";
        QTest::newRow("two-four truncates") << "CuDoiPatruZecimale" << 12399LL << 2 << "1,23";
        QTest::newRow("two-four negative truncates toward zero") << "CuDoiPatruZecimale" << -12399LL << 2 << "-1,23";
        QTest::newRow("currency 12345") << "AsCurrency" << 12345LL << 2 << "1,23";
        QTest::newRow("currency 5000") << "AsCurrency" << 5000LL << 2 << "0,50";
        QTest::newRow("currency 120000") << "AsCurrency" << 120000LL << 2 << "12,00";
        QTest::newRow("currency never rounds") << "AsCurrency" << 19999LL << 2 << "1,99";
        QTest::newRow("currency negative") << "AsCurrency" << -12345LL << 2 << "-1,23";
    }
    void valuesWritten()
    {
        QFETCH(QString, proprietate);
        QFETCH(qlonglong, valoare);
        QFETCH(int, zecimale);
        QFETCH(QString, text);
        TZelNumEdit e;
        e.resize(400, 24);
        e.SetNrCifreDupaVirgula(zecimale);
        QVERIFY(e.SetText(QStringLiteral("9")));
        const QString inainte = e.Text();
        if (proprietate == u"FaraZecimale")
            e.SetFaraZecimale(valoare);
        else if (proprietate == u"CuDouaZecimale")
            e.SetCuDouaZecimale(valoare);
        else if (proprietate == u"CuPatruZecimale")
            e.SetCuPatruZecimale(valoare);
        else if (proprietate == u"CuDoiPatruZecimale")
            e.SetCuDoiPatruZecimale(valoare);
        else
            e.SetAsCurrency(valoare);
        QCOMPARE(e.Text(), text == u"start" ? inainte : text);
        QCOMPARE(e.PozitieCursor(), int(e.Text().size()) + 1);
    }

    void currency_roundTrip()
    {
        TZelNumEdit e;
        e.SetAsCurrency(12345);
        QCOMPARE(e.Text(), QStringLiteral("1,23"));
        QCOMPARE(e.AsCurrency(), 12300);
    }

    void valueTooBigForSixtyFourBits_failsWithConversionError()
    {
        TZelNumEdit e;
        e.resize(400, 24);
        QVERIFY(e.SetText(QStringLiteral("99999999999999999")));
        QCOMPARE(e.FaraZecimale(), 99999999999999999LL);
        QVERIFY_THROWS_EXCEPTION(EZel, e.CuDouaZecimale());
        QVERIFY_THROWS_EXCEPTION(EZel, e.AsCurrency());
        try {
            e.CuDouaZecimale();
        } catch (const EZel &x) {
            QVERIFY(x.Mesaj().contains(QStringLiteral("is not a valid integer value")));
        }
    }

    // ---- keys ----------------------------------------------------------------------

    void keys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectie");
        QTest::addColumn<Qt::Key>("tasta");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<QString>("textDupa");
        QTest::addColumn<int>("cursorDupa");
        QTest::addColumn<int>("selectieDupa");
        const Qt::KeyboardModifiers nimic = Qt::NoModifier, s = Qt::ShiftModifier, c = Qt::ControlModifier,
                                    cs = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("home") << "abc" << 3 << 0 << Qt::Key_Home << nimic << "abc" << 1 << 0;
        QTest::newRow("end clears selection") << "abc" << 1 << 3 << Qt::Key_End << nimic << "abc" << 4 << 0;
        QTest::newRow("alt is ignored") << "abc" << 3 << 0 << Qt::Key_Home << Qt::KeyboardModifiers(Qt::AltModifier) << "abc" << 1 << 0;
        QTest::newRow("shift+home") << "abc" << 3 << 0 << Qt::Key_Home << s << "abc" << 1 << 2;
        QTest::newRow("shift+end") << "abc" << 2 << 0 << Qt::Key_End << s << "abc" << 4 << -2;
        QTest::newRow("ctrl+home does nothing") << "abc" << 3 << 0 << Qt::Key_Home << c << "abc" << 3 << 0;
        QTest::newRow("shift+left") << "abc" << 3 << 0 << Qt::Key_Left << s << "abc" << 2 << 1;
        QTest::newRow("shift+left at start") << "abc" << 1 << 0 << Qt::Key_Left << s << "abc" << 1 << 0;
        QTest::newRow("shift+right") << "abc" << 1 << 0 << Qt::Key_Right << s << "abc" << 2 << -1;
        QTest::newRow("shift+right at end") << "abc" << 4 << 0 << Qt::Key_Right << s << "abc" << 4 << 0;
        QTest::newRow("ctrl+left to word start") << "ab cd,ef" << 9 << 0 << Qt::Key_Left << c << "ab cd,ef" << 7 << 0;
        QTest::newRow("ctrl+left over separators") << "ab. cd" << 5 << 0 << Qt::Key_Left << c << "ab. cd" << 1 << 0;
        QTest::newRow("ctrl+right to word end") << "ab cd" << 1 << 0 << Qt::Key_Right << c << "ab cd" << 3 << 0;
        QTest::newRow("ctrl+right over separators") << "ab\tcd.e" << 3 << 0 << Qt::Key_Right << c << "ab\tcd.e" << 6 << 0;
        QTest::newRow("ctrl+shift+right") << "ab cd" << 1 << 0 << Qt::Key_Right << cs << "ab cd" << 3 << -2;
        QTest::newRow("ctrl+shift+left") << "ab cd" << 6 << 0 << Qt::Key_Left << cs << "ab cd" << 4 << 2;
        QTest::newRow("backspace") << "abc" << 3 << 0 << Qt::Key_Backspace << nimic << "ac" << 2 << 0;
        QTest::newRow("backspace at start") << "abc" << 1 << 0 << Qt::Key_Backspace << nimic << "abc" << 1 << 0;
        QTest::newRow("backspace selection") << "abc" << 3 << -2 << Qt::Key_Backspace << nimic << "c" << 1 << 0;
        QTest::newRow("delete") << "abc" << 1 << 0 << Qt::Key_Delete << nimic << "bc" << 1 << 0;
        QTest::newRow("delete at end") << "abc" << 4 << 0 << Qt::Key_Delete << nimic << "abc" << 4 << 0;
        QTest::newRow("delete selection") << "abcd" << 2 << 2 << Qt::Key_Delete << nimic << "ad" << 2 << 0;
        QTest::newRow("left clears selection") << "abc" << 1 << 3 << Qt::Key_Left << nimic << "abc" << 1 << 0;
        QTest::newRow("left moves") << "abc" << 3 << 0 << Qt::Key_Left << nimic << "abc" << 2 << 0;
        QTest::newRow("up moves left") << "abc" << 3 << 0 << Qt::Key_Up << nimic << "abc" << 2 << 0;
        QTest::newRow("right moves") << "abc" << 1 << 0 << Qt::Key_Right << nimic << "abc" << 2 << 0;
        QTest::newRow("down moves right") << "abc" << 1 << 0 << Qt::Key_Down << nimic << "abc" << 2 << 0;
        QTest::newRow("right clears selection") << "abc" << 1 << 2 << Qt::Key_Right << nimic << "abc" << 1 << 0;
        QTest::newRow("char replaces selection") << "abc" << 1 << 3 << Qt::Key_X << nimic << "x" << 2 << 0;
        QTest::newRow("char at caret") << "ac" << 2 << 0 << Qt::Key_B << nimic << "abc" << 3 << 0;
        QTest::newRow("shifted char") << "ac" << 2 << 0 << Qt::Key_B << s << "aBc" << 3 << 0;
        QTest::newRow("blank is a char") << "ac" << 2 << 0 << Qt::Key_Space << nimic << "a c" << 3 << 0;
        QTest::newRow("ctrl+letter does nothing") << "abc" << 2 << 0 << Qt::Key_A << c << "abc" << 2 << 0;
        QTest::newRow("shift+backspace does nothing") << "abc" << 2 << 0 << Qt::Key_Backspace << s << "abc" << 2 << 0;
    }
    void keys()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, selectie);
        QFETCH(Qt::Key, tasta);
        QFETCH(Qt::KeyboardModifiers, mod);
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(text));
        e->setFocus();
        QVERIFY(e->hasFocus());
        e->SeteazaSelectia(cursor, selectie);
        ApasaTasta(e, tasta, mod);
        QTEST(e->Text(), "textDupa");
        QTEST(e->PozitieCursor(), "cursorDupa");
        QTEST(e->LungimeSelectie(), "selectieDupa");
    }

    void arrowEvents()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("ab")));
        QStringList ev;
        e->OnLeft = [&](TZelCustomTextEdit *) { ev << QStringLiteral("L"); };
        e->OnRight = [&](TZelCustomTextEdit *) { ev << QStringLiteral("R"); };
        e->OnUp = [&](TZelCustomTextEdit *) { ev << QStringLiteral("U"); };
        e->OnDown = [&](TZelCustomTextEdit *) { ev << QStringLiteral("D"); };
        e->setFocus();
        e->SeteazaSelectia(1, 0);
        QTest::keyClick(e, Qt::Key_Left);  // at 1: OnLeft
        QTest::keyClick(e, Qt::Key_Up);    // OnUp, stays at 1, no OnLeft
        QTest::keyClick(e, Qt::Key_Right); // moves
        QTest::keyClick(e, Qt::Key_Down);  // OnDown, moves to the end
        QCOMPARE(e->PozitieCursor(), 3);
        QTest::keyClick(e, Qt::Key_Right); // at the end: OnRight
        QTest::keyClick(e, Qt::Key_Down);  // OnDown only
        e->SeteazaSelectia(1, 2);
        QTest::keyClick(e, Qt::Key_Left); // only clears the selection
        QCOMPARE(ev.join(QString()), QStringLiteral("LUDRD"));
        QCOMPARE(e->LungimeSelectie(), 0);
    }

    void clipboard_data()
    {
        QTest::addColumn<Qt::Key>("tasta");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<QString>("clipboardInainte");
        QTest::addColumn<QString>("textDupa");
        QTest::addColumn<QString>("clipboardDupa");
        const Qt::KeyboardModifiers s = Qt::ShiftModifier, c = Qt::ControlModifier;
        // Text "abcd" with "bc" selected.
        QTest::newRow("ctrl+c") << Qt::Key_C << c << "XY" << "abcd" << "bc";
        QTest::newRow("ctrl+delete") << Qt::Key_Delete << c << "XY" << "abcd" << "bc";
        QTest::newRow("ctrl+x") << Qt::Key_X << c << "XY" << "ad" << "bc";
        QTest::newRow("shift+delete") << Qt::Key_Delete << s << "XY" << "ad" << "bc";
        QTest::newRow("ctrl+v") << Qt::Key_V << c << "XY" << "aXYd" << "XY";
        QTest::newRow("shift+insert") << Qt::Key_Insert << s << "XY" << "aXYd" << "XY";
        QTest::newRow("empty clipboard keeps the selection") << Qt::Key_V << c << "" << "abcd" << "";
    }
    void clipboard()
    {
        QFETCH(Qt::Key, tasta);
        QFETCH(Qt::KeyboardModifiers, mod);
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("abcd")));
        QFETCH(QString, clipboardInainte);
        if (clipboardInainte.isEmpty())
            QGuiApplication::clipboard()->clear();
        else
            QGuiApplication::clipboard()->setText(clipboardInainte);
        e->setFocus();
        e->SeteazaSelectia(2, 2);
        QTest::keyClick(e, tasta, mod);
        QTEST(e->Text(), "textDupa");
        if (e->Text() == u"abcd")
            QCOMPARE(e->TextSelectat(), QStringLiteral("bc"));
        QTEST(QGuiApplication::clipboard()->text(), "clipboardDupa");
    }

    void pasteIntoNumberBox_followsTheNumberRules()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelNumEdit>();
        QVERIFY(f.Arata());
        e->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->Text(), QStringLiteral("12,5"));
        QCOMPARE(e->PozitieCursor(), 5);
        QGuiApplication::clipboard()->setText(QStringLiteral("1.234"));
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->Text(), QStringLiteral("12,5"));
    }

    void readOnly_refusesEditingKeysButCopies()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("abc")));
        e->SetReadOnly(true);
        e->setFocus();
        QCOMPARE(e->StareVizuala(), 2);
        QTest::keyClicks(e, QStringLiteral("x"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(e->Text(), QStringLiteral("abc"));
        e->SeteazaSelectia(1, 3);
        QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
    }

    void romanianLetters_fromAltGrAndInputMethod()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        e->setFocus();
        // AltGr arrives as Ctrl+Alt on some platforms; AltGr+C must type, not copy.
        QKeyEvent altGr(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("ć"));
        QApplication::sendEvent(e, &altGr);
        QInputMethodEvent compus(QString(), {});
        compus.setCommitString(QStringLiteral("ş\n"));
        QApplication::sendEvent(e, &compus);
        QCOMPARE(e->Text(), QStringLiteral("ćş"));
        QCOMPARE(e->PozitieCursor(), 3);
    }

    void enter_movesFocusForwardOnly()
    {
        TFereastra f;
        auto *a = f.Adauga<TZelTextEdit>();
        auto *b = f.Adauga<TZelNumEdit>();
        QVERIFY(f.Arata());
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(b->hasFocus());
    }

    void otherKeys_goToOwnerKeyDown_data()
    {
        QTest::addColumn<Qt::Key>("tasta");
        QTest::addColumn<Qt::KeyboardModifiers>("mod");
        QTest::addColumn<bool>("laProprietar");
        QTest::newRow("escape") << Qt::Key_Escape << Qt::KeyboardModifiers() << true;
        QTest::newRow("f2") << Qt::Key_F2 << Qt::KeyboardModifiers() << true;
        QTest::newRow("alt+f4, alt ignored") << Qt::Key_F4 << Qt::KeyboardModifiers(Qt::AltModifier) << true;
        QTest::newRow("shift+f3 does nothing") << Qt::Key_F3 << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
        QTest::newRow("plain insert") << Qt::Key_Insert << Qt::KeyboardModifiers() << true;
        QTest::newRow("ctrl+insert does nothing") << Qt::Key_Insert << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    }
    void otherKeys_goToOwnerKeyDown()
    {
        QFETCH(Qt::Key, tasta);
        QFETCH(Qt::KeyboardModifiers, mod);
        QFETCH(bool, laProprietar);
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("ab")));
        QGuiApplication::clipboard()->setText(QStringLiteral("XY"));
        e->setFocus();
        e->SeteazaSelectia(2, 0);
        QList<int> taste;
        e->OnKeyDown = [&](TZelCustomTextEdit *, QKeyEvent *k) { taste << k->key(); };
        QTest::keyClick(e, tasta, mod);
        taste.removeAll(Qt::Key_Alt); // the Alt key itself reaches the owner too
        QCOMPARE(taste, laProprietar ? QList<int>{tasta} : QList<int>{});
        QCOMPARE(e->Text(), QStringLiteral("ab"));
        QCOMPARE(e->PozitieCursor(), 2);
    }

    // ---- change event, focus, mouse -----------------------------------------------

    void onChange_firesOnlyForRealChanges()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelNumEdit>();
        QVERIFY(f.Arata());
        int schimbari = 0;
        e->OnChange = [&](TZelCustomTextEdit *) { ++schimbari; };
        QVERIFY(e->SetText(QStringLiteral("1")));
        QCOMPARE(schimbari, 1);
        QVERIFY(e->SetText(QStringLiteral("1"))); // same text
        QCOMPARE(schimbari, 1);
        QVERIFY(!e->SetText(QStringLiteral("x"))); // refused
        QCOMPARE(schimbari, 1);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_End);
        QTest::keyClicks(e, QStringLiteral("2a,"));
        QCOMPARE(e->Text(), QStringLiteral("12,"));
        QCOMPARE(schimbari, 3);
    }

    void onChange_notWhileTheWindowLoads()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelNumEdit>();
        int schimbari = 0;
        e->OnChange = [&](TZelCustomTextEdit *) { ++schimbari; };
        {
            TZelIncarcareFereastra incarcare(&f.w);
            {
                TZelIncarcareFereastra inca(&f.w); // nested
                e->SetCuDouaZecimale(1250);
            }
            e->SetAsCurrency(70000);
        }
        QCOMPARE(schimbari, 0);
        QCOMPARE(e->Text(), QStringLiteral("7,00"));
        QVERIFY(!TZelIncarcareFereastra::SeIncarca(e));
        e->SetCuDouaZecimale(1250);
        QCOMPARE(schimbari, 1);
        // Another window being loaded does not hold this one back.
        QWidget alta;
        TZelIncarcareFereastra incarcare(&alta);
        e->SetText(QStringLiteral("3"));
        QCOMPARE(schimbari, 2);
    }

    void focus_data()
    {
        QTest::addColumn<bool>("autoSelect");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("stareFocus");
        QTest::addColumn<int>("stareFaraFocus");
        QTest::newRow("auto select") << true << false << 5 << 3;
        QTest::newRow("caret at end") << false << false << 5 << 3;
        QTest::newRow("read-only") << true << true << 2 << 0;
    }
    void focus()
    {
        QFETCH(bool, autoSelect);
        QFETCH(bool, readOnly);
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        auto *altul = f.Adauga<QLineEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("abc")));
        e->SetAutoSelectOnEnter(autoSelect);
        e->SetReadOnly(readOnly);
        altul->setFocus();
        QTEST(e->StareVizuala(), "stareFaraFocus");
        e->setFocus();
        QTEST(e->StareVizuala(), "stareFocus");
        QCOMPARE(e->PozitieCursor(), autoSelect ? 1 : 4);
        QCOMPARE(e->LungimeSelectie(), autoSelect ? 3 : 0);
        altul->setFocus();
        QTEST(e->StareVizuala(), "stareFaraFocus");
    }

    void mouse_firstClickFocusesThenPlacesCaretAndDrags()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        auto *altul = f.Adauga<QLineEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("abcdef")));
        altul->setFocus();
        const QFontMetrics fm(FontulCutiilor());
        // Just right of the middle of "c": after it.
        const int xDupaC = 4 + fm.horizontalAdvance(QStringLiteral("ab")) + fm.horizontalAdvance(u'c') * 3 / 4;
        QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(xDupaC, 12));
        QVERIFY(e->hasFocus());
        QCOMPARE(e->PozitieCursor(), 1); // the first click only focused (and selected all)
        QCOMPARE(e->LungimeSelectie(), 6);
        QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(xDupaC, 12));
        QCOMPARE(e->PozitieCursor(), 4);
        QCOMPARE(e->LungimeSelectie(), 0);
        // Just left of the middle of "b": before it.
        const int xInainteB = 4 + fm.horizontalAdvance(u'a') + fm.horizontalAdvance(u'b') / 4;
        QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(xInainteB, 12));
        QCOMPARE(e->PozitieCursor(), 2);

        // Drag from before "b" to the end.
        QTest::mousePress(e, Qt::LeftButton, Qt::NoModifier, QPoint(xInainteB, 12));
        QMouseEvent mutare(QEvent::MouseMove, QPointF(150, 12), e->mapToGlobal(QPointF(150, 12)),
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e, &mutare);
        QTest::mouseRelease(e, Qt::LeftButton, Qt::NoModifier, QPoint(150, 12));
        QCOMPARE(e->PozitieCursor(), 7);
        QCOMPARE(e->LungimeSelectie(), -5);
        QCOMPARE(e->TextSelectat(), QStringLiteral("bcdef"));
    }

    // ---- states and styles ---------------------------------------------------------

    void hover_startsWatcherAndNoticeReturnsToIdle()
    {
        TFereastra f;
        auto *altul = f.Adauga<QLineEdit>();
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        altul->setFocus();
        QCOMPARE(e->StareVizuala(), 3);
        const QPoint centru = e->mapToGlobal(QPoint(50, 12));
        MutaPointerul(centru);
        QMouseEvent mutare(QEvent::MouseMove, QPointF(50, 12), QPointF(centru), Qt::NoButton, Qt::NoButton,
                           Qt::NoModifier);
        QApplication::sendEvent(e, &mutare);
        QCOMPARE(e->StareVizuala(), 4);
        QTest::qWait(30);
        QCOMPARE(e->StareVizuala(), 4); // still inside: no notice
        MutaPointerul(QPoint(-10000, -10000));
        QTRY_COMPARE(e->StareVizuala(), 3);

        e->SetReadOnly(true);
        QCOMPARE(e->StareVizuala(), 0);
        QCoreApplication::sendEvent(e, &mutare);
        QCOMPARE(e->StareVizuala(), 1);
        QTRY_COMPARE(e->StareVizuala(), 0);
    }

    void state_outsideRangeFails()
    {
        TZelTextEdit e;
        QVERIFY_THROWS_EXCEPTION(EZel, e.SetStareVizuala(6));
        QVERIFY_THROWS_EXCEPTION(EZel, e.StilPentruStare(-1));
        try {
            e.SetStareVizuala(7);
        } catch (const EZel &x) {
            QCOMPARE(x.Mesaj(), QStringLiteral("Don't know state"));
        }
        QCOMPARE(e.StareVizuala(), 3);
    }

    void colorVariation_data()
    {
        QTest::addColumn<int>("variatie");
        QTest::addColumn<QColor>("culoare");
        const QColor baza(100, 10, 250);
        QTest::newRow("none") << int(cvNoVariation) << QColor(100, 10, 250);
        QTest::newRow("lite blue") << int(cvLiteBlue) << QColor(80, 0, 250);
        QTest::newRow("lite green") << int(cvLiteGreen) << QColor(80, 10, 230);
        QTest::newRow("lite red") << int(cvLiteRed) << QColor(100, 0, 230);
        QTest::newRow("lite lite blue") << int(cvLiteLiteBlue) << QColor(90, 0, 250);
        QTest::newRow("lite lite green") << int(cvLiteLiteGreen) << QColor(90, 10, 240);
        QTest::newRow("lite lite red") << int(cvLiteLiteRed) << QColor(100, 0, 240);
        QTest::newRow("lite") << int(cvLite) << QColor(120, 30, 255);
        QTest::newRow("lite lite") << int(cvLiteLite) << QColor(110, 20, 255);
    }
    void colorVariation()
    {
        QFETCH(int, variatie);
        const TZelColorVariation v(QColor(100, 10, 250), TZelColorVariationEnum(variatie));
        QTEST(v.Culoare(), "culoare");
    }

    void colorVariation_unknownFails()
    {
        const TZelColorVariation v(QColor(1, 2, 3), TZelColorVariationEnum(42));
        try {
            v.Culoare();
            QFAIL("no error");
        } catch (const EZel &x) {
            QCOMPARE(x.Mesaj(), QStringLiteral("Don't know variation"));
        }
    }

    void styleRepository_defaults()
    {
        const TZelTextEditStyleRepository r;
        const QColor f = CuloriSistem::Fereastra();
        QCOMPARE(r.Cold.BkColor.Culoare(), QColor(f.red(), f.green(), (f.blue() + 251) % 256));
        QCOMPARE(r.Cold.BorderColor.Culoare().rgb(), CuloriSistem::UmbraButon().rgb());
        QCOMPARE(r.Hot.BorderColor.Culoare(), QColor(0, 0, 0));
        QCOMPARE(r.Hot.BorderWidth, 2);
        QCOMPARE(r.Hot.BkColor.Variation, cvLiteLiteBlue);
        QCOMPARE(r.Hover.BkColor.Variation, cvLiteGreen);
        QCOMPARE(r.Hover.BorderColor.Variation, cvLiteGreen);
        QCOMPARE(r.ReadOnlyCold.BkColor.BaseColor.rgb(), CuloriSistem::FataButon().rgb());
        QCOMPARE(r.ReadOnlyCold.BkColor.Variation, cvLite);
        QCOMPARE(r.ReadOnlyHot.BkColor.Variation, cvLiteLiteRed);
        QCOMPARE(r.ReadOnlyHover.BkColor.Variation, cvLiteRed);
        for (const TZelTextEditStyle *s : {&r.Cold, &r.Hover, &r.ReadOnlyCold, &r.ReadOnlyHot, &r.ReadOnlyHover})
            QCOMPARE(s->BorderWidth, 1);
        QCOMPARE(r.Cold.Font.family(), QStringLiteral("Arial"));
        QCOMPARE(r.Cold.Font.pointSize(), 9);
        QCOMPARE(r.Cold.FontColor.Culoare().rgb(), CuloriSistem::TextFereastra().rgb());
    }

    void installedRepository_paintsTheBoxes()
    {
        TZelTextEditStyleRepository propriu;
        propriu.Cold.BkColor = TZelColorVariation(QColor(10, 200, 30));
        InstaleazaZelTextEditStyleRepository(&propriu);
        TZelTextEdit e;
        const QImage img = e.grab().toImage();
        InstaleazaZelTextEditStyleRepository(nullptr);
        QCOMPARE(img.pixelColor(50, 12), QColor(10, 200, 30));
        QCOMPARE(img.pixelColor(0, 0).rgb(), CuloriSistem::UmbraButon().rgb()); // the border
        const QImage implicit = e.grab().toImage();
        QCOMPARE(implicit.pixelColor(50, 12), ZelTextEditStyleRepository()->Cold.BkColor.Culoare());
    }

    // ---- pixels the look fixes -----------------------------------------------------

    void frame_borderWidthAndDisabledLook()
    {
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(QStringLiteral("WWWW")));
        e->setFocus();
        QCOMPARE(e->StareVizuala(), 5);
        QImage img = e->grab().toImage();
        QCOMPARE(img.pixelColor(0, 0).rgb(), QColor(0, 0, 0).rgb());
        QCOMPARE(img.pixelColor(1, 1).rgb(), QColor(0, 0, 0).rgb());
        QCOMPARE(img.pixelColor(2, 2).rgb(), ZelTextEditStyleRepository()->Hot.BkColor.Culoare().rgb());

        e->clearFocus();
        e->CuloareDezactivat = QColor(200, 100, 50);
        e->AscundeTextulCandEDezactivat = true;
        e->setEnabled(false);
        img = e->grab().toImage();
        for (int y = 2; y < img.height() - 2; ++y)
            for (int x = 2; x < img.width() - 2; ++x)
                QCOMPARE(img.pixelColor(x, y).rgb(), QColor(200, 100, 50).rgb());
        e->AscundeTextulCandEDezactivat = false;
        img = e->grab().toImage();
        int text = 0;
        for (int y = 2; y < img.height() - 2; ++y)
            for (int x = 2; x < img.width() - 2; ++x)
                text += img.pixelColor(x, y).rgb() != QColor(200, 100, 50).rgb();
        QVERIFY(text > 10);
    }

    void disabledLook_data()
    {
        QTest::addColumn<QColor>("culoareParinte");
        QTest::addColumn<QColor>("culoareProprie");
        QTest::addColumn<QColor>("culoareDezactivat");
        QTest::addColumn<QString>("fundal"); // "fata", "stare" or "dezactivat"
        const QColor fata = CuloriSistem::FataButon(), alta(10, 200, 30), nimic;
        const QColor dezactivat(200, 100, 50);
        QTest::newRow("on a button-face parent") << fata << nimic << nimic << "fata";
        QTest::newRow("on another parent") << alta << nimic << nimic << "stare";
        QTest::newRow("own button-face colour") << alta << fata << nimic << "fata";
        QTest::newRow("own other colour") << fata << alta << nimic << "stare";
        QTest::newRow("disabled colour wins") << fata << nimic << dezactivat << "dezactivat";
        QTest::newRow("disabled colour elsewhere") << alta << nimic << dezactivat << "dezactivat";
        QTest::newRow("disabled with its parent") << fata << nimic << nimic << "fata, parent disabled";
    }
    void disabledLook()
    {
        QFETCH(QColor, culoareParinte);
        QFETCH(QColor, culoareProprie);
        QFETCH(QColor, culoareDezactivat);
        QFETCH(QString, fundal);
        QWidget parinte;
        QPalette pal = parinte.palette();
        pal.setColor(parinte.backgroundRole(), culoareParinte);
        parinte.setPalette(pal);
        auto *e = new TZelTextEdit(&parinte);
        e->Color = culoareProprie;
        e->CuloareDezactivat = culoareDezactivat;
        const QColor stare = ZelTextEditStyleRepository()->Cold.BkColor.Culoare();
        QCOMPARE(e->grab().toImage().pixelColor(50, 12).rgb(), stare.rgb()); // enabled: the state's
        if (fundal.endsWith(u", parent disabled")) {
            // A disabled parent reads its colours from another group; the box still knows them.
            QPalette p = parinte.palette();
            p.setColor(QPalette::Disabled, parinte.backgroundRole(), QColor(1, 2, 3));
            parinte.setPalette(p);
            parinte.setEnabled(false);
            fundal = QStringLiteral("fata");
        }
        e->setEnabled(false);
        const QColor asteptat = fundal == u"fata" ? CuloriSistem::FataButon()
                                : fundal == u"stare" ? stare
                                                     : culoareDezactivat;
        QCOMPARE(e->grab().toImage().pixelColor(50, 12).rgb(), asteptat.rgb());
    }

    void caret_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoSelect");
        QTest::addColumn<int>("cursor"); // where the caret stands after focusing
        QTest::newRow("at the end") << "abc" << false << 4;
        QTest::newRow("all selected, at 1") << "abc" << true << 1;
        QTest::newRow("empty") << "" << false << 1;
    }
    void caret()
    {
        QFETCH(QString, text);
        QFETCH(bool, autoSelect);
        QFETCH(int, cursor);
        TFereastra f;
        auto *e = f.Adauga<TZelTextEdit>();
        auto *altul = f.Adauga<QLineEdit>();
        // Painted as focused, without the focus: everything but the caret.
        auto *model = f.Adauga<TZelTextEdit>();
        QVERIFY(f.Arata());
        QVERIFY(e->SetText(text));
        e->SetAutoSelectOnEnter(autoSelect);
        altul->setFocus();
        e->setFocus();
        QCOMPARE(e->PozitieCursor(), cursor);
        QVERIFY(model->SetText(text));
        model->SeteazaSelectia(e->PozitieCursor(), e->LungimeSelectie());
        model->SetStareVizuala(5);
        const QFontMetrics fm(FontulCutiilor());
        const int x = 4 + fm.horizontalAdvance(text.left(cursor - 1));
        const QImage cu = e->grab().toImage();
        const QImage fara = model->grab().toImage();
        // 2 pixels wide, from 3 pixels down to 3 above the bottom, inverting what lies below.
        for (int y = 0; y < e->height(); ++y)
            for (int dx = -1; dx <= 2; ++dx) {
                const QColor sub = fara.pixelColor(x + dx, y);
                const bool pe = dx >= 0 && dx < 2 && y >= 3 && y < e->height() - 3;
                const QColor asteptat = pe ? QColor(255 - sub.red(), 255 - sub.green(), 255 - sub.blue()) : sub;
                QCOMPARE(cu.pixelColor(x + dx, y).rgb(), asteptat.rgb());
            }
        // Losing the focus hides it.
        e->clearFocus();
        e->SetStareVizuala(5);
        QCOMPARE(e->grab().toImage(), fara);
    }

    void thousandsHooks()
    {
        TZelNumEdit e;
        e.resize(160, 24);
        QVERIFY(e.SetText(QStringLiteral("1234567")));
        const QFontMetrics fm(FontulCutiilor());
        // Not focused: right-aligned 4 pixels from the right edge.
        const int x0 = e.width() - 4 - fm.horizontalAdvance(e.Text());
        const QList<int> asteptate{x0 + fm.horizontalAdvance(QStringLiteral("1")),
                                   x0 + fm.horizontalAdvance(QStringLiteral("1234"))};
        const QSet<int> albastre = ColoaneCu(e.grab().toImage(), QColor(0, 0, 255));
        QVERIFY2(!albastre.isEmpty(), "no hooks drawn");
        for (int x : albastre) {
            bool langa = false;
            for (int a : asteptate)
                langa = langa || std::abs(x - a) <= 2;
            QVERIFY2(langa, qPrintable(QStringLiteral("blue at column %1").arg(x)));
        }
        for (int a : asteptate) {
            bool gasit = false;
            for (int x : albastre)
                gasit = gasit || std::abs(x - a) <= 2;
            QVERIFY2(gasit, qPrintable(QStringLiteral("no hook near column %1").arg(a)));
        }

        e.SetNoDots(true);
        QVERIFY(ColoaneCu(e.grab().toImage(), QColor(0, 0, 255)).isEmpty());
    }

    void hooks_notAfterSignNorInFraction()
    {
        TZelNumEdit e;
        e.resize(200, 24);
        e.SetNrCifreDupaVirgula(4);
        QVERIFY(e.SetText(QStringLiteral("-123,4567")));
        QVERIFY(ColoaneCu(e.grab().toImage(), QColor(0, 0, 255)).isEmpty());
        QVERIFY(e.SetText(QStringLiteral("-1234,5")));
        const QFontMetrics fm(FontulCutiilor());
        const int x0 = e.width() - 4 - fm.horizontalAdvance(e.Text());
        const int a = x0 + fm.horizontalAdvance(QStringLiteral("-1"));
        for (int x : ColoaneCu(e.grab().toImage(), QColor(0, 0, 255)))
            QVERIFY(std::abs(x - a) <= 2);
    }

    void commaStroke_andRedMinus()
    {
        TZelNumEdit e;
        e.resize(160, 24);
        QVERIFY(e.SetText(QStringLiteral("12,5")));
        const QFontMetrics fm(FontulCutiilor());
        const int x0 = e.width() - 4 - fm.horizontalAdvance(e.Text());
        const int xVirgula = x0 + fm.horizontalAdvance(QStringLiteral("12"));
        const QImage img = e.grab().toImage();
        const QColor rosu(255, 0, 0);
        // A one-pixel red stroke at the comma, from half the height to 4 pixels above the bottom.
        int coloana = -1;
        for (int x = xVirgula - 1; x <= xVirgula + fm.horizontalAdvance(u',') + 1; ++x)
            if (img.pixelColor(x, e.height() / 2) == rosu && img.pixelColor(x, e.height() - 4) == rosu)
                coloana = x;
        QVERIFY(coloana >= 0);
        QVERIFY(img.pixelColor(coloana, e.height() / 2 - 2) != rosu);
        QVERIFY(img.pixelColor(coloana, e.height() - 2) != rosu);

        // No red anywhere else without a minus; with one, the digits turn red.
        QSet<int> rosii = ColoaneCu(img, rosu);
        rosii.remove(coloana);
        QVERIFY(rosii.isEmpty());
        QVERIFY(e.SetText(QStringLiteral("-12")));
        int rosiatice = 0;
        const QImage cuMinus = e.grab().toImage();
        for (int y = 0; y < cuMinus.height(); ++y)
            for (int x = 0; x < cuMinus.width(); ++x) {
                const QColor p = cuMinus.pixelColor(x, y);
                rosiatice += p.red() > 200 && p.green() < 120 && p.blue() < 120;
            }
        QVERIFY(rosiatice > 10);
        e.SetNoDots(true);
        QVERIFY(e.SetText(QStringLiteral("1,5")));
        QVERIFY(ColoaneCu(e.grab().toImage(), rosu).isEmpty());
    }

    // ---- the pointer watcher -------------------------------------------------------

    void watcher_postsOnceAndEnds()
    {
        TFereastraNumarata w;
        w.setGeometry(100, 100, 80, 30);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QRect r(w.mapToGlobal(QPoint(0, 0)), w.size());
        MutaPointerul(r.topLeft()); // the edge counts as inside
        QPointer<TZelMouseInWindowThread> t = new TZelMouseInWindowThread(&w, ZelMesajPointerIesit);
        QSignalSpy gata(t.data(), &TZelMouseInWindowThread::SaTerminat);
        QTest::qWait(40);
        QCOMPARE(gata.count(), 0);
        MutaPointerul(QPoint(r.left() + r.width(), r.top() + r.height())); // still the edge
        QTest::qWait(40);
        QCOMPARE(gata.count(), 0);
        QCOMPARE(w.notificari, 0);
        MutaPointerul(QPoint(r.left() + r.width() + 1, r.top()));
        QVERIFY(gata.wait(5000));
        QCOMPARE(gata.at(0).at(0).toBool(), true);
        QTRY_VERIFY(t.isNull()); // released itself
        QTest::qWait(40);
        QCOMPARE(w.notificari, 1);
    }

    void watcher_followsMovesOfEveryParent()
    {
        TFereastraNumarata sus;
        sus.setGeometry(100, 100, 300, 200);
        auto *cutie = new QWidget(&sus);
        cutie->setGeometry(0, 0, 200, 100);
        auto *w = new TFereastraNumarata;
        w->setParent(cutie);
        w->setGeometry(10, 10, 50, 20);
        sus.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sus));
        MutaPointerul(w->mapToGlobal(QPoint(5, 5)));
        QPointer<TZelMouseInWindowThread> t = new TZelMouseInWindowThread(w, ZelMesajPointerIesit);
        QSignalSpy gata(t.data(), &TZelMouseInWindowThread::SaTerminat);
        // The middle parent moves; the pointer follows the box to its new place.
        cutie->move(80, 60);
        MutaPointerul(w->mapToGlobal(QPoint(5, 5)));
        QTest::qWait(40);
        QCOMPARE(gata.count(), 0);
        MutaPointerul(w->mapToGlobal(QPoint(60, 5)));
        QVERIFY(gata.wait(5000));
        QCOMPARE(gata.at(0).at(0).toBool(), true);
        QTRY_COMPARE(w->notificari, 1);
    }

    void watcher_endsWithoutPostingWhenTheWidgetIsGone()
    {
        auto *w = new TFereastraNumarata;
        w->setGeometry(100, 100, 80, 30);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        MutaPointerul(w->mapToGlobal(QPoint(10, 10)));
        QPointer<TZelMouseInWindowThread> t = new TZelMouseInWindowThread(w, ZelMesajPointerIesit);
        QSignalSpy gata(t.data(), &TZelMouseInWindowThread::SaTerminat);
        QTest::qWait(20);
        delete w;
        MutaPointerul(QPoint(-10000, -10000));
        QVERIFY(gata.wait(5000));
        QCOMPARE(gata.at(0).at(0).toBool(), false);
        QTRY_VERIFY(t.isNull());
    }

private:
    // Letters carry the text a keyboard gives them: upper case with Shift, a control
    // character with Ctrl.
    static void ApasaTasta(QWidget *w, Qt::Key tasta, Qt::KeyboardModifiers mod)
    {
        if (tasta >= Qt::Key_A && tasta <= Qt::Key_Z) {
            QString text(QChar(u'a' + (tasta - Qt::Key_A)));
            if (mod & Qt::ShiftModifier)
                text = text.toUpper();
            if (mod & Qt::ControlModifier)
                text = QString(QChar(tasta - Qt::Key_A + 1));
            QKeyEvent apasare(QEvent::KeyPress, tasta, mod, text);
            QApplication::sendEvent(w, &apasare);
            QKeyEvent ridicare(QEvent::KeyRelease, tasta, mod, text);
            QApplication::sendEvent(w, &ridicare);
            return;
        }
        QTest::keyClick(w, tasta, mod);
    }

    static QSet<int> ColoaneCu(const QImage &img, const QColor &c)
    {
        QSet<int> coloane;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c)
                    coloane.insert(x);
        return coloane;
    }
};

QTEST_MAIN(TstEditBoxes)
#include "tst_editboxes.moc"
