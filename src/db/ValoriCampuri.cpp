#include "db/ValoriCampuri.h"

#include "db/DM.h"
#include "profile/ProfilDiploma.h"
#include "text/Eroare.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QVarLengthArray>
#include <algorithm>
#include <optional>

// Resolution reads the same few rows again and again: the pupil list names every pupil
// through the same field, the generic list every record. The reads are therefore kept in
// a cache that lives only while the database has not changed: any statement that may
// write, and any start or end of a transaction, moves the connection's change counter
// and the next resolution starts from an empty cache. Opening a cursor moves the counter
// too, so resolution's own reads carry the window forward (DupaCitireProprie). Within
// that window a field asked for many records is read in one pass over its rows instead
// of one query per record.

namespace {

const QString kElevi = QStringLiteral("ELEVI");

struct TLinieProfil {
    bool exista = false;
    QString onorez;   // ONOREZ_SIMILAR
    QString similar;  // SIMILAR_CU
    QString asociat;  // ASOCIAT_CU
};

// What resolution needs of the first "DATE" row of one field for one record: its text
// and, for a pupil's row of a field owned by another table T, its IDF_T.
struct TRandDate {
    QString valoare;
    std::optional<qint64> legatura;
};

// The rows of one field under one owner column (ID_T), read for one purpose (with or
// without one IDF_ column).
struct TColoanaDate {
    int cereri = 0;
    bool completa = false; // every row of the field is in `randuri`
    bool faraCitireIntreaga = false; // the whole read failed once: one record at a time
    QHash<qint64, std::optional<TRandDate>> randuri;
    QSet<qint64> multiple; // ids with more than one row: always asked one by one
};

// A field read one record at a time this many times in one window is then read whole.
constexpr int kPragCitireIntreaga = 16;

struct TCache {
    const TDM *dm = nullptr;
    quint64 stare = 0;
    QHash<QString, TLinieProfil> profil;
    QHash<QString, QHash<QString, TColoanaDate>> coloane; // field key -> owner table -> rows

    void Goleste()
    {
        dm = nullptr;
        profil.clear();
        coloane.clear();
    }

    // Called at the start of every resolution.
    void Valideaza(TDM &d)
    {
        const quint64 s = d.Db.Generatie();
        if (dm != &d || stare != s) {
            Goleste();
            dm = &d;
            stare = s;
        }
    }

    // Our own reads of the rows kept here change nothing; should the connection count
    // them as possible changes too, the window stays open across them, and only across
    // them.
    void DupaCitireProprie(const TDM &d, quint64 inainte)
    {
        if (dm == &d && stare == inainte)
            stare = d.Db.Generatie();
    }
};

TCache &Cache()
{
    static TCache c;
    return c;
}

QString CheieInterna(const QString &f, const QString &p, const QString &c)
{
    return f + QChar(0x1F) + p + QChar(0x1F) + c;
}

void SeteazaCodurile(TQuery &q, const QString &f, const QString &p, const QString &c)
{
    q.SetParamText(QStringLiteral("COD_FORMULAR"), f);
    q.SetParamText(QStringLiteral("COD_PAGINA"), p);
    q.SetParamText(QStringLiteral("COD_CAMP"), c);
}

TRandDate RandulCurent(const TQuery &q, const QString &legatura)
{
    TRandDate r;
    r.valoare = q.AsText(QStringLiteral("VALOARE_TEXT"));
    if (!legatura.isEmpty() && !q.IsNull(legatura))
        r.legatura = q.AsInt(legatura);
    return r;
}

class TRezolvare {
public:
    explicit TRezolvare(TDM &dm) : m_dm(dm) {}

