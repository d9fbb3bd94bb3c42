#include "text/TextRo.h"

#include <QDir>

namespace {

QChar LiteraCod(QChar cod)
{
    switch (cod.unicode()) {
    case u'A': return QChar(0x0102); // Ă
    case u'a': return QChar(0x0103); // ă
    case u'H': return QChar(0x00C2); // Â
    case u'h': return QChar(0x00E2); // â
    case u'I': return QChar(0x00CE); // Î
    case u'i': return QChar(0x00EE); // î
    case u'S': return QChar(0x015E); // Ş
    case u's': return QChar(0x015F); // ş
    case u'T': return QChar(0x0162); // Ţ
    case u't': return QChar(0x0163); // ţ
    case u'@': return QChar(u'@');
    default: return QChar();
    }
}

// Upper-case letter and its lower-case pair, beyond ASCII.
constexpr char16_t kPerechi[][2] = {
    {0x015E, 0x015F}, // Ş ş
    {0x0162, 0x0163}, // Ţ ţ
    {0x0102, 0x0103}, // Ă ă
    {0x0218, 0x0219}, // Ș ș
    {0x021A, 0x021B}, // Ț ț
};

QString SchimbaLitere(const QString &text, bool spreMici)
{
    QString t = text;
    for (QChar &c : t) {
        const char16_t u = c.unicode();
        if (spreMici && u >= u'A' && u <= u'Z') {
            c = QChar(char16_t(u + 32));
            continue;
        }
        if (!spreMici && u >= u'a' && u <= u'z') {
            c = QChar(char16_t(u - 32));
            continue;
        }
        for (const auto &p : kPerechi) {
            if (u == p[spreMici ? 0 : 1]) {
                c = QChar(p[spreMici ? 1 : 0]);
                break;
            }
        }
    }
    return t;
}

const char *const kLuni[12] = {"ianuarie", "februarie", "martie", "aprilie", "mai", "iunie",
                               "iulie", "august", "septembrie", "octombrie", "noiembrie", "decembrie"};

bool EsteSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

QString DecodeazaDiacritice(const QString &text)
{
    QString rezultat;
    rezultat.reserve(text.size());
    bool cod = false;
    for (const QChar c : text) {
        if (cod) {
            const QChar litera = LiteraCod(c);
            if (!litera.isNull())
                rezultat += litera;
            cod = false;
        } else if (c == QLatin1Char('@')) {
            cod = true;
        } else {
            rezultat += c;
        }
    }
    return rezultat;
}

QString LitereMiciRo(const QString &text) { return SchimbaLitere(text, true); }
QString LitereMariRo(const QString &text) { return SchimbaLitere(text, false); }

QString DataRoLunga(const QDate &data)
{
    if (!data.isValid())
        return QString();
    return QStringLiteral("%1 %2 %3").arg(data.day()).arg(QLatin1String(kLuni[data.month() - 1])).arg(data.year());
}

QString DataRoZiLuna(const QDate &data)
{
    if (!data.isValid())
        return QString();
    return QStringLiteral("%1/%2").arg(data.day(), 2, 10, QLatin1Char('0')).arg(data.month(), 2, 10, QLatin1Char('0'));
}

QString DataRoScurta(const QDate &data)
{
    if (!data.isValid())
        return QString();
    const QString an = CompleteazaLaDreapta(QString::number(data.year()), 4, QLatin1Char('?'));
    return DataRoZiLuna(data) + QLatin1Char('/') + an.mid(2, 2);
}

QString NormalizeazaCale(const QString &cale)
{
    const QChar sep = QDir::separator();
    const bool retea = cale.size() >= 2 && EsteSeparator(cale.at(0)) && EsteSeparator(cale.at(1));
    QString rezultat;
    rezultat.reserve(cale.size());
    if (retea)
        rezultat += QString(2, sep);
    for (qsizetype i = retea ? 2 : 0; i < cale.size(); ++i) {
        const QChar c = cale.at(i);
        if (!EsteSeparator(c)) {
            rezultat += c;
            continue;
        }
        // One separator for a run, and none right after the network pair.
        if (!rezultat.isEmpty() && rezultat.back() == sep)
            continue;
        rezultat += sep;
    }
    return rezultat;
}

QString CompleteazaLaDreapta(const QString &text, int lungime, QChar caracter)
{
    if (text.size() >= lungime)
        return text;
    return text + QString(lungime - text.size(), caracter);
}
