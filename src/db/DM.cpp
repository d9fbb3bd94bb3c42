#include "db/DM.h"

#include "db/Sincronizare.h"
#include "db/TabeleEntitati.h"
#include "profile/ClasaProfil.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"
#include "text/Mesaje.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>


namespace {

TDM *&Publicat()
{
    static TDM *dm = nullptr;
    return dm;
}

std::function<void(int)> &Terminare()
{
    static std::function<void(int)> f;
    return f;
}

void TerminaProcesul(int cod)
{
    if (Terminare())
        Terminare()(cod);
    else
        std::exit(cod);
}

} // namespace

TDM::TDM()
    : Db(), Tr(Db), Q1(Db, Tr), Q2(Db, Tr), Q3(Db, Tr), Q4(Db, Tr), Q5(Db, Tr), Q6(Db, Tr),
      Q_GENERIC_LIST(Db, Tr), Q7(Db, Tr), Q8(Db, Tr)
{
}

TDM::~TDM()
{
    if (Publicat() == this)
        Publicat() = nullptr;
}

void TDM::DataModuleCreate()
{
    Conecteaza();
    ActualizeazaSchema();
    SincronizeazaLaPornire();
}

void TDM::Conecteaza()
{
    const TClasaProfilDiploma *profil = ProfilInregistrat();
    if (!profil)
        throw EZel(QStringLiteral("NU ai definit profilul diplomei"));
    const QString nume = profil->NumeProfil();
    if (nume.isEmpty())
        throw EZel(QStringLiteral("Profilul diplomei %1 nu are nume; nu stiu ce baza de date sa deschid")
                       .arg(profil->NumeClasa()));

    const QString program = FolderulProgramului();
    const QString folderDb = CaleInFolder(program, QStringLiteral("DB"));
    QDir().mkpath(folderDb);
    const QString cale = CaleInFolder(folderDb, nume + QStringLiteral(".FDB"));
    m_caleBaza = cale;

    if (!QFileInfo::exists(cale)) {
        const QString blank = CaleInFolder(program, QStringLiteral("BLANK.FDB"));
        if (!QFileInfo::exists(blank)) {
            Mesaje::Arata(Mesaje::Tip::Avertisment,
                          QStringLiteral("Nu exista baza de date curenta si nu gasesc baza de date \"BLANK\" pentru initializare.")
                              + QStringLiteral("\r\nDB Curent:") + cale + QStringLiteral("\r\nDB Blank:") + blank,
                          Mesaje::Ok, Mesaje::Ok);
            TerminaProcesul(1);
            // Only reached when a test replaced the process end.
            throw EZel(QStringLiteral("Lipsesc baza de date %1 si baza de date BLANK %2").arg(cale, blank));
        }
        // A failed copy shows up as a connection error below.
        if (QFile::copy(blank, cale)) {
            // The blank may be shipped read-only; the database must be writable.
            QFile::setPermissions(cale, QFile::permissions(cale) | QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    Db.Close();
    Db.DatabaseName = cale;
    Db.Params = TBazaDeDate::ParametriProgram();
    Db.Open();

    Publicat() = this;
}

void TDM::ActualizeazaSchema()
{
    struct TPas {
        int tinta;
        const char *instructiune;
    };
    static const TPas pasi[] = {
        {2, "ALTER TABLE PROFIL_DIPLOMA ADD LATIME_SUGERATA INTEGER, ADD COD_LINIE VARCHAR(32)"},
        {3, "ALTER TABLE PROFIL_DIPLOMA ADD ORDINE INTEGER"},
        {4, nullptr},
        {5, nullptr},
    };
    static_assert(sizeof pasi / sizeof pasi[0] == VersiuneaSchemei - 1, "one step per version");

    auto anuleaza = [this] {
        Q1.Close();
        if (Tr.InTransaction())
            Tr.Rollback();
    };
    auto inContext = [this](const EZel &e) {
        return EZel(QStringLiteral("Eroare la actualizarea bazei de date %1:\n%2")
                        .arg(QDir::toNativeSeparators(m_caleBaza), e.Mesaj()));
    };

    int v = 0;
    try {
        Tr.StartTransaction();
        Q1.SetSQL(QStringLiteral("SELECT VERSIUNE FROM CONFID_DB"));
        Q1.Open();
        if (Q1.Eof())
            throw EZel(QStringLiteral("Tabela CONFID_DB este goala: nu stiu versiunea bazei de date"));
        v = static_cast<int>(Q1.AsInt(QStringLiteral("VERSIUNE")));
        Q1.Close();
        Tr.Rollback();
    } catch (const EZel &e) {
        anuleaza();
        throw inContext(e);
    }

    for (const TPas &pas : pasi) {
        if (v >= pas.tinta)
            continue;
        try {
            Tr.StartTransaction();
            if (pas.instructiune) {
                Q1.SetSQL(QString::fromLatin1(pas.instructiune));
                Q1.ExecSQL();
            }
            Q1.SetSQL(QStringLiteral("UPDATE CONFID_DB SET VERSIUNE=%1").arg(pas.tinta));
            Q1.ExecSQL();
            Tr.Commit();
        } catch (const EZel &e) {
            anuleaza();
            throw inContext(e);
        }
    }
}

void TDM::SincronizeazaLaPornire()
{
    SincronizeazaTabele();
    PregatesteTabeleEntitati();
    SincronizeazaTipuriDeDate();
    SincronizeazaProfil();
}

TDM &DM()
{
    if (!Publicat())
        throw EZel(QStringLiteral("Baza de date nu este deschisa"));
    return *Publicat();
}

TDM *DMCurent()
{
    return Publicat();
}

void SeteazaTerminareaProcesului(std::function<void(int)> terminare)
{
    Terminare() = std::move(terminare);
}
