#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

// The current user's settings store. On Windows it is the registry under
// HKEY_CURRENT_USER; elsewhere (and whenever it is redirected) a readable JSON file in the
// user's configuration folder that is replaced as a whole on every change, so a crash
// while saving never leaves half of it.
//
// Registry semantics: key paths are "\"-separated, key names and value names are
// compared without regard to case and keep the spelling they were first stored with,
// a value is either a 32-bit integer or a text, and opening a key creates it.
// Every error (a damaged store, a value of the other type, a failed write) is an EZel.
namespace Registru {

// Points the store at this file (tests, or a portable set-up); an empty text restores
// the normal location. While redirected the file is used on Windows too.
void RedirectioneazaStocul(const QString &caleFisier);

// The file in use when the store is a file; empty on Windows when not redirected.
QString CaleaStocului();

// Saves from the destructor of a settings object made when `exceptiiLaCreare` errors
// were travelling (std::uncaught_exceptions()). A failed save propagates, except while
// another error travels: throwing then would end the program, so it is only logged,
// after `avertisment`.
void SalveazaLaDistrugere(int exceptiiLaCreare, const std::function<void()> &salveaza, const char *avertisment);

} // namespace Registru

class TCheieRegistru {
public:
    enum class Tip { Lipsa, Intreg, Text, Altul };

    // Opens the key below the current user's root, creating it (and its parents) when
    // it does not exist.
    explicit TCheieRegistru(const QString &caleCheie);
    ~TCheieRegistru();
    TCheieRegistru(const TCheieRegistru &) = delete;
    TCheieRegistru &operator=(const TCheieRegistru &) = delete;

    const QString &Cale() const { return m_cale; }

    bool ExistaValoare(const QString &nume) const;
    Tip TipValoare(const QString &nume) const;
    QStringList NumeValori() const;

    // Both throw EZel when the value is missing or holds the other type.
    int32_t CitesteIntreg(const QString &nume) const;
    QString CitesteText(const QString &nume) const;

    void ScrieIntreg(const QString &nume, int32_t valoare);
    void ScrieText(const QString &nume, const QString &valoare);
    void StergeValoare(const QString &nume);

    class Implementare;

private:
    QString m_cale;
    std::unique_ptr<Implementare> m_impl;
};
