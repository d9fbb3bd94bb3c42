// bench_names: the pupil list's names. 10,000 pupils are named through ParseExp of the
// profile's ListaCampuriElev, as the pupil list does, against the least the engine must
// do for the same result: one SELECT of those 10,000 values. Both run in the same
// process on the same temporary database; the median of several rounds is compared.
// A write between two namings must show in the second one (no stale value).
#include "db/DM.h"
#include "db/ValoriCampuri.h"
#include "profile/ProfilLX.h"
#include "support/BazaDeTest.h"
#include "text/Eroare.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kElevi = 10000;
constexpr int kRunde = 7;

void Umple(TDM &dm)
{
    dm.Tr.StartTransaction();
    dm.Q1.SetSQL(QStringLiteral("INSERT INTO ELEVI (ID_ELEVI) VALUES (:ID)"));
    dm.Q2.SetSQL(QStringLiteral("INSERT INTO \"DATE\" (COD_FORMULAR, COD_PAGINA, COD_CAMP, VALOARE_TEXT, VALOARE_NUM, ID_ELEVI) "
                                "VALUES ('Lauridex', 'FATA', :C, :V, 0, :ID)"));
    for (int id = 1; id <= kElevi; ++id) {
        dm.Q1.SetParamInt(QStringLiteral("ID"), id);
        dm.Q1.ExecSQL();
        // The name and a few other fields of each pupil, so the name is not alone in "DATE".
        const QString valori[][2] = {{QStringLiteral("C_NUME"), QStringLiteral("Popescu Ion %1").arg(id)},
                                     {QStringLiteral("CNP"), QStringLiteral("1%1").arg(id, 12, 10, QLatin1Char('0'))},
                                     {QStringLiteral("C_MEDIA_GEN"), QStringLiteral("9,%1").arg(id % 100)},
                                     {QStringLiteral("C_SPECIALITATEA"), QStringLiteral("matematica")}};
        for (const auto &v : valori) {
            dm.Q2.SetParamText(QStringLiteral("C"), v[0]);
            dm.Q2.SetParamText(QStringLiteral("V"), v[1]);
            dm.Q2.SetParamInt(QStringLiteral("ID"), id);
            dm.Q2.ExecSQL();
        }
    }
    dm.Tr.Commit();
}

QList<int> Elevii(TDM &dm)
{
    QList<int> r;
    dm.Tr.StartTransaction();
    dm.Q5.SetSQL(QStringLiteral("SELECT ID_ELEVI FROM ELEVI"));
    for (dm.Q5.Open(); !dm.Q5.Eof(); dm.Q5.Next())
        r << static_cast<int>(dm.Q5.AsInt(QStringLiteral("ID_ELEVI")));
    dm.Tr.Rollback();
    return r;
}

QStringList NumeleNoastre(const QList<int> &elevi, const QString &expresie)
{
    QStringList r;
    r.reserve(elevi.size());
    for (int id : elevi)
        r << ParseExp(expresie, id, -1);
    return r;
}

QHash<int, QString> NumeleMotorului(TDM &dm)
{
    QHash<int, QString> r;
    r.reserve(kElevi);
    dm.Q5.SetSQL(QStringLiteral("SELECT ID_ELEVI, VALOARE_TEXT FROM \"DATE\" WHERE COD_FORMULAR='Lauridex' AND "
                                "COD_PAGINA='FATA' AND COD_CAMP='C_NUME'"));
    for (dm.Q5.Open(); !dm.Q5.Eof(); dm.Q5.Next())
        r.insert(static_cast<int>(dm.Q5.AsInt(QStringLiteral("ID_ELEVI"))), dm.Q5.AsText(QStringLiteral("VALOARE_TEXT")));
    dm.Q5.Close();
    return r;
}

double Mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        InregistreazaProfilulLX();
        TBazaDeTest baza;
        baza.Start();
        TDM &dm = baza.Dm();
        Umple(dm);
        const QList<int> elevi = Elevii(dm);
        const QString expresie = TListaLiniiProfilLX::Clasa().ListaCampuriElev();

        QList<double> noi, motor;
        QStringList nume;
        QHash<int, QString> asteptat;
        for (int runda = 0; runda < kRunde; ++runda) {
            QElapsedTimer t;
            t.start();
            dm.Tr.StartTransaction();
            nume = NumeleNoastre(elevi, expresie);
            dm.Tr.Rollback();
            noi << t.nsecsElapsed() / 1e6;

            t.restart();
            dm.Tr.StartTransaction();
            asteptat = NumeleMotorului(dm);
            dm.Tr.Rollback();
            motor << t.nsecsElapsed() / 1e6;
        }
        for (qsizetype i = 0; i < elevi.size(); ++i)
            if (nume.at(i) != asteptat.value(elevi.at(i))) {
                std::fprintf(stderr, "wrong name for pupil %d\n", elevi.at(i));
                return 1;
            }

        // A value written between two namings in the same transaction shows at once.
        dm.Tr.StartTransaction();
        NumeleNoastre(elevi, expresie);
        dm.Q4.SetSQL(QStringLiteral("UPDATE \"DATE\" SET VALOARE_TEXT='Ionescu Maria' WHERE COD_CAMP='C_NUME' AND ID_ELEVI=:ID"));
        dm.Q4.SetParamInt(QStringLiteral("ID"), elevi.at(elevi.size() / 2));
        dm.Q4.ExecSQL();
        const QStringList dupa = NumeleNoastre(elevi, expresie);
        dm.Tr.Rollback();
        if (dupa.at(elevi.size() / 2) != QLatin1String("Ionescu Maria")) {
            std::fprintf(stderr, "stale name after a write\n");
            return 1;
        }

        const double a = Mediana(noi), b = Mediana(motor);
        std::printf("pupils: %d, rounds: %d (median)\n", static_cast<int>(elevi.size()), kRunde);
        std::printf("ours (ParseExp of %s for each pupil): %.2f ms\n", qPrintable(expresie), a);
        std::printf("baseline (one SELECT of the %d values): %.2f ms\n", static_cast<int>(elevi.size()), b);
        std::printf("names after a write: fresh\n");
        std::printf("ratio: %.2f\n", a / b);
    } catch (const EZel &e) {
        std::fprintf(stderr, "bench_names: %s\n", e.what());
        return 1;
    }
    return 0;
}