    QString Valoare(const QString &f, const QString &p, const QString &c, int x, int y)
    {
        const QString cheie = CheieInterna(f, p, c);
        // A field met again in one resolution would recurse without end.
        if (std::find(m_vazute.cbegin(), m_vazute.cend(), cheie) != m_vazute.cend())
            return QString();
        m_vazute.append(cheie);

        const TLinieProfil linie = Profil(f, p, c, cheie);
        if (!linie.exista)
            return QString();
        const QString &os = linie.onorez;
        const QString &t = linie.asociat;

        if (os.toUpper() == QLatin1String("NU") || os.isEmpty() || linie.similar.trimmed().isEmpty())
            return ValoareProprie(f, p, c, cheie, t, x, y);

        int urmator = y;
        if (os == QLatin1String("OPTIONAL")) {
            QString propriu;
            if (t == kElevi) {
                propriu = ValoareElev(f, p, c, cheie, x);
                urmator = -1;
            } else {
                const std::optional<qint64> r = Legatura(f, p, c, cheie, t, x);
                if (!r)
                    return QString();
                urmator = static_cast<int>(*r);
                propriu = ValoareInTabel(f, p, c, cheie, t, *r);
            }
            if (!propriu.isEmpty())
                return propriu;
        }
        const TCheieCamp k = DescompuneCheie(linie.similar);
        return Valoare(k.COD_FORMULAR, k.COD_PAGINA, k.COD_CAMP, x, urmator);
    }

private:
    TLinieProfil Profil(const QString &f, const QString &p, const QString &c, const QString &cheie)
    {
        TCache &cache = Cache();
        auto it = cache.profil.constFind(cheie);
        if (it != cache.profil.constEnd())
            return it.value();
        TQuery &q = m_dm.Q1;
        q.SetSQL(QStringLiteral("SELECT * FROM PROFIL_DIPLOMA WHERE (COD_FORMULAR=:COD_FORMULAR) AND "
                                "(COD_PAGINA=:COD_PAGINA) AND (COD_CAMP=:COD_CAMP)"));
        SeteazaCodurile(q, f, p, c);
        const quint64 inainte = m_dm.Db.Generatie();
        q.Open();
        TLinieProfil l;
        if (!q.Eof()) {
            l.exista = true;
            l.onorez = q.AsText(QStringLiteral("ONOREZ_SIMILAR"));
            l.similar = q.AsText(QStringLiteral("SIMILAR_CU"));
            l.asociat = q.AsText(QStringLiteral("ASOCIAT_CU"));
        }
        q.Close();
        cache.DupaCitireProprie(m_dm, inainte);
        cache.profil.insert(cheie, l);
        return l;
    }

    QString ValoareProprie(const QString &f, const QString &p, const QString &c, const QString &cheie,
                           const QString &t, int x, int y)
    {
        if (t == kElevi)
            return ValoareElev(f, p, c, cheie, x);
        qint64 r = y;
        if (x != -1)
            r = Legatura(f, p, c, cheie, t, x).value_or(-1);
        return ValoareInTabel(f, p, c, cheie, t, r);
    }

    QString ValoareElev(const QString &f, const QString &p, const QString &c, const QString &cheie, qint64 x)
    {
        const TRandDate *r = Rand(m_dm.Q2, f, p, c, cheie, kElevi, QString(), x);
        return r ? r->valoare : QString();
    }

    // The record of T that the pupil's own row of this field links to. T only names the
    // column read from that row, so a pupil without a row gives none whatever T is.
    std::optional<qint64> Legatura(const QString &f, const QString &p, const QString &c, const QString &cheie,
                                   const QString &t, qint64 x)
    {
        const TRandDate *r = Rand(m_dm.Q2, f, p, c, cheie, kElevi, QStringLiteral("IDF_") + t, x);
        return r ? r->legatura : std::nullopt;
    }

    QString ValoareInTabel(const QString &f, const QString &p, const QString &c, const QString &cheie,
                           const QString &t, qint64 r)
    {
        VerificaAsociere(f, p, c, t);
        const TRandDate *rand = Rand(m_dm.Q3, f, p, c, cheie, t, QString(), r);
        return rand ? rand->valoare : QString();
    }

