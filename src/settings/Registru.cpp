#include "settings/Registru.h"

#include "text/Eroare.h"
#include "text/FluxValori.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#ifdef Q_OS_WIN
#include <iterator>
#include <string>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {

QString &Redirectare()
{
    static QString cale;
    return cale;
}

QString NumeTip(TCheieRegistru::Tip tip)
{
    switch (tip) {
    case TCheieRegistru::Tip::Intreg: return QStringLiteral("un numar intreg");
    case TCheieRegistru::Tip::Text: return QStringLiteral("un text");
    case TCheieRegistru::Tip::Lipsa: return QStringLiteral("nimic");
    case TCheieRegistru::Tip::Altul: break;
    }
    return QStringLiteral("o valoare de alt tip");
}

[[noreturn]] void TipNepotrivit(const QString &cheie, const QString &nume, TCheieRegistru::Tip asteptat,
                                TCheieRegistru::Tip gasit)
{
    if (gasit == TCheieRegistru::Tip::Lipsa)
        throw EZel(QStringLiteral("Valoarea \"%1\" nu exista in cheia \"%2\"").arg(nume, cheie));
    throw EZel(QStringLiteral("Tip de date nepotrivit pentru valoarea \"%1\" din cheia \"%2\": se astepta %3, "
                              "este %4")
                   .arg(nume, cheie, NumeTip(asteptat), NumeTip(gasit)));
}

