#include "db/Baza.h"

#include "text/CodePage1250.h"
#include "text/Eroare.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTime>
#include <QVector>

#include <firebird/Interface.h>

#include <cmath>
#include <cstring>
#include <utility>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace fb = Firebird;

namespace {

constexpr unsigned CharsetOctets = 1;
constexpr unsigned CharsetUtf8 = 4;
// Largest VARCHAR the engine takes in a message.
constexpr int LungimeMaximaText = 32765;
// Beyond this many cached statements the unused ones are dropped, so SQL texts built
// with changing names cannot grow the cache without end.
constexpr int InstructiuniMaxime = 400;

// The engine is loaded once per process and stays until the process ends.
struct Motor {
    fb::IMaster *master = nullptr;
    fb::IProvider *provider = nullptr;
    fb::IUtil *util = nullptr;
    fb::IStatus *status = nullptr;
};

Motor &M()
{
    static Motor m = [] {
        PregatesteFolderulDeBlocare();
        Motor r;
        r.master = fb::fb_get_master_interface();
        r.provider = r.master->getDispatcher();
        r.util = r.master->getUtilInterface();
        r.status = r.master->getStatus();
        return r;
    }();
    return m;
}

// One status object serves every call: only the user-interface thread reaches the engine.
fb::ThrowStatusWrapper &St()
{
    static fb::ThrowStatusWrapper w(M().status);
    return w;
}

QString TextulErorii(const fb::FbException &e)
{
    char buf[4096];
    M().util->formatStatus(buf, sizeof buf, e.getStatus());
    return QString::fromUtf8(buf).trimmed();
}

[[noreturn]] void AruncaMotor(const fb::FbException &e, const QString &sql = QString())
{
    QString m = TextulErorii(e);
    if (!sql.isEmpty())
        m += QStringLiteral("\nSQL: ") + sql;
    throw EZel(m);
}

QByteArray Utf8Pliat(const QString &text)
{
    return Cp1250::PliazaText(text).toUtf8();
}

// Builds a parameter block from name/value pairs.
class TBlocParametri {
public:
    explicit TBlocParametri(unsigned tip) : m_b(M().util->getXpbBuilder(&St(), tip, nullptr, 0)) {}
    ~TBlocParametri() { m_b->dispose(); }
    void Text(unsigned char tag, const QByteArray &v) { m_b->insertString(&St(), tag, v.constData()); }
    void Int(unsigned char tag, int v) { m_b->insertInt(&St(), tag, v); }
    unsigned Lungime() { return m_b->getBufferLength(&St()); }
    const unsigned char *Date() { return m_b->getBuffer(&St()); }

private:
    fb::IXpbBuilder *m_b;
};

bool EsteCaracterDeNume(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

// ---------------------------------------------------------------------------------------
// Parameter parsing

namespace {

// One past the end of the quoted text ('...' literal or "..." identifier, a doubled quote
// staying inside) or comment (-- to the end of the line, /* ... */) that starts at i, or
// -1 when none starts there. Neither parameters nor statement ends are looked for inside.
int SfarsitulZoneiInerte(const QString &s, int i)
{
    const int n = static_cast<int>(s.size());
    const QChar c = s[i];
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
        int j = i + 1;
        while (j < n) {
            if (s[j] == c) {
                if (j + 1 < n && s[j + 1] == c) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    }
    if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
        const int j = static_cast<int>(s.indexOf(QLatin1Char('\n'), i));
        return j < 0 ? n : j;
    }
    if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
        const int j = static_cast<int>(s.indexOf(QLatin1String("*/"), i + 2));
        return j < 0 ? n : j + 2;
    }
    return -1;
}

// True when the text holds something besides blanks and comments.
bool AreInstructiune(const QString &s)
{
    const int n = static_cast<int>(s.size());
    for (int i = 0; i < n;) {
        const int z = SfarsitulZoneiInerte(s, i);
        if (z < 0) {
            if (!s[i].isSpace())
                return true;
            ++i;
        } else if (s[i] == QLatin1Char('\'') || s[i] == QLatin1Char('"')) {
            return true;
        } else {
            i = z;
        }
    }
    return false;
}

} // namespace

TSqlParsat ParseazaParametri(const QString &sql)
{
    TSqlParsat r;
    r.text.reserve(sql.size());
    const int n = static_cast<int>(sql.size());
    int i = 0;
    while (i < n) {
        const int z = SfarsitulZoneiInerte(sql, i);
        if (z >= 0) {
            r.text += QStringView(sql).mid(i, z - i);
            i = z;
        } else if (sql[i] == QLatin1Char(':') && i + 1 < n && EsteCaracterDeNume(sql[i + 1])) {
            int j = i + 1;
            while (j < n && EsteCaracterDeNume(sql[j]))
                ++j;
            r.parametri.append(sql.mid(i + 1, j - i - 1).toUpper());
            r.text += QLatin1Char('?');
            i = j;
        } else {
            r.text += sql[i];
            ++i;
        }
    }
    return r;
}

QStringList ImparteScript(const QString &script)
{
    QStringList r;
    const int n = static_cast<int>(script.size());
    int inceput = 0;
    auto adauga = [&](int sfarsit) {
        // A statement made only of comments and blanks is dropped.
        const QString instr = script.mid(inceput, sfarsit - inceput);
        if (AreInstructiune(instr))
            r.append(instr.trimmed());
    };
    int i = 0;
    while (i < n) {
        const int z = SfarsitulZoneiInerte(script, i);
        if (z >= 0) {
            i = z;
        } else if (script[i] == QLatin1Char(';')) {
            adauga(i);
            inceput = ++i;
        } else {
            ++i;
        }
    }
    adauga(n);
    return r;
}

void PregatesteFolderulDeBlocare()
{
#ifndef Q_OS_WIN
    static bool facut = false;
    if (facut)
        return;
    facut = true;
    if (!qEnvironmentVariableIsEmpty("FIREBIRD_LOCK"))
        return;
    const QByteArray implicit("/tmp/firebird");
    bool bun;
    if (QFileInfo::exists(QString::fromLatin1(implicit)))
        bun = ::access(implicit.constData(), W_OK | X_OK) == 0;
    else
        bun = ::access("/tmp", W_OK | X_OK) == 0;
    if (bun)
        return;
    // Another user owns the engine's shared lock folder: use one of our own. Every process
    // of this user picks the same folder, so two of them still see each other's locks.
    QString folder = QStringLiteral("/tmp/firebird-%1").arg(::getuid());
    if (!QDir().mkpath(folder) || ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        folder = QDir::homePath() + QStringLiteral("/.cache/lauridex-firebird");
    QDir().mkpath(folder);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(folder));
#endif
}

// ---------------------------------------------------------------------------------------
// Prepared statements

namespace {

struct TParsare {
    QString textMotor;              // "?" in place of each parameter, folded, as UTF-8 below
    QByteArray utf8;
    QStringList parametri;          // name of each "?"
    QStringList unice;              // each name once
    QVector<int> indexUnic;         // for each "?", its index in unice
    QHash<QString, int> dupaNume;   // name -> index in unice
};

struct TColoana {
    QString nume;
    unsigned tip = 0;
    unsigned lungime = 0;
    unsigned offset = 0;
    unsigned offsetNull = 0;
    int scala = 0;
    unsigned charset = 0;
    int subtip = 0;
};

// The form in which one parameter slot is handed to the engine.
struct TFormaSlot {
    unsigned tip = 0;
    unsigned lungime = 0;
    unsigned charset = 0;
    int scala = 0;
    int subtip = 0;
    bool operator==(const TFormaSlot &o) const
    {
        return tip == o.tip && lungime == o.lungime && charset == o.charset && scala == o.scala && subtip == o.subtip;
    }
};

} // namespace

struct TInstructiunePregatita {
    QString sql;
    std::shared_ptr<const TParsare> parsare;
    fb::IStatement *stmt = nullptr;
    unsigned tipInstructiune = 0;
    bool ddl = false;
    bool inUz = false;