    // The first "DATE" row of the field with ID_<t> = id, through the cache; nullptr when
    // there is none. `legatura` names the IDF_ column wanted, if any. The pointer is good
    // until the cache changes: use it at once.
    const TRandDate *Rand(TQuery &q, const QString &f, const QString &p, const QString &c, const QString &cheie,
                          const QString &t, const QString &legatura, qint64 id)
    {
        TColoanaDate &col = Cache().coloane[cheie][legatura.isEmpty() ? t : t + u'/' + legatura];
        if (const auto it = col.randuri.constFind(id); it != col.randuri.constEnd())
            return it->has_value() ? &**it : nullptr;
        if (col.completa && !col.multiple.contains(id))
            return nullptr;
        if (!col.completa && !col.faraCitireIntreaga && ++col.cereri >= kPragCitireIntreaga) {
            if (CitesteColoana(q, f, p, c, t, legatura, col))
                return Rand(q, f, p, c, cheie, t, legatura, id);
            col.faraCitireIntreaga = true;
        }

        q.SetSQL(QStringLiteral("SELECT * FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) "
                                "AND (COD_CAMP=:COD_CAMP) AND (ID_") +
                 t + QStringLiteral("=:ID)"));
        SeteazaCodurile(q, f, p, c);
        q.SetParamInt(QStringLiteral("ID"), id);
        const quint64 inainte = m_dm.Db.Generatie();
        q.Open();
        std::optional<TRandDate> rand;
        if (!q.Eof())
            rand = RandulCurent(q, legatura);
        q.Close();
        Cache().DupaCitireProprie(m_dm, inainte);
        const auto it = col.randuri.insert(id, std::move(rand));
        return it->has_value() ? &**it : nullptr;
    }

    // Reads every row of the field under ID_<t> in one pass: only the columns resolution
    // uses, so the pass costs little more than the engine's own reading. It is only a
    // shortcut: when it cannot be done (a link column that does not exist, a name that
    // cannot go into SQL), false, and the one-record queries answer as they always do.
    bool CitesteColoana(TQuery &q, const QString &f, const QString &p, const QString &c, const QString &t,
                        const QString &legatura, TColoanaDate &col)
    {
        if (!EsteIdentificator(t) || (!legatura.isEmpty() && !EsteIdentificator(legatura)))
            return false;
        const QString id = QStringLiteral("ID_") + t;
        QHash<qint64, std::optional<TRandDate>> randuri;
        QSet<qint64> multiple;
        try {
            q.SetSQL(QStringLiteral("SELECT ") + id + QStringLiteral(", VALOARE_TEXT") +
                 (legatura.isEmpty() ? QString() : QStringLiteral(", ") + legatura) +
                 QStringLiteral(" FROM \"DATE\" WHERE (COD_FORMULAR=:COD_FORMULAR) AND (COD_PAGINA=:COD_PAGINA) AND "
                                "(COD_CAMP=:COD_CAMP) AND (") +
                 id + QStringLiteral(" IS NOT NULL)"));
            SeteazaCodurile(q, f, p, c);
            const quint64 inainte = m_dm.Db.Generatie();
            q.Open();
            randuri.reserve(1024);
            for (; !q.Eof(); q.Next()) {
                const qint64 v = q.AsInt(id);
                if (multiple.contains(v))
                    continue;
                if (const auto it = randuri.find(v); it != randuri.end()) {
                    // Which of two rows the one-record query finds is the engine's business:
                    // such an id is asked that way.
                    randuri.erase(it);
                    multiple.insert(v);
                    continue;
                }
                randuri.insert(v, RandulCurent(q, legatura));
            }
            q.Close();
            Cache().DupaCitireProprie(m_dm, inainte);
        } catch (const EZel &) {
            q.Close();
            return false;
        }
        // Answers the one-record query gave stay as it gave them.
        for (auto it = col.randuri.cbegin(); it != col.randuri.cend(); ++it)
            randuri.insert(it.key(), it.value());
        col.randuri = std::move(randuri);
        col.multiple = std::move(multiple);
        col.completa = true;
        return true;
    }

