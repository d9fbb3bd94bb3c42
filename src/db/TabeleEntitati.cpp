#include "db/TabeleEntitati.h"

#include "db/DM.h"
#include "db/AjutoareSincronizare.h"
#include "text/Eroare.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
// Engine names are at most 31 characters; the longest name made from T is "G_ID_" + T
// (and "FK_" + T + "_1"), five characters more than T.
constexpr qsizetype kLungimeMaximaNume = 26;

bool Exista(TQuery &q, const QString &sql, const QString &parametru, const QString &valoare)
{
    q.SetSQL(sql);
    q.SetParamText(parametru, valoare);
    return AreRand(q);
}

bool ExistaConstrangere(TQuery &q, const QString &nume)
{
    return Exista(q,
                  QStringLiteral("select    RDB$CONSTRAINT_NAME from    RDB$RELATION_CONSTRAINTS where    "
                                 "RDB$CONSTRAINT_NAME = :RDB$CONSTRAINT_NAME"),
                  QStringLiteral("RDB$CONSTRAINT_NAME"), nume);
}

void Executa(TQuery &q, const QString &sql)
{
    q.SetSQL(sql);
    q.ExecSQL();
}

bool ExistaColoanaDate(TQuery &q, const QString &coloana)
{
    q.SetSQL(QStringLiteral("SELECT * FROM RDB$RELATION_FIELDS WHERE (RDB$RELATION_NAME=:TAB) AND (RDB$FIELD_NAME=:FLD)"));
    q.SetParamText(QStringLiteral("TAB"), QStringLiteral("DATE"));
    q.SetParamText(QStringLiteral("FLD"), coloana);
    return AreRand(q);
}

} // namespace

bool EsteNumeTabelEntitateValid(const QString &tabel)
{
    static const QRegularExpression identificator(QStringLiteral("^[A-Z][A-Z0-9_]*$"));
    return tabel.size() <= kLungimeMaximaNume && identificator.match(tabel).hasMatch();
}

void VerificaNumeTabelEntitate(const QString &tabel)
{
    if (!EsteNumeTabelEntitateValid(tabel))
        throw EZel(QStringLiteral("Numele de tabel \"%1\" din TABELE nu este valid: un tabel de entitati se numeste "
                                  "cu litere mari, cifre si \"_\", incepe cu o litera si are cel mult %2 caractere")
                       .arg(tabel)
                       .arg(kLungimeMaximaNume));
}

void PregatesteTabeleEntitati()
{
    TDM &dm = DM();
    QStringList tabele;
    InTranzactie(dm, [&] {
        dm.Q1.SetSQL(QStringLiteral("select NUME_TABEL from TABELE"));
        dm.Q1.Open();
        for (; !dm.Q1.Eof(); dm.Q1.Next())
            tabele.append(dm.Q1.AsText(QStringLiteral("NUME_TABEL")));
        dm.Q1.Close();
    });

    for (const QString &t : tabele) {
        VerificaNumeTabelEntitate(t);
        for (void (*pas)(const QString &) :
             {CreeazaTabelEntitate, CreeazaCheiePrimara, CreeazaGenerator, AdaugaColoaneDate, AdaugaCheiStraine})
            InTranzactie(dm, [&] { pas(t); });
    }
}

void CreeazaTabelEntitate(const QString &t)
{
    VerificaNumeTabelEntitate(t);
    TDM &dm = DM();
    if (!Exista(dm.Q1,
                QStringLiteral("select    RDB$RELATION_NAME from    RDB$RELATIONS where    RDB$RELATION_NAME = :RDB$RELATION_NAME"),
                QStringLiteral("RDB$RELATION_NAME"), t))
        Executa(dm.Q2, QStringLiteral("create table ") + t + QStringLiteral("(") + QStringLiteral("    ID_") + t +
                           QStringLiteral(" INTEGER NOT NULL ") + QStringLiteral(");"));
}

void CreeazaCheiePrimara(const QString &t)
{
    VerificaNumeTabelEntitate(t);
    TDM &dm = DM();
    if (!ExistaConstrangere(dm.Q1, QStringLiteral("PK_") + t))
        Executa(dm.Q2, QStringLiteral("ALTER TABLE ") + t + QStringLiteral(" ADD CONSTRAINT PK_") + t +
                           QStringLiteral(" PRIMARY KEY (ID_") + t + QStringLiteral(");"));
}

void CreeazaGenerator(const QString &t)
{
    VerificaNumeTabelEntitate(t);
    TDM &dm = DM();
    if (!Exista(dm.Q1,
                QStringLiteral("select    RDB$GENERATOR_NAME from    RDB$GENERATORS where    RDB$GENERATOR_NAME = :RDB$GENERATOR_NAME"),
                QStringLiteral("RDB$GENERATOR_NAME"), QStringLiteral("G_ID_") + t)) {
        Executa(dm.Q2, QStringLiteral("CREATE GENERATOR G_ID_") + t + QStringLiteral(";"));
        Executa(dm.Q2, QStringLiteral("SET GENERATOR G_ID_") + t + QStringLiteral(" TO 0;"));
    }
}

void AdaugaColoaneDate(const QString &t)
{
    VerificaNumeTabelEntitate(t);
    TDM &dm = DM();
    if (!ExistaColoanaDate(dm.Q1, QStringLiteral("ID_") + t))
        Executa(dm.Q2, QStringLiteral("ALTER TABLE \"DATE\" ADD ID_") + t + QStringLiteral(" INTEGER"));
    if (!ExistaColoanaDate(dm.Q1, QStringLiteral("IDF_") + t))
        Executa(dm.Q2, QStringLiteral("ALTER TABLE \"DATE\" ADD IDF_") + t + QStringLiteral(" INTEGER"));
}

void AdaugaCheiStraine(const QString &t)
{
    VerificaNumeTabelEntitate(t);
    TDM &dm = DM();
    if (!ExistaConstrangere(dm.Q1, QStringLiteral("FK_") + t + QStringLiteral("_1")))
        Executa(dm.Q2, QStringLiteral("alter table \"DATE\" add constraint FK_%:1s_1 foreign key (ID_%:1s) references "
                                      "%:1s(ID_%:1s) on delete CASCADE")
                           .replace(QStringLiteral("%:1s"), t));
    if (!ExistaConstrangere(dm.Q1, QStringLiteral("FK_") + t + QStringLiteral("_2")))
        Executa(dm.Q2, QStringLiteral("alter table \"DATE\" add constraint FK_%:1s_2 foreign key (IDF_%:1s) references "
                                      "%:1s(ID_%:1s) on delete CASCADE")
                           .replace(QStringLiteral("%:1s"), t));
}
