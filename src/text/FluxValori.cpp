#include "text/FluxValori.h"

#include "text/CodePage1250.h"
#include "text/Eroare.h"

#include <QDir>
#include <QIODevice>
#include <QSaveFile>

namespace {
enum : uint8_t { kInt8 = 2, kInt16 = 3, kInt32 = 4, kText8 = 6, kText32 = 12, kWText = 18, kUtf8Text = 20 };

[[noreturn]] void EroareCitire() { throw EZel(QStringLiteral("Stream read error")); }
[[noreturn]] void ValoareInvalida() { throw EZel(QStringLiteral("Invalid property value")); }
} // namespace

TCititorValori::TCititorValori(QByteArray date) : m_date(std::move(date)) {}

TCititorValori::TCititorValori(QIODevice &dispozitiv) : m_date(dispozitiv.readAll()) {}

uint8_t TCititorValori::Octet()
{
    if (m_pozitie >= m_date.size())
        EroareCitire();
    return static_cast<uint8_t>(m_date.at(m_pozitie++));
}

QByteArray TCititorValori::Octeti(qint64 numar)
{
    if (numar < 0 || numar > m_date.size() - m_pozitie)
        EroareCitire();
    QByteArray b = m_date.mid(m_pozitie, static_cast<qsizetype>(numar));
    m_pozitie += static_cast<qsizetype>(numar);
    return b;
}

int32_t TCititorValori::Int32()
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(Octet()) << (8 * i);
    return static_cast<int32_t>(v);
}

int32_t TCititorValori::CitesteIntreg()
{
    switch (Octet()) {
    case kInt8:
        return static_cast<int8_t>(Octet());
    case kInt16: {
        const uint16_t lo = Octet();
        const uint16_t hi = Octet();
        return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    case kInt32:
        return Int32();
    default:
        ValoareInvalida();
    }
}

QString TCititorValori::CitesteText()
{
    switch (Octet()) {
    case kText8:
        return Cp1250::Decodifica(Octeti(Octet()));
    case kText32:
        return Cp1250::Decodifica(Octeti(Int32()));
    case kWText: {
        const int32_t n = Int32();
        const QByteArray b = Octeti(qint64(n) * 2);
        QString s(n, Qt::Uninitialized);
        for (int32_t i = 0; i < n; ++i)
            s[i] = QChar(char16_t(uint8_t(b[2 * i]) | (uint8_t(b[2 * i + 1]) << 8)));
        // The program keeps 8-bit texts: fold what the code page lacks.
        return Cp1250::PliazaText(s);
    }
    case kUtf8Text:
        return Cp1250::PliazaText(QString::fromUtf8(Octeti(Int32())));
    default:
        ValoareInvalida();
    }
}

void TScriitorValori::ScrieIntreg(int32_t valoare)
{
    auto octet = [this](uint32_t v) { m_date.append(static_cast<char>(v & 0xFF)); };
    if (valoare >= -128 && valoare <= 127) {
        octet(kInt8);
        octet(static_cast<uint32_t>(valoare));
    } else if (valoare >= -32768 && valoare <= 32767) {
        octet(kInt16);
        const auto v = static_cast<uint32_t>(valoare);
        octet(v);
        octet(v >> 8);
    } else {
        octet(kInt32);
        const auto v = static_cast<uint32_t>(valoare);
        for (int i = 0; i < 4; ++i)
            octet(v >> (8 * i));
    }
}

void TScriitorValori::ScrieText(const QString &text)
{
    const QByteArray b = Cp1250::Codifica(text);
    if (b.size() <= 255) {
        m_date.append(static_cast<char>(kText8));
        m_date.append(static_cast<char>(b.size()));
    } else {
        m_date.append(static_cast<char>(kText32));
        const auto n = static_cast<uint32_t>(b.size());
        for (int i = 0; i < 4; ++i)
            m_date.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    }
    m_date.append(b);
}

void ScrieFisierAtomic(const QString &cale, const QByteArray &continut)
{
    QSaveFile f(cale);
    if (!f.open(QIODevice::WriteOnly))
        throw EZel(QStringLiteral("Nu pot scrie fisierul %1: %2").arg(QDir::toNativeSeparators(cale), f.errorString()));
    if (f.write(continut) != continut.size() || !f.commit())
        throw EZel(QStringLiteral("Nu pot scrie fisierul %1: %2").arg(QDir::toNativeSeparators(cale), f.errorString()));
}