// Key paths are compared component by component; empty components ("\\", a leading or
// trailing separator) do not count.
QStringList Componente(const QString &cale)
{
    return cale.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool AcelasiNume(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace Registru {

void RedirectioneazaStocul(const QString &caleFisier)
{
    Redirectare() = caleFisier;
}

QString CaleaStocului()
{
    if (!Redirectare().isEmpty())
        return Redirectare();
#ifdef Q_OS_WIN
    return QString();
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(QStringLiteral("Zelmora SOFT/registru.json"));
#endif
}

void SalveazaLaDistrugere(int exceptiiLaCreare, const std::function<void()> &salveaza, const char *avertisment)
{
    if (std::uncaught_exceptions() <= exceptiiLaCreare) {
        salveaza();
        return;
    }
    try {
        salveaza();
    } catch (const EZel &e) {
        qWarning().noquote() << avertisment << e.Mesaj();
    }
}

} // namespace Registru

class TCheieRegistru::Implementare {
public:
    virtual ~Implementare() = default;
    virtual Tip TipValoare(const QString &nume) const = 0;
    virtual QStringList NumeValori() const = 0;
    virtual int32_t CitesteIntreg(const QString &nume) const = 0;
    virtual QString CitesteText(const QString &nume) const = 0;
    virtual void ScrieIntreg(const QString &nume, int32_t valoare) = 0;
    virtual void ScrieText(const QString &nume, const QString &valoare) = 0;
    virtual void StergeValoare(const QString &nume) = 0;
};

namespace {

// The file store: one JSON object whose members are the keys by full path, each an
// object of values (numbers are the integers, strings the texts). Each operation reads
// the file afresh, so two handles open at once see each other's writes; a write that
// changes nothing does not touch the file.
class TCheieFisier final : public TCheieRegistru::Implementare {
public:
    TCheieFisier(QString fisier, const QString &cale) : m_fisier(std::move(fisier))
    {
        const QStringList cerut = Componente(cale);
        QJsonObject radacina = Citeste();
        // An existing key is found whatever the case of its path and keeps its spelling;
        // a new one is stored under its path exactly as it was asked for.
        for (auto it = radacina.constBegin(); it != radacina.constEnd(); ++it) {
            const QStringList existent = Componente(it.key());
            if (existent.size() == cerut.size()
                && std::equal(cerut.cbegin(), cerut.cend(), existent.cbegin(), AcelasiNume)) {
                m_cheie = it.key();
                return;
            }
        }
        m_cheie = cerut.join(QLatin1Char('\\'));
        radacina.insert(m_cheie, QJsonObject());
        Scrie(radacina);
    }

    TCheieRegistru::Tip TipValoare(const QString &nume) const override
    {
        const QJsonObject cheie = Cheie(Citeste());
        const auto it = Gaseste(cheie, nume);
        if (it == cheie.constEnd())
            return TCheieRegistru::Tip::Lipsa;
        return TipDe(*it);
    }

    QStringList NumeValori() const override { return Cheie(Citeste()).keys(); }

    int32_t CitesteIntreg(const QString &nume) const override
    {
        return static_cast<int32_t>(ValoareDeTip(nume, TCheieRegistru::Tip::Intreg).toDouble());
    }

    QString CitesteText(const QString &nume) const override
    {
        return ValoareDeTip(nume, TCheieRegistru::Tip::Text).toString();
    }

    void ScrieIntreg(const QString &nume, int32_t valoare) override { ScrieValoare(nume, QJsonValue(valoare)); }
    void ScrieText(const QString &nume, const QString &valoare) override { ScrieValoare(nume, QJsonValue(valoare)); }

    void StergeValoare(const QString &nume) override
    {
        QJsonObject radacina = Citeste();
        QJsonObject cheie = Cheie(radacina);
        const auto it = Gaseste(cheie, nume);
        if (it == cheie.constEnd())
            return;
        cheie.remove(it.key());
        radacina.insert(m_cheie, cheie);
        Scrie(radacina);
    }

private:
    static TCheieRegistru::Tip TipDe(const QJsonValue &v)
    {
        if (v.isString())
            return TCheieRegistru::Tip::Text;
        if (v.isDouble()) {
            const double d = v.toDouble();
            if (std::isfinite(d) && d == std::trunc(d) && d >= std::numeric_limits<int32_t>::min()
                && d <= std::numeric_limits<int32_t>::max())
                return TCheieRegistru::Tip::Intreg;
        }
        return TCheieRegistru::Tip::Altul;
    }

    // The stored value, which must be of the kind asked for.
    QJsonValue ValoareDeTip(const QString &nume, TCheieRegistru::Tip cerut) const
    {
        const QJsonObject cheie = Cheie(Citeste());
        const auto it = Gaseste(cheie, nume);
        const TCheieRegistru::Tip tip = it == cheie.constEnd() ? TCheieRegistru::Tip::Lipsa : TipDe(*it);
        if (tip != cerut)
            TipNepotrivit(m_cheie, nume, cerut, tip);
        return *it;
    }

    static QJsonObject::const_iterator Gaseste(const QJsonObject &cheie, const QString &nume)
    {
        for (auto it = cheie.constBegin(); it != cheie.constEnd(); ++it)
            if (AcelasiNume(it.key(), nume))
                return it;
        return cheie.constEnd();
    }

    [[noreturn]] void Deteriorat(const QString &motiv) const
    {
        throw EZel(QStringLiteral("Fisierul de setari %1 este deteriorat: %2")
                       .arg(QDir::toNativeSeparators(m_fisier), motiv));
    }

    QJsonObject Citeste() const
    {
        QFile f(m_fisier);
        if (!f.exists())
            return QJsonObject();
        if (!f.open(QIODevice::ReadOnly))
            throw EZel(QStringLiteral("Nu pot citi fisierul de setari %1: %2")
                           .arg(QDir::toNativeSeparators(m_fisier), f.errorString()));
        const QByteArray date = f.readAll();
        if (date.trimmed().isEmpty())
            return QJsonObject();
        QJsonParseError eroare;
        const QJsonDocument doc = QJsonDocument::fromJson(date, &eroare);
        if (eroare.error != QJsonParseError::NoError)
            Deteriorat(QStringLiteral("%1 la pozitia %2").arg(eroare.errorString()).arg(eroare.offset));
        if (!doc.isObject())
            Deteriorat(QStringLiteral("nu contine un obiect"));
        const QJsonObject radacina = doc.object();
        for (auto it = radacina.constBegin(); it != radacina.constEnd(); ++it)
            if (!it->isObject())
                Deteriorat(QStringLiteral("cheia \"%1\" nu este un obiect").arg(it.key()));
        return radacina;
    }

    QJsonObject Cheie(const QJsonObject &radacina) const
    {
        // The key may have been removed by hand since it was opened: it reads as empty
        // and is created again by the next write.
        return radacina.value(m_cheie).toObject();
    }

    void Scrie(const QJsonObject &radacina)
    {
        const QString folder = QFileInfo(m_fisier).absolutePath();
        if (!QDir().mkpath(folder))
            throw EZel(QStringLiteral("Nu pot crea folderul de setari %1").arg(QDir::toNativeSeparators(folder)));
        ScrieFisierAtomic(m_fisier, QJsonDocument(radacina).toJson(QJsonDocument::Indented));
    }

    void ScrieValoare(const QString &nume, const QJsonValue &valoare)
    {
        QJsonObject radacina = Citeste();
        QJsonObject cheie = Cheie(radacina);
        const auto it = Gaseste(cheie, nume);
        QString numeStocat = nume;
        if (it != cheie.constEnd()) {
            if (*it == valoare && radacina.contains(m_cheie))
                return;
            numeStocat = it.key();
        }
        cheie.insert(numeStocat, valoare);
        radacina.insert(m_cheie, cheie);
        Scrie(radacina);
    }

    QString m_fisier;
    QString m_cheie;
};

#ifdef Q_OS_WIN
std::wstring Lat(const QString &s)
{
    return s.toStdWString();
}

[[noreturn]] void EroareWindows(const QString &ce, const QString &cheie, LSTATUS cod)
{
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, DWORD(cod), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const QString motiv = text ? QString::fromWCharArray(text).trimmed() : QString::number(cod);
    if (text)
        LocalFree(text);
    throw EZel(QStringLiteral("%1 (cheia \"%2\"): %3").arg(ce, cheie, motiv));
}

// The real registry of the current user. Names are case-insensitive there already.
class TCheieWindows final : public TCheieRegistru::Implementare {
public:
    explicit TCheieWindows(const QString &cale) : m_cale(cale)
    {
        const std::wstring c = Lat(Componente(cale).join(QLatin1Char('\\')));
        const LSTATUS r = RegCreateKeyExW(HKEY_CURRENT_USER, c.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_READ | KEY_WRITE, nullptr, &m_cheie, nullptr);
        if (r != ERROR_SUCCESS)
            EroareWindows(QStringLiteral("Nu pot deschide cheia din registru"), m_cale, r);
    }
    ~TCheieWindows() override { RegCloseKey(m_cheie); }

    TCheieRegistru::Tip TipValoare(const QString &nume) const override
    {
        DWORD tip = 0;
        const std::wstring n = Lat(nume);
        const LSTATUS r = RegQueryValueExW(m_cheie, n.c_str(), nullptr, &tip, nullptr, nullptr);
        if (r == ERROR_FILE_NOT_FOUND)
            return TCheieRegistru::Tip::Lipsa;
        if (r != ERROR_SUCCESS)
            EroareWindows(QStringLiteral("Nu pot citi valoarea \"%1\"").arg(nume), m_cale, r);
        if (tip == REG_DWORD)
            return TCheieRegistru::Tip::Intreg;
        if (tip == REG_SZ || tip == REG_EXPAND_SZ)
            return TCheieRegistru::Tip::Text;
        return TCheieRegistru::Tip::Altul;
    }

    QStringList NumeValori() const override
    {
        QStringList nume;
        for (DWORD i = 0;; ++i) {
            wchar_t buf[16384];
            DWORD lung = DWORD(std::size(buf));
            const LSTATUS r = RegEnumValueW(m_cheie, i, buf, &lung, nullptr, nullptr, nullptr, nullptr);
            if (r == ERROR_NO_MORE_ITEMS)
                break;
            if (r != ERROR_SUCCESS)
                EroareWindows(QStringLiteral("Nu pot citi valorile"), m_cale, r);
            nume << QString::fromWCharArray(buf, int(lung));
        }
        return nume;
    }

    int32_t CitesteIntreg(const QString &nume) const override
    {
        const TCheieRegistru::Tip tip = TipValoare(nume);
        if (tip != TCheieRegistru::Tip::Intreg)
            TipNepotrivit(m_cale, nume, TCheieRegistru::Tip::Intreg, tip);
        DWORD valoare = 0, lung = sizeof valoare;
        const std::wstring n = Lat(nume);
        const LSTATUS r = RegQueryValueExW(m_cheie, n.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(&valoare), &lung);
        if (r != ERROR_SUCCESS)
            EroareWindows(QStringLiteral("Nu pot citi valoarea \"%1\"").arg(nume), m_cale, r);
        return static_cast<int32_t>(valoare);
    }

    QString CitesteText(const QString &nume) const override
    {
        const TCheieRegistru::Tip tip = TipValoare(nume);
        if (tip != TCheieRegistru::Tip::Text)
            TipNepotrivit(m_cale, nume, TCheieRegistru::Tip::Text, tip);
        const std::wstring n = Lat(nume);
        for (;;) {
            DWORD lung = 0;
            LSTATUS r = RegQueryValueExW(m_cheie, n.c_str(), nullptr, nullptr, nullptr, &lung);
            if (r != ERROR_SUCCESS)
                EroareWindows(QStringLiteral("Nu pot citi valoarea \"%1\"").arg(nume), m_cale, r);
            std::wstring buf(lung / sizeof(wchar_t) + 1, L'\0');
            DWORD primit = DWORD(buf.size() * sizeof(wchar_t));
            r = RegQueryValueExW(m_cheie, n.c_str(), nullptr, nullptr, reinterpret_cast<BYTE *>(buf.data()), &primit);
            if (r == ERROR_MORE_DATA)
                continue;
            if (r != ERROR_SUCCESS)
                EroareWindows(QStringLiteral("Nu pot citi valoarea \"%1\"").arg(nume), m_cale, r);
            buf.resize(primit / sizeof(wchar_t));
            while (!buf.empty() && buf.back() == L'\0')
                buf.pop_back();
            return QString::fromStdWString(buf);
        }
    }

    void ScrieIntreg(const QString &nume, int32_t valoare) override
    {
        const DWORD v = static_cast<DWORD>(valoare);
        const std::wstring n = Lat(nume);
        const LSTATUS r = RegSetValueExW(m_cheie, n.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&v), sizeof v);
        if (r != ERROR_SUCCESS)
            EroareWindows(QStringLiteral("Nu pot scrie valoarea \"%1\"").arg(nume), m_cale, r);
    }

    void ScrieText(const QString &nume, const QString &valoare) override
    {
        const std::wstring n = Lat(nume);
        const std::wstring v = Lat(valoare);
        const LSTATUS r = RegSetValueExW(m_cheie, n.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(v.c_str()),
                                         DWORD((v.size() + 1) * sizeof(wchar_t)));
        if (r != ERROR_SUCCESS)
            EroareWindows(QStringLiteral("Nu pot scrie valoarea \"%1\"").arg(nume), m_cale, r);
    }

    void StergeValoare(const QString &nume) override
    {
        const std::wstring n = Lat(nume);
        const LSTATUS r = RegDeleteValueW(m_cheie, n.c_str());
        if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND)
            EroareWindows(QStringLiteral("Nu pot sterge valoarea \"%1\"").arg(nume), m_cale, r);
    }

private:
    QString m_cale;
    HKEY m_cheie = nullptr;
};
#endif

} // namespace

