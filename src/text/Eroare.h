#pragma once
#include <QString>
#include <exception>
#include <string>

// The program's one exception type: a Romanian message that travels up to the
// general error display unchanged.
class EZel : public std::exception {
public:
    explicit EZel(QString mesaj) : m_mesaj(std::move(mesaj)), m_utf8(m_mesaj.toStdString()) {}
    const QString &Mesaj() const noexcept { return m_mesaj; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_mesaj;
    std::string m_utf8;
};
