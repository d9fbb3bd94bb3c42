#include "text/CodePage1250.h"

#include "text/Eroare.h"

#include <array>

namespace {

// Upper half of the code page, 0x80..0xFF.
constexpr std::array<char16_t, 128> kSus = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The character at i, a surrogate pair taken whole, for the error message.
QString DescrieCaracter(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    char32_t cod = c.unicode();
    QString afisat(c);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        cod = QChar::surrogateToUcs4(c, text.at(i + 1));
        afisat = text.mid(i, 2);
    }
    return QStringLiteral("\"%1\" (U+%2)").arg(afisat, QString::number(cod, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

[[noreturn]] void NuIncape(const QString &text, qsizetype i)
{
    throw EZel(QStringLiteral("Caracterul %1 nu poate fi scris in pagina de cod Windows-1250").arg(DescrieCaracter(text, i)));
}

// Text typed or pasted in decomposed form ("s" followed by a combining comma) is composed
// first, so it folds like the precomposed letter. A combining accent left on a letter
// that has no precomposed form is the accent of an accented letter: the letter stays.
QString Pregateste(const QString &text)
{
    bool simplu = true;
    for (const QChar c : text)
        if (c.unicode() >= 0x0300) {
            simplu = false;
            break;
        }
    return simplu ? text : text.normalized(QString::NormalizationForm_C);
}

bool AccentPeLitera(const QString &text, qsizetype i)
{
    if (i == 0 || text.at(i).category() != QChar::Mark_NonSpacing)
        return false;
    qsizetype j = i - 1;
    while (j > 0 && text.at(j).category() == QChar::Mark_NonSpacing)
        --j;
    return text.at(j).isLetter() && Cp1250::InOctet(text.at(i)) < 0;
}

} // namespace

namespace Cp1250 {

QChar DinOctet(unsigned char octet)
{
    if (octet < 0x80)
        return QChar(char16_t(octet));
    return QChar(kSus[octet - 0x80]);
}

int InOctet(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u;
    for (int i = 0; i < 128; ++i)
        if (kSus[i] == u)
            return 0x80 + i;
    return -1;
}

QChar Pliaza(QChar c)
{
    if (InOctet(c) >= 0)
        return c;
    switch (c.unicode()) {
    case 0x0219: return QChar(0x015F); // ș -> ş
    case 0x021B: return QChar(0x0163); // ț -> ţ
    case 0x0218: return QChar(0x015E); // Ș -> Ş
    case 0x021A: return QChar(0x0162); // Ț -> Ţ
    default: break;
    }
    if (c.isLetter() && c.decompositionTag() == QChar::Canonical) {
        const QString d = c.decomposition();
        if (!d.isEmpty()) {
            const QChar baza = d.at(0);
            if (InOctet(baza) >= 0)
                return baza;
            const QChar maiDeparte = Pliaza(baza);
            if (!maiDeparte.isNull())
                return maiDeparte;
        }
    }
    return QChar();
}

QString PliazaText(const QString &text)
{
    const QString t = Pregateste(text);
    QString rezultat;
    rezultat.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (InOctet(c) >= 0) { // NUL too, which Pliaza cannot tell from "no form"
            rezultat.append(c);
            continue;
        }
        if (AccentPeLitera(t, i))
            continue;
        const QChar p = Pliaza(c);
        if (p.isNull())
            NuIncape(t, i);
        rezultat.append(p);
    }
    return rezultat;
}

QString Decodifica(const QByteArray &octeti)
{
    QString rezultat(octeti.size(), Qt::Uninitialized);
    QChar *d = rezultat.data();
    for (const char o : octeti)
        *d++ = DinOctet(static_cast<unsigned char>(o));
    return rezultat;
}

QByteArray Codifica(const QString &text)
{
    // Every character of the folded text is in the code page.
    const QString t = PliazaText(text);
    QByteArray rezultat;
    rezultat.reserve(t.size());
    for (const QChar c : t)
        rezultat.append(static_cast<char>(InOctet(c)));
    return rezultat;
}

} // namespace Cp1250