TCheieRegistru::TCheieRegistru(const QString &caleCheie) : m_cale(caleCheie)
{
    const QString fisier = Registru::CaleaStocului();
#ifdef Q_OS_WIN
    if (fisier.isEmpty()) {
        m_impl = std::make_unique<TCheieWindows>(caleCheie);
        return;
    }
#endif
    if (fisier.isEmpty())
        throw EZel(QStringLiteral("Nu gasesc folderul de configurare al utilizatorului"));
    m_impl = std::make_unique<TCheieFisier>(fisier, caleCheie);
}

TCheieRegistru::~TCheieRegistru() = default;

bool TCheieRegistru::ExistaValoare(const QString &nume) const
{
    return m_impl->TipValoare(nume) != Tip::Lipsa;
}

TCheieRegistru::Tip TCheieRegistru::TipValoare(const QString &nume) const
{
    return m_impl->TipValoare(nume);
}

QStringList TCheieRegistru::NumeValori() const
{
    return m_impl->NumeValori();
}

int32_t TCheieRegistru::CitesteIntreg(const QString &nume) const
{
    return m_impl->CitesteIntreg(nume);
}

QString TCheieRegistru::CitesteText(const QString &nume) const
{
    return m_impl->CitesteText(nume);
}

void TCheieRegistru::ScrieIntreg(const QString &nume, int32_t valoare)
{
    m_impl->ScrieIntreg(nume, valoare);
}

void TCheieRegistru::ScrieText(const QString &nume, const QString &valoare)
{
    m_impl->ScrieText(nume, valoare);
}

void TCheieRegistru::StergeValoare(const QString &nume)
{
    m_impl->StergeValoare(nume);
}