    fb::IMessageMetadata *inOriginal = nullptr;
    QVector<TFormaSlot> formeOriginale;
    fb::IMessageMetadata *inMeta = nullptr;   // built for the current value kinds
    QVector<TFormaSlot> formeCurente;
    QVector<unsigned> offsetIn, offsetNullIn;
    QByteArray inBuf;

    fb::IMessageMetadata *outMeta = nullptr;
    QVector<TColoana> coloane;
    QHash<QString, int> dupaNume;
    QByteArray outBuf;

    ~TInstructiunePregatita()
    {
        try {
            if (inMeta)
                inMeta->release();
            if (inOriginal)
                inOriginal->release();
            if (outMeta)
                outMeta->release();
            if (stmt)
                stmt->free(&St());
        } catch (const fb::FbException &) {
            // The attachment may already be gone; nothing to free then.
        }
    }
};

// Change counters are drawn from one sequence for every connection of the process, so a
// value seen on one connection never turns up again on another.
static quint64 GeneratieNoua()
{
    static quint64 ultima = 0;
    return ++ultima;
}

struct TBazaDeDate::Impl {
    fb::IAttachment *att = nullptr;
    QHash<QString, std::shared_ptr<const TParsare>> parsari;
    QHash<QString, QVector<TInstructiunePregatita *>> cache;
    int numarInCache = 0;
    int pregatite = 0;
    quint64 epocaCache = 0; // moves whenever cached statements are freed
    quint64 generatie = GeneratieNoua();
    QList<TTranzactie *> tranzactii;

    std::shared_ptr<const TParsare> Parseaza(const QString &sql)
    {
        auto it = parsari.constFind(sql);
        if (it != parsari.constEnd())
            return it.value();
        auto p = std::make_shared<TParsare>();
        const TSqlParsat sp = ParseazaParametri(sql);
        p->textMotor = sp.text;
        p->parametri = sp.parametri;
        for (const QString &nume : sp.parametri) {
            auto f = p->dupaNume.constFind(nume);
            if (f == p->dupaNume.constEnd()) {
                p->dupaNume.insert(nume, static_cast<int>(p->unice.size()));
                p->indexUnic.append(static_cast<int>(p->unice.size()));
                p->unice.append(nume);
            } else {
                p->indexUnic.append(f.value());
            }
        }
        if (parsari.size() > 4 * InstructiuniMaxime)
            parsari.clear();
        parsari.insert(sql, p);
        return p;
    }

