#include "profile/ProfilDiploma.h"

#include "text/Eroare.h"
#include "text/FluxValori.h"
#include "text/FolderProgram.h"
#include "text/TextRo.h"

#include <QDir>
#include <QFile>

// ---------------------------------------------------------------------------------------
// Keys

TCheieCamp DescompuneCheie(const QString &cheie)
{
    TCheieCamp k;
    QString *parti[3] = {&k.COD_FORMULAR, &k.COD_PAGINA, &k.COD_CAMP};
    int parte = 0;
    for (const QChar c : cheie) {
        if (c == u'.') {
            if (++parte >= 3)
                break;
            continue;
        }
        parti[parte]->append(c);
    }
    return k;
}

void DescompuneCheie(const QString &cheie, QString &formular, QString &pagina, QString &camp)
{
    TCheieCamp k = DescompuneCheie(cheie);
    formular = std::move(k.COD_FORMULAR);
    pagina = std::move(k.COD_PAGINA);
    camp = std::move(k.COD_CAMP);
}

QString CompuneCheie(const QString &formular, const QString &pagina, const QString &camp)
{
    return formular + u'.' + pagina + u'.' + camp;
}

// ---------------------------------------------------------------------------------------
// Data types

const QStringList &TipDeDate::Toate()
{
    static const QStringList toate{Text, CF, Sirues, CNP, Nota, Calificativ, NotaSauCalificativ};
    return toate;
}

bool TipDeDate::EsteCunoscut(const QString &nume) { return Toate().contains(nume, Qt::CaseSensitive); }

// ---------------------------------------------------------------------------------------
// Class reference of the base list

namespace {
class TClasaListaLiniiProfilDiploma final : public TClasaProfilDiploma {
public:
    QString NumeClasa() const override { return QStringLiteral("TListaLiniiProfilDiploma"); }
    std::unique_ptr<TListaLiniiProfilDiploma> Create() const override
    {
        return std::make_unique<TListaLiniiProfilDiploma>();
    }
};

[[noreturn]] void StreamInvalid() { throw EZel(QStringLiteral("Invalid stream")); }
[[noreturn]] void LinieInvalida() { throw EZel(QStringLiteral("Invalid Stream!")); }

void CitesteZeroSau(TCititorValori &c, void (*eroare)())
{
    if (c.CitesteIntreg() != 0)
        eroare();
}
} // namespace

const TClasaProfilDiploma &TListaLiniiProfilDiploma::Clasa()
{
    static const TClasaListaLiniiProfilDiploma clasa;
    return clasa;
}

// ---------------------------------------------------------------------------------------
// Reading

void TListaLiniiProfilDiploma::IncarcaDinFisier(const QString &cale)
{
    QFile f(cale);
    if (!f.open(QIODevice::ReadOnly))
        throw EZel(QStringLiteral("Nu pot deschide fisierul profilului %1: %2")
                       .arg(QDir::toNativeSeparators(cale), f.errorString()));
    TCititorValori cititor(f);
    f.close();
    cititor.CitesteText(); // header, ignored
    CitesteDinReader(cititor);
}

void TListaLiniiProfilDiploma::CitesteDinReader(TCititorValori &c)
{
    const auto versiune = static_cast<uint32_t>(c.CitesteIntreg());
    if (versiune > 1)
        StreamInvalid();

    const int32_t n = c.CitesteIntreg();
    m_linii.clear();
    for (int32_t i = 0; i < n; ++i) {
        CitesteZeroSau(c, LinieInvalida);
        TLinieProfilDiploma l;
        l.COD_FORMULAR = c.CitesteText();
        l.COD_PAGINA = c.CitesteText();
        l.COD_CAMP = c.CitesteText();
        l.SIMILAR_CU = c.CitesteText();
        l.ONOREZ_SIMILAR_FISIER = c.CitesteText();
        l.ETICHETA_EDITOR = c.CitesteText();
        l.FORMULA = c.CitesteText();
        l.VIZIBIL = c.CitesteText();
        l.TIP_DE_DATE = c.CitesteText();
        l.ASOCIAT_CU = c.CitesteText();
        l.GRUP = c.CitesteText();
        l.ORDINE = c.CitesteIntreg();
        l.LATIME_SUGERATA = c.CitesteIntreg();
        l.COD_LINIE = c.CitesteText();
        m_linii.push_back(std::move(l));
    }

    m_formulare.clear();
    if (versiune == 0)
        return;
    CitesteZeroSau(c, StreamInvalid);
    const int32_t m = c.CitesteIntreg();
    for (int32_t i = 0; i < m; ++i) {
        CitesteZeroSau(c, StreamInvalid);
        TInfoFormularDiploma fd;
        fd.Text1 = c.CitesteText();
        fd.Text2 = c.CitesteText();
        CitesteZeroSau(c, StreamInvalid);
        const int32_t k = c.CitesteIntreg();
        for (int32_t j = 0; j < k; ++j) {
            CitesteZeroSau(c, StreamInvalid);
            TInfoPaginaFormularDiploma pd;
            pd.Text1 = c.CitesteText();
            pd.Text2 = c.CitesteText();
            fd.Pagini.push_back(std::move(pd));
        }
        m_formulare.push_back(std::move(fd));
    }
}

// ---------------------------------------------------------------------------------------
// Writing

void TListaLiniiProfilDiploma::ScrieInScriitor(TScriitorValori &s, const QString &antet) const
{
    const bool cuFormulare = !m_formulare.empty();
    s.ScrieText(antet);
    s.ScrieIntreg(cuFormulare ? 1 : 0);
    s.ScrieIntreg(Count());
    for (const TLinieProfilDiploma &l : m_linii) {
        s.ScrieIntreg(0);
        for (const QString *t : {&l.COD_FORMULAR, &l.COD_PAGINA, &l.COD_CAMP, &l.SIMILAR_CU, &l.ONOREZ_SIMILAR_FISIER,
                                 &l.ETICHETA_EDITOR, &l.FORMULA, &l.VIZIBIL, &l.TIP_DE_DATE, &l.ASOCIAT_CU, &l.GRUP})
            s.ScrieText(*t);
        s.ScrieIntreg(l.ORDINE);
        s.ScrieIntreg(l.LATIME_SUGERATA);
        s.ScrieText(l.COD_LINIE);
    }
    if (!cuFormulare)
        return;
    s.ScrieIntreg(0);
    s.ScrieIntreg(static_cast<int32_t>(m_formulare.size()));
    for (const TInfoFormularDiploma &fd : m_formulare) {
        s.ScrieIntreg(0);
        s.ScrieText(fd.Text1);
        s.ScrieText(fd.Text2);
        s.ScrieIntreg(0);
        s.ScrieIntreg(static_cast<int32_t>(fd.Pagini.size()));
        for (const TInfoPaginaFormularDiploma &pd : fd.Pagini) {
            s.ScrieIntreg(0);
            s.ScrieText(pd.Text1);
            s.ScrieText(pd.Text2);
        }
    }
}

QByteArray TListaLiniiProfilDiploma::Serializeaza(const QString &antet) const
{
    TScriitorValori s;
    ScrieInScriitor(s, antet);
    return s.Date();
}

void TListaLiniiProfilDiploma::SalveazaInFisier(const QString &cale, const QString &antet) const
{
    ScrieFisierAtomic(cale, Serializeaza(antet));
}

// ---------------------------------------------------------------------------------------
// Paths

QString CaleFisierBinprof(const TClasaProfilDiploma &clasa)
{
    return NormalizeazaCale(FolderulProgramului() + QDir::separator() + clasa.NumeProfil() + QStringLiteral(".binprof"));
}
