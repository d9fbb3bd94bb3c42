#include "print/AllStuffReg.h"

#include "settings/Registru.h"
#include "text/Conventii.h"
#include "text/Eroare.h"

#include <cmath>
#include <exception>

namespace {

constexpr int AnulSetarilor = 2008;
constexpr int NumarElemente = 12;

TAllStuffReg *g_curente = nullptr;

bool Blanc(QChar c)
{
    return c.unicode() <= u' ';
}

bool TrebuieCitat(const QString &s)
{
    for (QChar c : s)
        if (Blanc(c) || c == u',' || c == u'"')
            return true;
    return false;
}

const QString &CheieAll()
{
    static const QString n = QStringLiteral("all");
    return n;
}

QString Element(const QStringList &elemente, int i)
{
    return elemente.at(i);
}

bool Adevarat(const QString &s)
{
    return s == QLatin1String("1");
}

QString Bit(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

int64_t Intreg(const QString &s, int64_t minim, int64_t maxim)
{
    bool ok = false;
    const qlonglong v = s.trimmed().toLongLong(&ok, 10);
    if (!ok)
        throw EZel(QStringLiteral("'%1' nu este un numar intreg valid").arg(s));
    if (v < minim || v > maxim)
        throw EZel(QStringLiteral("'%1' nu este intre %2 si %3").arg(s).arg(minim).arg(maxim));
    return v;
}

// A margin that is not a number would make every later creation fail; write 0 instead.
QString Margine(double v)
{
    return Conventii::FloatToStr(std::isfinite(v) ? v : 0.0);
}

} // namespace

QString CommaText(const QStringList &elemente)
{
    // A lone empty item would otherwise be written as nothing and read back as no item.
    if (elemente.size() == 1 && elemente.front().isEmpty())
        return QStringLiteral("\"\"");
    QString rezultat;
    for (qsizetype i = 0; i < elemente.size(); ++i) {
        if (i > 0)
            rezultat += u',';
        const QString &e = elemente[i];
        if (TrebuieCitat(e)) {
            QString citat = e;
            citat.replace(QLatin1String("\""), QLatin1String("\"\""));
            rezultat += u'"' + citat + u'"';
        } else {
            rezultat += e;
        }
    }
    return rezultat;
}

QStringList DinCommaText(const QString &text)
{
    QStringList elemente;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n && Blanc(text[p]))
        ++p;
    while (p < n) {
        QString e;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        e += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                e += text[p++];
            }
        } else {
            const qsizetype inceput = p;
            while (p < n && !Blanc(text[p]) && text[p] != u',')
                ++p;
            e = text.mid(inceput, p - inceput);
        }
        elemente.append(e);
        while (p < n && Blanc(text[p]))
            ++p;
        if (p < n && text[p] == u',') {
            ++p;
            // A comma at the very end stands for one more, empty item.
            if (p == n)
                elemente.append(QString());
            while (p < n && Blanc(text[p]))
                ++p;
        }
    }
    return elemente;
}

QString TAllStuffReg::CaleCheie()
{
    return QStringLiteral("SOFTWARE\\Zelmora SOFT\\Brevia\\") + QString::number(AnulSetarilor) + u'\\'
           + QStringLiteral("Lauridex");
}

TAllStuffReg::TAllStuffReg() : m_exceptiiLaCreare(std::uncaught_exceptions())
{
    Incarca();
    if (!g_curente)
        g_curente = this;
}

TAllStuffReg::~TAllStuffReg() noexcept(false)
{
    if (g_curente == this)
        g_curente = nullptr;
    Registru::SalveazaLaDistrugere(m_exceptiiLaCreare, [this] { Salveaza(); },
                                   "Setarile imprimantei nu au putut fi salvate:");
}

TAllStuffReg *CurrentPrinterSettings()
{
    return g_curente;
}

QString TAllStuffReg::MirrorFor(int pagina) const
{
    switch (pagina) {
    case 0: return MirrorFront;
    case 1: return MirrorBack;
    default: return QStringLiteral("*");
    }
}

void TAllStuffReg::SetMirrorFor(int pagina, const QString &text)
{
    if (pagina == 0)
        MirrorFront = text;
    else if (pagina == 1)
        MirrorBack = text;
}

void TAllStuffReg::Incarca()
{
    TCheieRegistru cheie(CaleCheie());
    if (cheie.ExistaValoare(CheieAll())) {
        const QStringList e = DinCommaText(cheie.CitesteText(CheieAll()));
        if (e.size() < NumarElemente)
            throw EZel(QStringLiteral("Setarile imprimantei sunt incomplete: valoarea \"all\" are %1 elemente "
                                      "in loc de %2")
                           .arg(e.size())
                           .arg(NumarElemente));
        // Everything is read before anything is assigned: a bad item leaves nothing loaded.
        const bool configured = Adevarat(Element(e, 1));
        const bool paperTurned = Adevarat(Element(e, 2));
        const bool lineRight = Adevarat(Element(e, 3));
        const bool lineBottom = Adevarat(Element(e, 4));
        const auto feedMode = static_cast<uint8_t>(Intreg(Element(e, 5), 0, 255));
        const double leftFront = Conventii::StrToFloat(Element(e, 6));
        const double topFront = Conventii::StrToFloat(Element(e, 7));
        const double leftBack = Conventii::StrToFloat(Element(e, 8));
        const double topBack = Conventii::StrToFloat(Element(e, 9));
        const QString printerName = Element(e, 10);
        const auto printerIndex = static_cast<int32_t>(Intreg(Element(e, 11), INT32_MIN, INT32_MAX));
        Configured = configured;
        PaperTurned = paperTurned;
        LineRight = lineRight;
        LineBottom = lineBottom;
        FeedMode = feedMode;
        LeftFront = leftFront;
        TopFront = topFront;
        LeftBack = leftBack;
        TopBack = topBack;
        PrinterName = printerName;
        PrinterIndex = printerIndex;
    }
    const QString fata = QStringLiteral("OglindescFata");
    const QString verso = QStringLiteral("OglindescVerso");
    MirrorFront = cheie.ExistaValoare(fata) ? cheie.CitesteText(fata) : QStringLiteral("*");
    MirrorBack = cheie.ExistaValoare(verso) ? cheie.CitesteText(verso) : QStringLiteral("*");
}

void TAllStuffReg::Salveaza()
{
    TCheieRegistru cheie(CaleCheie());
    const QStringList e{QStringLiteral("0"),
                        Bit(Configured),
                        Bit(PaperTurned),
                        Bit(LineRight),
                        Bit(LineBottom),
                        QString::number(FeedMode),
                        Margine(LeftFront),
                        Margine(TopFront),
                        Margine(LeftBack),
                        Margine(TopBack),
                        PrinterName,
                        QString::number(PrinterIndex)};
    cheie.ScrieText(CheieAll(), CommaText(e));
    cheie.ScrieText(QStringLiteral("OglindescFata"), MirrorFront);
    cheie.ScrieText(QStringLiteral("OglindescVerso"), MirrorBack);
}
