#include "form/Particularizari.h"

#include "form/FontFormular.h"
#include "form/FormularTextArea.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"
#include "text/FolderProgram.h"

#include <QFile>
#include <cstdio>

namespace {
constexpr int kFormatLista = 0;
constexpr int kFormatInregistrare = 2;

[[noreturn]] void FormatInvalid() { throw EZel(QStringLiteral("Invalid format")); }

// Deliberately never destroyed: the saves after each change are the ones that reach the
// file, and a save run by static destruction at exit could meet the code page tables
// already gone.
TListaParticularizareTextArea *&ListaRularii()
{
    static TListaParticularizareTextArea *lista = nullptr;
    return lista;
}

TDirectorModificariGeneric g_directorImplicit;
} // namespace

void TParticularizareTextArea::SeteazaFont(TFontFormular *f)
{
    m_font = f;
}

TListaParticularizareTextArea::TListaParticularizareTextArea(QString fisier) : m_fisier(std::move(fisier))
{
    QFile f(m_fisier);
    if (!f.exists())
        return;
    if (!f.open(QIODevice::ReadOnly))
        throw EZel(QStringLiteral("Nu pot citi din fisierul %1").arg(m_fisier));
    Incarca(f.readAll());
}

TListaParticularizareTextArea::~TListaParticularizareTextArea()
{
    try {
        Save();
    } catch (const EZel &e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

TListaParticularizareTextArea &TListaParticularizareTextArea::Lista()
{
    auto &lista = ListaRularii();
    if (!lista)
        lista = new TListaParticularizareTextArea(CaleInFolder(FolderulProgramului(), QStringLiteral("licenta.lic")));
    return *lista;
}

void TListaParticularizareTextArea::UitaLista()
{
    auto &lista = ListaRularii();
    if (lista) {
        lista->m_fisier.clear(); // the destructor then has nowhere to save
        delete lista;
        lista = nullptr;
    }
}

void TListaParticularizareTextArea::Incarca(const QByteArray &date)
{
    TCititorValori r(date);
    if (r.CitesteIntreg() != kFormatLista)
        FormatInvalid();
    const int n = r.CitesteIntreg();
    if (n < 0)
        FormatInvalid();
    std::vector<std::unique_ptr<TParticularizareTextArea>> linii;
    for (int i = 0; i < n; ++i) {
        const int format = r.CitesteIntreg();
        if (format > kFormatInregistrare || format < 0)
            FormatInvalid();
        auto p = std::make_unique<TParticularizareTextArea>();
        p->FormName = r.CitesteText();
        p->AreaName = r.CitesteText();
        p->AlignmentOverride = r.CitesteIntreg();
        p->ShiftX = r.CitesteIntreg();
        p->ShiftY = r.CitesteIntreg();
        p->FontComponent = r.CitesteText();
        if (format >= 1)
            p->TextOverride = r.CitesteText();
        if (format >= 2) {
            p->ItalicOverride = r.CitesteIntreg();
            p->BoldOverride = r.CitesteIntreg();
            p->FaceOverride = r.CitesteText();
        }
        linii.push_back(std::move(p));
    }
    m_linii = std::move(linii);
}

QByteArray TListaParticularizareTextArea::Serializeaza() const
{
    TScriitorValori w;
    w.ScrieIntreg(kFormatLista);
    w.ScrieIntreg(int32_t(m_linii.size()));
    for (const auto &p : m_linii) {
        w.ScrieIntreg(kFormatInregistrare);
        w.ScrieText(p->FormName);
        w.ScrieText(p->AreaName);
        w.ScrieIntreg(p->AlignmentOverride);
        w.ScrieIntreg(p->ShiftX);
        w.ScrieIntreg(p->ShiftY);
        w.ScrieText(p->FontComponent);
        w.ScrieText(p->TextOverride);
        w.ScrieIntreg(p->ItalicOverride);
        w.ScrieIntreg(p->BoldOverride);
        w.ScrieText(p->FaceOverride);
    }
    return w.Date();
}

void TListaParticularizareTextArea::Save() const
{
    if (m_fisier.isEmpty())
        return;
    // Encode first: a text the code page cannot hold fails before the file is touched.
    ScrieFisierAtomic(m_fisier, Serializeaza());
}

TParticularizareTextArea *TListaParticularizareTextArea::Lookup(const QString &formName, const QString &areaName,
                                                                 bool create)
{
    for (auto it = m_linii.rbegin(); it != m_linii.rend(); ++it)
        if ((*it)->FormName == formName && (*it)->AreaName == areaName)
            return it->get();
    if (!create)
        return nullptr;
    auto p = std::make_unique<TParticularizareTextArea>();
    p->FormName = formName;
    p->AreaName = areaName;
    m_linii.push_back(std::move(p));
    Save();
    return m_linii.back().get();
}

TParticularizareTextArea *AdjustmentFor(const TFormularTextArea *area, bool create)
{
    if (!area)
        return nullptr;
    const QObject *proprietar = area->Proprietar();
    TParticularizareTextArea *adj = TListaParticularizareTextArea::Lista().Lookup(
        proprietar ? proprietar->objectName() : QString(), area->objectName(), create);
    if (!adj)
        return nullptr;
    TFontFormular *font = nullptr;
    if (!adj->FontComponent.isEmpty() && proprietar)
        font = proprietar->findChild<TFontFormular *>(adj->FontComponent, Qt::FindDirectChildrenOnly);
    adj->SeteazaFont(font);
    return adj;
}

TDirectorModificari &DirectorModificariImplicit()
{
    return g_directorImplicit;
}