    // A name that may be pasted into SQL as it stands. The engine folds unquoted names to
    // upper case, so "institutia" names the table INSTITUTIA, as it does for the engine.
    static bool EsteIdentificator(const QString &nume)
    {
        static const QRegularExpression identificator(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
        return identificator.match(nume).hasMatch();
    }

    // The owner's name is pasted into SQL.
    static void VerificaAsociere(const QString &f, const QString &p, const QString &c, const QString &t)
    {
        if (!EsteIdentificator(t))
            throw EZel(QStringLiteral("Campul %1 este asociat cu \"%2\", care nu este numele unui tabel de entitati")
                           .arg(CompuneCheie(f, p, c), t));
    }

    TDM &m_dm;
    QVarLengthArray<QString, 8> m_vazute;
};

// Runs inside the caller's transaction, or in one of its own that is rolled back.
template <class F>
auto InTranzactieCitire(TDM &dm, std::initializer_list<TQuery *> interogari, F &&lucru)
{
    const bool aPornit = !dm.Tr.InTransaction();
    if (aPornit)
        dm.Tr.StartTransaction();
    try {
        auto rezultat = lucru();
        if (aPornit)
            dm.Tr.Rollback();
        return rezultat;
    } catch (...) {
        Cache().Goleste();
        for (TQuery *q : interogari)
            q->Close();
        if (aPornit && dm.Tr.InTransaction())
            dm.Tr.Rollback();
        throw;
    }
}

} // namespace

QString ValoareCamp(const QString &formular, const QString &pagina, const QString &camp, int elev, int alt)
{
    TDM &dm = DM();
    return InTranzactieCitire(dm, {&dm.Q1, &dm.Q2, &dm.Q3}, [&] {
        Cache().Valideaza(dm);
        return TRezolvare(dm).Valoare(formular, pagina, camp, elev, alt);
    });
}

QString ParseExp(const QString &expresie, int elev, int alt)
{
    TDM &dm = DM();
    if (!dm.Tr.InTransaction())
        throw EZel(QStringLiteral("Tranzactia trebuie sa fie activa in momentul apelarii procedurii ParseExp"));
    QString rezultat;
    QString cheie;
    bool inCheie = false;
    for (const QChar ch : expresie) {
        if (!inCheie) {
            if (ch == u'{') {
                inCheie = true;
                cheie.clear();
            } else {
                rezultat += ch;
            }
        } else if (ch == u'}') {
            const TCheieCamp k = DescompuneCheie(cheie);
            rezultat += ValoareCamp(k.COD_FORMULAR, k.COD_PAGINA, k.COD_CAMP, elev, alt);
            inCheie = false;
        } else {
            cheie += ch;
        }
    }
    return rezultat;
}

QString DespartePeCuvinte(const QString &text)
{
    QString rezultat;
    rezultat.reserve(text.size() * 2);
    for (const QChar ch : text) {
        if (ch >= u'A' && ch <= u'Z')
            rezultat += u' ';
        rezultat += ch;
    }
    return rezultat;
}

QString ListaCampuriOnorate(const QString &tabel)
{
    TDM &dm = DM();
    return InTranzactieCitire(dm, {&dm.Q1}, [&] {
        TQuery &q = dm.Q1;
        q.SetSQL(QStringLiteral("SELECT COD_FORMULAR, COD_PAGINA, COD_CAMP FROM PROFIL_DIPLOMA WHERE "
                                "(ASOCIAT_CU=:ASOCIAT_CU) AND (ONOREZ_SIMILAR='DA')"));
        q.SetParamText(QStringLiteral("ASOCIAT_CU"), tabel);
        q.Open();
        QString lista;
        for (; !q.Eof(); q.Next()) {
            const QString cheie = QStringLiteral("{%1.%2.%3}")
                                      .arg(q.AsText(QStringLiteral("COD_FORMULAR")), q.AsText(QStringLiteral("COD_PAGINA")),
                                           q.AsText(QStringLiteral("COD_CAMP")));
            if (!lista.isEmpty())
                lista += QStringLiteral("; ");
            lista += cheie;
        }
        q.Close();
        return lista;
    });
}
