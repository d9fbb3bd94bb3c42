#include "app/LauridexMain.h"

#include "app/EroareGenerala.h"
#include "app/Plasare.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

TFerestreLauridex &FerestreLauridex()
{
    static TFerestreLauridex f;
    return f;
}

TLauridexMain::TLauridexMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Lauridex"));
    resize(1142, 656);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    const TFerestreLauridex &f = FerestreLauridex();
    auto adauga = [this](QMenu *meniu, const char *text, bool disponibil, void (TLauridexMain::*h)()) {
        QAction *a = meniu->addAction(QString::fromLatin1(text));
        a->setEnabled(disponibil);
        connect(a, &QAction::triggered, this, h);
        return a;
    };
    MeniuConfigurare = menuBar()->addMenu(QStringLiteral("Configurare"));
    ConfigurareDiploma = adauga(MeniuConfigurare, "Configurare diploma", bool(f.ConfigurareDiploma),
                                &TLauridexMain::ConfigurareDiplomaClick);
    ConfigurareScoala = adauga(MeniuConfigurare, "Configurare scoala", bool(f.ConfigurareScoala),
                               &TLauridexMain::ConfigurareScoalaClick);
    MeniuConfigurare->addSeparator();
    ConfigurareNota = adauga(MeniuConfigurare, "Configurare nota", bool(f.ConfigurareNota),
                             &TLauridexMain::ConfigurareNotaClick);
    ConfigurareImprimanta = adauga(MeniuConfigurare, "Configurare imprimanta", bool(f.ConfigurareImprimanta),
                                   &TLauridexMain::ConfigurareImprimantaClick);
    MeniuPreluareDate = menuBar()->addMenu(QStringLiteral("Preluare date"));
    ImportDinExcel = adauga(MeniuPreluareDate, "Import din Excel", bool(f.ImportDinExcel),
                            &TLauridexMain::ImportDinExcelClick);
    MeniuAjutor = menuBar()->addMenu(QStringLiteral("Ajutor"));
    DespreNoi = adauga(MeniuAjutor, "Despre noi", bool(f.DespreNoi), &TLauridexMain::DespreNoiClick);

    CentreazaSiRedimensioneazaForm(this);

    // The pupil list fills the whole client area and loads itself from the database.
    if (f.ListaElevi) {
        RuleazaCuRaportare([&] {
            m_listaElevi = f.ListaElevi(this);
            if (m_listaElevi) {
                m_listaElevi->setObjectName(QString());
                setCentralWidget(m_listaElevi);
            }
        });
    }
    if (!m_listaElevi)
        setCentralWidget(new QWidget(this));
}

TLauridexMain::~TLauridexMain() = default;

void TLauridexMain::ArataModal(const TFerestreLauridex::TFabricaDialog &fabrica)
{
    if (!fabrica)
        return;
    RuleazaCuRaportare([&] {
        std::unique_ptr<QDialog> d = fabrica(this);
        if (d)
            d->exec();
    });
}

void TLauridexMain::ConfigurareDiplomaClick()
{
    ArataModal(FerestreLauridex().ConfigurareDiploma);
}

void TLauridexMain::ConfigurareScoalaClick()
{
    ArataModal(FerestreLauridex().ConfigurareScoala);
}

void TLauridexMain::ConfigurareNotaClick()
{
    ArataModal(FerestreLauridex().ConfigurareNota);
}

void TLauridexMain::ConfigurareImprimantaClick()
{
    ArataModal(FerestreLauridex().ConfigurareImprimanta);
}

void TLauridexMain::ImportDinExcelClick()
{
    ArataModal(FerestreLauridex().ImportDinExcel);
    // Whatever the wizard's result, the list shows what the database now holds.
    const TFerestreLauridex &f = FerestreLauridex();
    if (m_listaElevi && f.ReincarcaListaElevi)
        RuleazaCuRaportare([&] { f.ReincarcaListaElevi(m_listaElevi); });
}

void TLauridexMain::DespreNoiClick()
{
    hide();
    ArataModal(FerestreLauridex().DespreNoi);
    show();
}