    void Elibereaza(bool chiarDacaInUz)
    {
        ++epocaCache;
        for (auto it = cache.begin(); it != cache.end();) {
            QVector<TInstructiunePregatita *> &v = it.value();
            for (int i = static_cast<int>(v.size()) - 1; i >= 0; --i) {
                if (v[i]->inUz && !chiarDacaInUz)
                    continue;
                delete v[i];
                v.removeAt(i);
                --numarInCache;
            }
            it = v.isEmpty() ? cache.erase(it) : std::next(it);
        }
    }
};

struct TTranzactie::Impl {
    fb::ITransaction *tra = nullptr;
    QSet<TQuery *> deschise;
    bool ddl = false;
};

// ---------------------------------------------------------------------------------------
// Connection

TBazaDeDate::TBazaDeDate() : m_impl(std::make_unique<Impl>()) {}

TBazaDeDate::~TBazaDeDate()
{
    Close();
}

namespace {

void CompleteazaDpb(TBlocParametri &dpb, const QStringList &params)
{
    for (const QString &linie : params) {
        const int egal = static_cast<int>(linie.indexOf(QLatin1Char('=')));
        const QString nume = (egal < 0 ? linie : linie.left(egal)).trimmed().toLower();
        const QByteArray valoare = egal < 0 ? QByteArray() : linie.mid(egal + 1).toUtf8();
        if (nume == QLatin1String("user_name"))
            dpb.Text(isc_dpb_user_name, valoare);
        else if (nume == QLatin1String("password"))
            dpb.Text(isc_dpb_password, valoare);
        else if (!nume.isEmpty())
            throw EZel(QStringLiteral("Parametru de conectare necunoscut: %1").arg(linie));
    }
    dpb.Text(isc_dpb_lc_ctype, "UTF8");
    // Embedded engine only: nothing may ever try a network connection.
    dpb.Text(isc_dpb_config, "Providers=Engine12");
}

QString MesajDeschidere(const QString &cale, const QString &motor)
{
    if (motor.contains(QLatin1String("Database already opened with engine instance")))
        return QStringLiteral("Baza de date %1 este deschisa de alt program (probabil Lauridex ruleaza deja). "
                              "Inchideti celalalt program si porniti din nou.")
            .arg(QDir::toNativeSeparators(cale));
    return QStringLiteral("Nu pot deschide baza de date %1:\n%2").arg(QDir::toNativeSeparators(cale), motor);
}

} // namespace

void TBazaDeDate::Open()
{
    if (m_impl->att)
        return;
    if (DatabaseName.isEmpty())
        throw EZel(QStringLiteral("Nu ai precizat fisierul bazei de date"));
    const QFileInfo fi(DatabaseName);
    if (!fi.exists())
        throw EZel(QStringLiteral("Nu exista baza de date %1").arg(QDir::toNativeSeparators(DatabaseName)));
    if (fi.size() == 0)
        throw EZel(QStringLiteral("Fisierul %1 este gol, nu este o baza de date").arg(QDir::toNativeSeparators(DatabaseName)));
    try {
        TBlocParametri dpb(fb::IXpbBuilder::DPB);
        CompleteazaDpb(dpb, Params);
        const QByteArray cale = QFile::encodeName(DatabaseName);
        m_impl->att = M().provider->attachDatabase(&St(), cale.constData(), dpb.Lungime(), dpb.Date());
    } catch (const fb::FbException &e) {
        m_impl->att = nullptr;
        throw EZel(MesajDeschidere(DatabaseName, TextulErorii(e)));
    }
    m_impl->pregatite = 0;
    m_impl->generatie = GeneratieNoua();
}

void TBazaDeDate::CreateDatabase()
{
    if (m_impl->att)
        throw EZel(QStringLiteral("Baza de date este deja deschisa"));
    if (QFileInfo::exists(DatabaseName))
        throw EZel(QStringLiteral("Fisierul %1 exista deja").arg(QDir::toNativeSeparators(DatabaseName)));
    try {
        TBlocParametri dpb(fb::IXpbBuilder::DPB);
        CompleteazaDpb(dpb, Params);
        dpb.Text(isc_dpb_set_db_charset, "WIN1250");
        dpb.Int(isc_dpb_sql_dialect, 3);
        dpb.Int(isc_dpb_page_size, 8192);
        const QByteArray cale = QFile::encodeName(DatabaseName);
        m_impl->att = M().provider->createDatabase(&St(), cale.constData(), dpb.Lungime(), dpb.Date());
    } catch (const fb::FbException &e) {
        m_impl->att = nullptr;
        throw EZel(QStringLiteral("Nu pot crea baza de date %1:\n%2")
                       .arg(QDir::toNativeSeparators(DatabaseName), TextulErorii(e)));
    }
}

void TBazaDeDate::Close()
{
    if (!m_impl->att)
        return;
    for (TTranzactie *t : std::as_const(m_impl->tranzactii)) {
        if (t->InTransaction()) {
            try {
                t->Rollback();
            } catch (const EZel &) {
            }
        }
    }
    m_impl->Elibereaza(true);
    m_impl->numarInCache = 0;
    try {
        m_impl->att->detach(&St());
    } catch (const fb::FbException &) {
        m_impl->att->release();
    }
    m_impl->att = nullptr;
}

bool TBazaDeDate::Connected() const
{
    return m_impl->att != nullptr;
}

void TBazaDeDate::GolesteInstructiunile()
{
    m_impl->Elibereaza(false);
}

int TBazaDeDate::InstructiuniPregatite() const
{
    return m_impl->pregatite;
}

QStringList TBazaDeDate::ParametriProgram()
{
    return {QStringLiteral("USER_NAME=sysdba"), QStringLiteral("password=quillbarn")};
}

quint64 TBazaDeDate::Generatie() const
{
    return m_impl->generatie;
}

// ---------------------------------------------------------------------------------------
// Transaction

TTranzactie::TTranzactie(TBazaDeDate &db) : m_db(db), m_impl(std::make_unique<Impl>())
{
    m_db.impl()->tranzactii.append(this);
}

TTranzactie::~TTranzactie()
{
    if (InTransaction()) {
        try {
            Rollback();
        } catch (const EZel &) {
        }
    }
    m_db.impl()->tranzactii.removeAll(this);
}

void TTranzactie::StartTransaction()
{
    if (m_impl->tra)
        throw EZel(QStringLiteral("Tranzactia este deja activa"));
    if (!m_db.Connected())
        throw EZel(QStringLiteral("Baza de date nu este deschisa"));
    m_db.impl()->generatie = GeneratieNoua();
    try {
        m_impl->tra = m_db.impl()->att->startTransaction(&St(), 0, nullptr);
    } catch (const fb::FbException &e) {
        m_impl->tra = nullptr;
        AruncaMotor(e);
    }
    m_impl->ddl = false;
}

namespace {
void InchideDeschise(TTranzactie::Impl *t)
{
    const QList<TQuery *> q = t->deschise.values();
    for (TQuery *x : q)
        x->Close();
    t->deschise.clear();
}
} // namespace

void TTranzactie::Commit()
{
    if (!m_impl->tra)
        throw EZel(QStringLiteral("Tranzactia nu este activa"));
    InchideDeschise(m_impl.get());
    m_db.impl()->generatie = GeneratieNoua();
    try {
        m_impl->tra->commit(&St());
    } catch (const fb::FbException &e) {
        // Still active: the caller rolls it back.
        AruncaMotor(e);
    }
    m_impl->tra = nullptr;
    if (m_impl->ddl)
        m_db.GolesteInstructiunile();
    m_impl->ddl = false;
}

void TTranzactie::Rollback()
{
    if (!m_impl->tra)
        throw EZel(QStringLiteral("Tranzactia nu este activa"));
    InchideDeschise(m_impl.get());
    m_db.impl()->generatie = GeneratieNoua();
    fb::ITransaction *t = m_impl->tra;
    m_impl->tra = nullptr;
    try {
        t->rollback(&St());
    } catch (const fb::FbException &e) {
        t->release();
        AruncaMotor(e);
    }
    if (m_impl->ddl)
        m_db.GolesteInstructiunile();
    m_impl->ddl = false;
}

bool TTranzactie::InTransaction() const
{
    return m_impl->tra != nullptr;
}

// ---------------------------------------------------------------------------------------
// Query

namespace {

struct TValoare {
    enum Tip { Nesetat, Null, Text, Int, Float } tip = Nesetat;
    QByteArray text;
    qint64 i = 0;
    double d = 0;
};

} // namespace

struct TQuery::Impl {
    QString sql;
    std::shared_ptr<const TParsare> parsare;
    QVector<TValoare> valori;
    TInstructiunePregatita *instr = nullptr; // while open
    fb::IResultSet *rs = nullptr;
    bool deschis = false;
    bool eof = true;
    bool areRand = false;
    int randuri = 0;
    fb::IAttachment *att = nullptr; // while open, for reading blobs
    fb::ITransaction *tra = nullptr;
    bool primulCitit = false; // the first row was fetched after Open
    TInstructiunePregatita *ultima = nullptr; // valid while epoca matches the cache's
    quint64 epoca = 0;
};

TQuery::TQuery(TBazaDeDate &db, TTranzactie &tr) : m_db(db), m_tr(tr), m_impl(std::make_unique<Impl>()) {}

TQuery::~TQuery()
{
    Close();
}

void TQuery::SetSQL(const QString &sql)
{
    Close();
    if (!m_impl->parsare || m_impl->sql != sql) {
        m_impl->sql = sql;
        m_impl->parsare = m_db.impl()->Parseaza(sql);
        m_impl->valori.resize(m_impl->parsare->unice.size());
    }
    for (TValoare &v : m_impl->valori)
        v.tip = TValoare::Nesetat;
}

const QString &TQuery::SQL() const
{
    return m_impl->sql;
}

QStringList TQuery::ParamNames() const
{
    return m_impl->parsare ? m_impl->parsare->unice : QStringList();
}

namespace {

TValoare &ValoareDupaNume(TQuery::Impl *q, const QString &nume)
{
    if (!q->parsare)
        throw EZel(QStringLiteral("Parametrul %1 cerut inainte de textul SQL").arg(nume));
    auto it = q->parsare->dupaNume.constFind(nume);
    if (it == q->parsare->dupaNume.constEnd())
        it = q->parsare->dupaNume.constFind(nume.toUpper());
    if (it == q->parsare->dupaNume.constEnd())
        throw EZel(QStringLiteral("Parametrul :%1 nu exista in\n%2").arg(nume, q->sql));
    return q->valori[it.value()];
}

} // namespace

void TQuery::SetParamText(const QString &nume, const QString &valoare)
{
    TValoare &v = ValoareDupaNume(m_impl.get(), nume);
    try {
        v.text = Utf8Pliat(valoare);
    } catch (const EZel &e) {
        throw EZel(QStringLiteral("Parametrul :%1: %2").arg(nume, e.Mesaj()));
    }
    if (v.text.size() > LungimeMaximaText)
        throw EZel(QStringLiteral("Parametrul :%1: textul are %2 octeti, cel mult %3 sunt permisi")
                       .arg(nume).arg(v.text.size()).arg(LungimeMaximaText));
    v.tip = TValoare::Text;
}

void TQuery::SetParamInt(const QString &nume, qint64 valoare)
{
    TValoare &v = ValoareDupaNume(m_impl.get(), nume);
    v.i = valoare;
    v.tip = TValoare::Int;
}

void TQuery::SetParamFloat(const QString &nume, double valoare)
{
    TValoare &v = ValoareDupaNume(m_impl.get(), nume);
    v.d = valoare;
    v.tip = TValoare::Float;
}

void TQuery::SetParamNull(const QString &nume)
{
    ValoareDupaNume(m_impl.get(), nume).tip = TValoare::Null;
}

void TQuery::SetParam(const QString &nume, const QVariant &valoare)
{
    if (!valoare.isValid() || valoare.isNull()) {
        SetParamNull(nume);
        return;
    }
    switch (valoare.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        SetParamInt(nume, valoare.toLongLong());
        break;
    case QMetaType::Bool:
        SetParamInt(nume, valoare.toBool() ? 1 : 0);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        SetParamFloat(nume, valoare.toDouble());
        break;
    default:
        SetParamText(nume, valoare.toString());
        break;
    }
}

namespace {

TFormaSlot FormaDin(fb::IMessageMetadata *m, unsigned i)
{
    TFormaSlot f;
    f.tip = m->getType(&St(), i) & ~1u;
    f.lungime = m->getLength(&St(), i);
    f.charset = m->getCharSet(&St(), i);
    f.scala = m->getScale(&St(), i);
    f.subtip = m->getSubType(&St(), i);
    return f;
}

bool EsteText(unsigned tip)
{
    return tip == SQL_TEXT || tip == SQL_VARYING;
}

TInstructiunePregatita *Pregateste(TBazaDeDate::Impl *db, fb::ITransaction *tra, const QString &sql,
                                   const std::shared_ptr<const TParsare> &parsare)
{
    auto p = std::make_unique<TInstructiunePregatita>();
    p->sql = sql;
    p->parsare = parsare;
    QByteArray text;
    try {
        text = Utf8Pliat(parsare->textMotor);
    } catch (const EZel &e) {
        throw EZel(e.Mesaj() + QStringLiteral("\nSQL: ") + sql);
    }
    try {
        p->stmt = db->att->prepare(&St(), tra, static_cast<unsigned>(text.size()), text.constData(), SQL_DIALECT_V6,
                                   fb::IStatement::PREPARE_PREFETCH_METADATA);
        p->tipInstructiune = p->stmt->getType(&St());
        p->ddl = p->tipInstructiune == isc_info_sql_stmt_ddl;
        p->inOriginal = p->stmt->getInputMetadata(&St());
        const unsigned nIn = p->inOriginal->getCount(&St());
        if (static_cast<int>(nIn) != parsare->parametri.size())
            throw EZel(QStringLiteral("Instructiunea are %1 parametri, textul numeste %2\nSQL: %3")
                           .arg(nIn).arg(parsare->parametri.size()).arg(sql));
        for (unsigned i = 0; i < nIn; ++i)
            p->formeOriginale.append(FormaDin(p->inOriginal, i));
        p->outMeta = p->stmt->getOutputMetadata(&St());
        const unsigned nOut = p->outMeta->getCount(&St());
        for (unsigned i = 0; i < nOut; ++i) {
            TColoana c;
            c.nume = QString::fromUtf8(p->outMeta->getAlias(&St(), i));
            if (c.nume.isEmpty())
                c.nume = QString::fromUtf8(p->outMeta->getField(&St(), i));
            c.tip = p->outMeta->getType(&St(), i) & ~1u;
            c.lungime = p->outMeta->getLength(&St(), i);
            c.offset = p->outMeta->getOffset(&St(), i);
            c.offsetNull = p->outMeta->getNullOffset(&St(), i);
            c.scala = p->outMeta->getScale(&St(), i);
            c.charset = p->outMeta->getCharSet(&St(), i);
            c.subtip = p->outMeta->getSubType(&St(), i);
            if (!p->dupaNume.contains(c.nume))
                p->dupaNume.insert(c.nume, static_cast<int>(p->coloane.size()));
            p->coloane.append(c);
        }
        p->outBuf.resize(static_cast<int>(p->outMeta->getMessageLength(&St())));
    } catch (const fb::FbException &e) {
        AruncaMotor(e, sql);
    }
    ++db->pregatite;
    return p.release();
}

TInstructiunePregatita *Ia(TBazaDeDate::Impl *db, fb::ITransaction *tra, const QString &sql,
                           const std::shared_ptr<const TParsare> &parsare);

// Takes a free prepared statement for the text, preparing one when none is free. The
// query remembers the last one it used, which saves the cache lookup when it runs the
// same text again.
TInstructiunePregatita *Ia(TBazaDeDate::Impl *db, fb::ITransaction *tra, const QString &sql,
                           const std::shared_ptr<const TParsare> &parsare, TInstructiunePregatita *&ultima,
                           quint64 &epoca)
{
    if (ultima && epoca == db->epocaCache && !ultima->inUz && ultima->parsare == parsare) {
        ultima->inUz = true;
        return ultima;
    }
    TInstructiunePregatita *p = Ia(db, tra, sql, parsare);
    ultima = p->ddl ? nullptr : p;
    epoca = db->epocaCache;
    return p;
}

TInstructiunePregatita *Ia(TBazaDeDate::Impl *db, fb::ITransaction *tra, const QString &sql,
                           const std::shared_ptr<const TParsare> &parsare)
{
    auto it = db->cache.find(sql);
    if (it != db->cache.end()) {
        for (TInstructiunePregatita *p : std::as_const(it.value())) {
            if (!p->inUz) {
                p->inUz = true;
                return p;
            }
        }
    }
    if (db->numarInCache >= InstructiuniMaxime)
        db->Elibereaza(false);
    TInstructiunePregatita *p = Pregateste(db, tra, sql, parsare);
    p->inUz = true;
    if (p->ddl)
        return p; // run once, never kept
    db->cache[sql].append(p);
    ++db->numarInCache;
    return p;
}

void Restituie(TBazaDeDate::Impl *db, TInstructiunePregatita *p)
{
    if (!p)
        return;
    p->inUz = false;
    if (p->ddl)
        delete p;
    (void)db;
}

// Fills the input message from the values; rebuilds its layout only when the kinds of
// the values change, so a statement run again and again costs no metadata work.
void PregatesteIntrarea(TInstructiunePregatita *p, const QVector<TValoare> &valori, const QString &sql)
{
    const TParsare &ps = *p->parsare;
    const int n = static_cast<int>(ps.parametri.size());
    if (n == 0)
        return;
    auto formaSlotului = [&](int i) {
        const TValoare &v = valori[ps.indexUnic[i]];
        const TFormaSlot &o = p->formeOriginale[i];
        TFormaSlot f;
        switch (v.tip) {
        case TValoare::Nesetat:
            throw EZel(QStringLiteral("Parametrul :%1 nu are valoare\nSQL: %2").arg(ps.parametri[i], sql));
        case TValoare::Null:
            f = o;
            if (f.tip == SQL_NULL || f.tip == SQL_BLOB || f.tip == SQL_ARRAY)
                f = TFormaSlot{SQL_VARYING, 8, CharsetUtf8, 0, 0};
            break;
        case TValoare::Text: {
            f.tip = SQL_VARYING;
            f.charset = CharsetUtf8;
            const unsigned nevoie = static_cast<unsigned>(v.text.size());
            unsigned l = EsteText(o.tip) ? o.lungime : 64;
            if (nevoie > l) {
                l = 64;
                while (l < nevoie)
                    l *= 2;
                if (l > static_cast<unsigned>(LungimeMaximaText))
                    l = LungimeMaximaText;
            }
            f.lungime = l;
            break;
        }
        case TValoare::Int:
            f = TFormaSlot{SQL_INT64, 8, 0, 0, 0};
            break;
        case TValoare::Float:
            f = TFormaSlot{SQL_DOUBLE, 8, 0, 0, 0};
            break;
        }
        return f;
    };
    // The layout of the last run is kept; it is rebuilt only when a slot's form differs.
    bool laFel = p->inMeta != nullptr && p->formeCurente.size() == n;
    for (int i = 0; laFel && i < n; ++i)
        laFel = formaSlotului(i) == p->formeCurente[i];
    if (!laFel) {
        QVector<TFormaSlot> forme(n);
        for (int i = 0; i < n; ++i)
            forme[i] = formaSlotului(i);
        try {
            fb::IMetadataBuilder *b = p->inOriginal->getBuilder(&St());
            try {
                for (int i = 0; i < n; ++i) {
                    const TFormaSlot &f = forme[i];
                    const unsigned u = static_cast<unsigned>(i);
                    b->setType(&St(), u, f.tip | 1u);
                    b->setSubType(&St(), u, f.subtip);
                    b->setLength(&St(), u, f.lungime);
                    b->setCharSet(&St(), u, f.charset);
                    b->setScale(&St(), u, f.scala);
                }
                fb::IMessageMetadata *m = b->getMetadata(&St());
                b->release();
                if (p->inMeta)
                    p->inMeta->release();
                p->inMeta = m;
            } catch (...) {
                b->release();
                throw;
            }
            p->formeCurente = forme;
            p->offsetIn.resize(n);
            p->offsetNullIn.resize(n);
            for (int i = 0; i < n; ++i) {
                p->offsetIn[i] = p->inMeta->getOffset(&St(), static_cast<unsigned>(i));
                p->offsetNullIn[i] = p->inMeta->getNullOffset(&St(), static_cast<unsigned>(i));
            }
            p->inBuf.resize(static_cast<int>(p->inMeta->getMessageLength(&St())));
            p->inBuf.fill('\0');
        } catch (const fb::FbException &e) {
            AruncaMotor(e, sql);
        }
    }
    char *buf = p->inBuf.data();
    for (int i = 0; i < n; ++i) {
        const TValoare &v = valori[ps.indexUnic[i]];
        char *d = buf + p->offsetIn[i];
        short nul = v.tip == TValoare::Null ? -1 : 0;
        std::memcpy(buf + p->offsetNullIn[i], &nul, sizeof nul);
        switch (v.tip) {
        case TValoare::Text: {
            const unsigned short l = static_cast<unsigned short>(v.text.size());
            std::memcpy(d, &l, sizeof l);
            std::memcpy(d + sizeof l, v.text.constData(), l);
            break;
        }
        case TValoare::Int: {
            const ISC_INT64 x = v.i;
            std::memcpy(d, &x, sizeof x);
            break;
        }
        case TValoare::Float:
            std::memcpy(d, &v.d, sizeof v.d);
            break;
        default:
            break;
        }
    }
}

// Statements that give their rows through a cursor; the others run with execute.
bool AreCursor(const TInstructiunePregatita *p)
{
    return p->tipInstructiune == isc_info_sql_stmt_select || p->tipInstructiune == isc_info_sql_stmt_select_for_upd;
}

// What Open and ExecSQL check before running: SQL text set, transaction active.
void VerificaRularea(const TQuery::Impl *q, const TTranzactie &tr)
{
    if (!q->parsare)
        throw EZel(QStringLiteral("Interogarea nu are text SQL"));
    if (!tr.InTransaction())
        throw EZel(QStringLiteral("Tranzactia nu este activa\nSQL: %1").arg(q->sql));
}

} // namespace

void TQuery::Open()
{
    Close();
    VerificaRularea(m_impl.get(), m_tr);
    fb::ITransaction *tra = m_tr.impl()->tra;
    TInstructiunePregatita *p = Ia(m_db.impl(), tra, m_impl->sql, m_impl->parsare, m_impl->ultima, m_impl->epoca);
    m_impl->att = m_db.impl()->att;
    m_impl->tra = tra;
    // Close hands the statement back once it is ours; otherwise it is handed back here.
    auto elibereaza = [&] {
        const bool alInterogarii = m_impl->instr == p;
        Close();
        if (!alInterogarii)
            Restituie(m_db.impl(), p);
    };
    try {
        PregatesteIntrarea(p, m_impl->valori, m_impl->sql);
        // A selectable block or procedure may write; any statement run counts as a possible change.
        m_db.impl()->generatie = GeneratieNoua();
        if (AreCursor(p)) {
            m_impl->rs = p->stmt->openCursor(&St(), tra, p->inMeta, p->inBuf.data(), p->outMeta, 0);
            m_impl->instr = p;
            m_impl->deschis = true;
            m_impl->primulCitit = false;
            m_tr.impl()->deschise.insert(this);
            Next();
        } else {
            // EXECUTE PROCEDURE, ... RETURNING: at most one row, given by execute itself.
            p->stmt->execute(&St(), tra, p->inMeta, p->inBuf.data(), p->outMeta, p->outBuf.data());
            if (p->ddl)
                m_tr.impl()->ddl = true;
            m_impl->instr = p;
            m_impl->deschis = true;
            m_impl->eof = p->coloane.isEmpty();
            m_impl->areRand = !m_impl->eof;
            m_tr.impl()->deschise.insert(this);
        }
    } catch (const fb::FbException &e) {
        const QString m = TextulErorii(e);
        elibereaza();
        throw EZel(m + QStringLiteral("\nSQL: ") + m_impl->sql);
    } catch (...) {
        elibereaza();
        throw;
    }
}

void TQuery::ExecSQL()
{
    Close();
    VerificaRularea(m_impl.get(), m_tr);
    fb::ITransaction *tra = m_tr.impl()->tra;
    TInstructiunePregatita *p = Ia(m_db.impl(), tra, m_impl->sql, m_impl->parsare, m_impl->ultima, m_impl->epoca);
    struct Garda {
        TBazaDeDate::Impl *db;
        TInstructiunePregatita *p;
        ~Garda() { Restituie(db, p); }
    } garda{m_db.impl(), p};
    PregatesteIntrarea(p, m_impl->valori, m_impl->sql);
    m_db.impl()->generatie = GeneratieNoua();
    try {
        if (AreCursor(p)) {
            fb::IResultSet *rs = p->stmt->openCursor(&St(), tra, p->inMeta, p->inBuf.data(), p->outMeta, 0);
            rs->close(&St());
            m_impl->randuri = 0;
        } else {
            p->stmt->execute(&St(), tra, p->inMeta, p->inBuf.data(), p->outMeta, p->outBuf.data());
            if (p->ddl)
                m_tr.impl()->ddl = true;
            m_impl->randuri = static_cast<int>(p->stmt->getAffectedRecords(&St()));
        }
    } catch (const fb::FbException &e) {
        AruncaMotor(e, m_impl->sql);
    }
}

int TQuery::RowsAffected() const
{
    return m_impl->randuri;
}

void TQuery::Next()
{
    if (!m_impl->deschis)
        throw EZel(QStringLiteral("Interogarea nu este deschisa"));
    if (!m_impl->rs) {
        m_impl->eof = true;
        m_impl->areRand = false;
        return;
    }
    // Past the end the cursor is not asked again.
    if (m_impl->eof && m_impl->primulCitit)
        return;
    m_impl->primulCitit = true;
    try {
        const int r = m_impl->rs->fetchNext(&St(), m_impl->instr->outBuf.data());
        m_impl->eof = r != fb::IStatus::RESULT_OK;
        m_impl->areRand = !m_impl->eof;
    } catch (const fb::FbException &e) {
        m_impl->eof = true;
        m_impl->areRand = false;
        AruncaMotor(e, m_impl->sql);
    }
}

bool TQuery::Eof() const
{
    return !m_impl->deschis || m_impl->eof;
}

bool TQuery::Active() const
{
    return m_impl->deschis;
}

void TQuery::Close()
{
    if (m_impl->rs) {
        try {
            m_impl->rs->close(&St());
        } catch (const fb::FbException &) {
            m_impl->rs->release();
        }
        m_impl->rs = nullptr;
    }
    if (m_impl->instr) {
        Restituie(m_db.impl(), m_impl->instr);
        m_impl->instr = nullptr;
    }
    if (m_impl->deschis)
        m_tr.impl()->deschise.remove(this);
    m_impl->deschis = false;
    m_impl->eof = true;
    m_impl->areRand = false;
}

namespace {

const TColoana *GasesteColoana(const TQuery::Impl *q, const QString &coloana, bool obligatoriu)
{
    if (!q->instr) {
        if (!obligatoriu)
            return nullptr;
        throw EZel(QStringLiteral("Interogarea nu este deschisa (coloana %1)").arg(coloana));
    }
    const TInstructiunePregatita *p = q->instr;
    auto it = p->dupaNume.constFind(coloana);
    if (it == p->dupaNume.constEnd()) {
        for (int i = 0; i < p->coloane.size(); ++i) {
            if (p->coloane[i].nume.compare(coloana, Qt::CaseInsensitive) == 0)
                return &p->coloane[i];
        }
        if (!obligatoriu)
            return nullptr;
        throw EZel(QStringLiteral("Coloana %1 nu exista in rezultatul\n%2").arg(coloana, q->sql));
    }
    return &p->coloane[it.value()];
}

const char *RandCurent(const TQuery::Impl *q, const QString &coloana)
{
    if (!q->areRand)
        throw EZel(QStringLiteral("Nu exista un rand curent pentru coloana %1\nSQL: %2").arg(coloana, q->sql));
    return q->instr->outBuf.constData();
}

bool EsteNul(const char *buf, const TColoana &c)
{
    short n;
    std::memcpy(&n, buf + c.offsetNull, sizeof n);
    return n != 0;
}

QString DinOcteti(const char *d, int l, unsigned charset)
{
    if (charset == CharsetOctets)
        return QString::fromLatin1(d, l);
    return QString::fromUtf8(d, l);
}

// The value of a column of one of the engine's integer types (before its scale is applied).
bool CitesteIntreg(const char *d, unsigned tip, qint64 &v)
{
    switch (tip) {
    case SQL_SHORT: {
        short x;
        std::memcpy(&x, d, sizeof x);
        v = x;
        return true;
    }
    case SQL_LONG: {
        ISC_LONG x;
        std::memcpy(&x, d, sizeof x);
        v = x;
        return true;
    }
    case SQL_INT64: {
        ISC_INT64 x;
        std::memcpy(&x, d, sizeof x);
        v = x;
        return true;
    }
    default:
        return false;
    }
}

qint64 IntregScalat(qint64 v, int scala)
{
    while (scala < 0) {
        v /= 10;
        ++scala;
    }
    return v;
}

QString TextScalat(qint64 v, int scala)
{
    if (scala >= 0)
        return QString::number(v);
    const bool negativ = v < 0;
    QString cifre = QString::number(negativ ? -static_cast<quint64>(v) : static_cast<quint64>(v));
    const int z = -scala;
    while (cifre.size() <= z)
        cifre.prepend(QLatin1Char('0'));
    cifre.insert(cifre.size() - z, QLatin1Char('.'));
    return negativ ? QLatin1Char('-') + cifre : cifre;
}

QString CitesteBlob(const TQuery::Impl *q, const char *d, const TColoana &c)
{
    ISC_QUAD id;
    std::memcpy(&id, d, sizeof id);
    QByteArray tot;
    try {
        fb::IBlob *blob = q->att->openBlob(&St(), q->tra, &id, 0, nullptr);
        char buf[16384];
        for (;;) {
            unsigned l = 0;
            const int r = blob->getSegment(&St(), sizeof buf, buf, &l);
            if (r == fb::IStatus::RESULT_OK || r == fb::IStatus::RESULT_SEGMENT)
                tot.append(buf, static_cast<int>(l));
            else
                break;
        }
        blob->close(&St());
    } catch (const fb::FbException &e) {
        AruncaMotor(e, q->sql);
    }
    return c.subtip == 1 ? QString::fromUtf8(tot) : QString::fromLatin1(tot);
}

QVariant Valoare(const TQuery::Impl *q, const QString &coloana, const TColoana &c)
{
    const char *buf = RandCurent(q, coloana);
    if (EsteNul(buf, c))
        return QVariant();
    const char *d = buf + c.offset;
    if (qint64 v; CitesteIntreg(d, c.tip, v))
        return c.scala == 0 ? QVariant(v) : QVariant(static_cast<double>(v) / std::pow(10.0, -c.scala));
    switch (c.tip) {
    case SQL_VARYING: {
        unsigned short l;
        std::memcpy(&l, d, sizeof l);
        return DinOcteti(d + sizeof l, l, c.charset);
    }
    case SQL_TEXT: {
        QString s = DinOcteti(d, static_cast<int>(c.lungime), c.charset);
        int n = static_cast<int>(s.size());
        while (n > 0 && s[n - 1] == QLatin1Char(' '))
            --n;
        s.truncate(n);
        return s;
    }
    case SQL_FLOAT: {
        float v;
        std::memcpy(&v, d, sizeof v);
        return static_cast<double>(v);
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double v;
        std::memcpy(&v, d, sizeof v);
        return v;
    }
    case SQL_BOOLEAN:
        return *reinterpret_cast<const unsigned char *>(d) != 0;
    case SQL_TYPE_DATE: {
        ISC_DATE v;
        std::memcpy(&v, d, sizeof v);
        unsigned y, m, z;
        M().util->decodeDate(v, &y, &m, &z);
        return QDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(z));
    }
    case SQL_TYPE_TIME: {
        ISC_TIME v;
        std::memcpy(&v, d, sizeof v);
        unsigned h, mi, s, f;
        M().util->decodeTime(v, &h, &mi, &s, &f);
        return QTime(static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s), static_cast<int>(f / 10));
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP v;
        std::memcpy(&v, d, sizeof v);
        unsigned y, m, z, h, mi, s, f;
        M().util->decodeDate(v.timestamp_date, &y, &m, &z);
        M().util->decodeTime(v.timestamp_time, &h, &mi, &s, &f);
        return QDateTime(QDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(z)),
                         QTime(static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s), static_cast<int>(f / 10)));
    }
    case SQL_BLOB:
        return CitesteBlob(q, d, c);
    default:
        throw EZel(QStringLiteral("Coloana %1 are un tip de date necunoscut (%2)").arg(coloana).arg(c.tip));
    }
}

} // namespace

