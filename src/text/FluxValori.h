#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

// Tagged little-endian values, the format of the ".binprof" profile and the
// "licenta.lic" adjustments file:
//   integer: tag 2 (int8), 3 (int16), 4 (int32) and the value;
//   text:    tag 6 (uint8 length), 12 (int32 length) and Windows-1250 bytes; also read:
//            tag 18 (int32 count of UTF-16 units) and tag 20 (int32 length of UTF-8 bytes).
// Errors are EZel: "Invalid property value" for a tag of the wrong kind,
// "Stream read error" when the data runs out.
class TCititorValori {
public:
    explicit TCititorValori(QByteArray date);
    // Reads everything the device still holds.
    explicit TCititorValori(QIODevice &dispozitiv);

    int32_t CitesteIntreg();
    QString CitesteText();
    bool LaSfarsit() const { return m_pozitie >= m_date.size(); }
    qsizetype Pozitie() const { return m_pozitie; }

private:
    uint8_t Octet();
    QByteArray Octeti(qint64 numar);
    int32_t Int32();

    QByteArray m_date;
    qsizetype m_pozitie = 0;
};

class TScriitorValori {
public:
    // Smallest of tags 2, 3, 4 that holds the value.
    void ScrieIntreg(int32_t valoare);
    // Tag 6 up to 255 bytes, tag 12 above; throws EZel for a character Windows-1250 lacks.
    void ScrieText(const QString &text);
    const QByteArray &Date() const { return m_date; }

private:
    QByteArray m_date;
};

// Writes bytes to a file so that a crash never leaves half of it: a new file is written
// beside it and then takes its place. Throws EZel naming the file on failure.
void ScrieFisierAtomic(const QString &cale, const QByteArray &continut);
