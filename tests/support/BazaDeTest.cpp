#include "support/BazaDeTest.h"

#include "profile/ClasaProfil.h"
#include "profile/ProfilLX.h"
#include "text/Eroare.h"
#include "text/FolderProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList TFolderDeTest::FisiereImplicite()
{
    return {QStringLiteral("BLANK.FDB"), QStringLiteral("LX2008.binprof")};
}

TFolderDeTest::TFolderDeTest(const QStringList &fisiere)
{
    // Without its own folder the test would work in the real program folder.
    if (!m_dir.isValid())
        throw EZel(QStringLiteral("Nu pot crea folderul temporar al testului: %1").arg(m_dir.errorString()));
    for (const QString &f : fisiere)
        CopiazaDinBuild(f);
    RedirectioneazaFolderulProgramului(m_dir.path());
}

TFolderDeTest::~TFolderDeTest()
{
    RedirectioneazaFolderulProgramului(QString());
}

bool TFolderDeTest::Valid() const
{
    return m_dir.isValid();
}

QString TFolderDeTest::Cale() const
{
    return CaleInFolder(m_dir.path(), QString());
}

QString TFolderDeTest::CaleFisier(const QString &relativ) const
{
    return QDir::toNativeSeparators(QDir(m_dir.path()).filePath(QDir::fromNativeSeparators(relativ)));
}

bool TFolderDeTest::CopiazaDinBuild(const QString &nume, const QString &tinta) const
{
    const QString sursa = QDir(QStringLiteral(LX_BIN_DIR)).filePath(nume);
    if (!QFileInfo::exists(sursa))
        return false;
    const QString dest = CaleFisier(tinta.isEmpty() ? nume : tinta);
    QDir().mkpath(QFileInfo(dest).absolutePath());
    QFile::remove(dest);
    if (!QFile::copy(sursa, dest))
        return false;
    QFile::setPermissions(dest, QFile::permissions(dest) | QFile::WriteOwner);
    return true;
}

bool TFolderDeTest::ScrieFisier(const QString &relativ, const QByteArray &octeti) const
{
    const QString dest = CaleFisier(relativ);
    QDir().mkpath(QFileInfo(dest).absolutePath());
    QFile f(dest);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(octeti) == octeti.size();
}

void AsiguraProfilulInregistrat()
{
    if (!ProfilInregistrat())
        InregistreazaProfilulLX();
}

TBazaDeTest::TBazaDeTest(const QStringList &fisiere) : TFolderDeTest(fisiere)
{
    // A test never ends the whole test process: the creation step raises instead.
    SeteazaTerminareaProcesului([](int cod) {
        throw EZel(QStringLiteral("Procesul s-ar fi incheiat cu codul %1").arg(cod));
    });
}

TBazaDeTest::~TBazaDeTest()
{
    Stop();
    SeteazaTerminareaProcesului({});
}

void TBazaDeTest::Start()
{
    AsiguraProfilulInregistrat();
    m_dm = std::make_unique<TDM>();
    m_dm->DataModuleCreate();
}

void TBazaDeTest::Conecteaza()
{
    AsiguraProfilulInregistrat();
    m_dm = std::make_unique<TDM>();
    m_dm->Conecteaza();
}

void TBazaDeTest::Stop()
{
    m_dm.reset();
}

TDM &TBazaDeTest::Dm()
{
    if (!m_dm)
        throw EZel(QStringLiteral("Baza de test nu este pornita"));
    return *m_dm;
}

QString TBazaDeTest::CaleBaza() const
{
    const TClasaProfilDiploma *p = ProfilInregistrat();
    const QString nume = p ? p->NumeProfil() : QStringLiteral("LX2008");
    return CaleFisier(QStringLiteral("DB/") + nume + QStringLiteral(".FDB"));
}

QString TBazaDeTest::Scalar(const QString &sql)
{
    TDM &dm = Dm();
    const bool propria = !dm.Tr.InTransaction();
    if (propria)
        dm.Tr.StartTransaction();
    TQuery q(dm.Db, dm.Tr);
    QString r;
    try {
        q.SetSQL(sql);
        q.Open();
        if (!q.Eof())
            r = q.AsText(q.FieldNames().value(0));
        q.Close();
    } catch (...) {
        if (propria && dm.Tr.InTransaction())
            dm.Tr.Rollback();
        throw;
    }
    if (propria)
        dm.Tr.Rollback();
    return r;
}

QStringList TBazaDeTest::Randuri(const QString &sql)
{
    TDM &dm = Dm();
    const bool propria = !dm.Tr.InTransaction();
    if (propria)
        dm.Tr.StartTransaction();
    QStringList r;
    try {
        dm.Q8.SetSQL(sql);
        for (dm.Q8.Open(); !dm.Q8.Eof(); dm.Q8.Next()) {
            QStringList c;
            for (const QString &n : dm.Q8.FieldNames())
                c << (dm.Q8.IsNull(n) ? QStringLiteral("<null>") : dm.Q8.AsText(n));
            r << c.join(u'|');
        }
        dm.Q8.Close();
    } catch (...) {
        if (propria && dm.Tr.InTransaction())
            dm.Tr.Rollback();
        throw;
    }
    if (propria)
        dm.Tr.Rollback();
    return r;
}

void TBazaDeTest::Executa(const QString &sql)
{
    TDM &dm = Dm();
    dm.Tr.StartTransaction();
    try {
        TQuery q(dm.Db, dm.Tr);
        q.SetSQL(sql);
        q.ExecSQL();
        dm.Tr.Commit();
    } catch (...) {
        if (dm.Tr.InTransaction())
            dm.Tr.Rollback();
        throw;
    }
}

QString MesajulErorii(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EZel &e) {
        return e.Mesaj();
    }
    return QStringLiteral("<no error>");
}