bool TQuery::HasField(const QString &coloana) const
{
    return GasesteColoana(m_impl.get(), coloana, false) != nullptr;
}

bool TQuery::IsNull(const QString &coloana) const
{
    const TColoana &c = *GasesteColoana(m_impl.get(), coloana, true);
    return EsteNul(RandCurent(m_impl.get(), coloana), c);
}

QString TQuery::AsText(const QString &coloana) const
{
    const TColoana &c = *GasesteColoana(m_impl.get(), coloana, true);
    const char *buf = RandCurent(m_impl.get(), coloana);
    if (EsteNul(buf, c))
        return QString();
    const char *d = buf + c.offset;
    if (qint64 v; CitesteIntreg(d, c.tip, v))
        return TextScalat(v, c.scala);
    switch (c.tip) {
    case SQL_VARYING: {
        unsigned short l;
        std::memcpy(&l, d, sizeof l);
        return DinOcteti(d + sizeof l, l, c.charset);
    }
    case SQL_BOOLEAN:
        return *reinterpret_cast<const unsigned char *>(d) ? QStringLiteral("True") : QStringLiteral("False");
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return QString::number(Valoare(m_impl.get(), coloana, c).toDouble(), 'g', 15);
    case SQL_TYPE_DATE:
        return Valoare(m_impl.get(), coloana, c).toDate().toString(Qt::ISODate);
    case SQL_TYPE_TIME:
        return Valoare(m_impl.get(), coloana, c).toTime().toString(Qt::ISODateWithMs);
    case SQL_TIMESTAMP:
        return Valoare(m_impl.get(), coloana, c).toDateTime().toString(Qt::ISODateWithMs);
    default:
        return Valoare(m_impl.get(), coloana, c).toString();
    }
}

qint64 TQuery::AsInt(const QString &coloana) const
{
    const TColoana &c = *GasesteColoana(m_impl.get(), coloana, true);
    const char *buf = RandCurent(m_impl.get(), coloana);
    if (EsteNul(buf, c))
        return 0;
    const char *d = buf + c.offset;
    if (qint64 v; CitesteIntreg(d, c.tip, v))
        return IntregScalat(v, c.scala);
    switch (c.tip) {
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return qRound64(Valoare(m_impl.get(), coloana, c).toDouble());
    case SQL_BOOLEAN:
        return *reinterpret_cast<const unsigned char *>(d) ? 1 : 0;
    default: {
        const QString t = AsText(coloana).trimmed();
        bool ok = false;
        const qint64 v = t.toLongLong(&ok);
        if (!ok)
            throw EZel(QStringLiteral("Valoarea \"%1\" a coloanei %2 nu este un numar intreg").arg(t, coloana));
        return v;
    }
    }
}

double TQuery::AsFloat(const QString &coloana) const
{
    const TColoana &c = *GasesteColoana(m_impl.get(), coloana, true);
    const char *buf = RandCurent(m_impl.get(), coloana);
    if (EsteNul(buf, c))
        return 0;
    if (EsteText(c.tip)) {
        const QString t = AsText(coloana).trimmed();
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (!ok)
            throw EZel(QStringLiteral("Valoarea \"%1\" a coloanei %2 nu este un numar").arg(t, coloana));
        return v;
    }
    return Valoare(m_impl.get(), coloana, c).toDouble();
}

QVariant TQuery::AsVariant(const QString &coloana) const
{
    const TColoana &c = *GasesteColoana(m_impl.get(), coloana, true);
    return Valoare(m_impl.get(), coloana, c);
}

QStringList TQuery::FieldNames() const
{
    QStringList r;
    if (m_impl->instr) {
        for (const TColoana &c : m_impl->instr->coloane)
            r.append(c.nume);
    }
    return r;
}
