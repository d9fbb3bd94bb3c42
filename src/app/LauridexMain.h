#pragma once
#include <QDialog>
#include <QList>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class TLauridexMain;

// What the main window opens, as factories: a menu item is enabled exactly when the
// window it opens is available. The start-up fills this before the main window exists
// (see InregistreazaFerestrele in app/Pornire.h); tests fill it with their own dialogs.
struct TFerestreLauridex {
    using TFabricaDialog = std::function<std::unique_ptr<QDialog>(QWidget *proprietar)>;
    TFabricaDialog ConfigurareDiploma;    // TConfigurareDiploma
    TFabricaDialog ConfigurareScoala;     // TListaGenerica "Configurare scoala" on SCOALA, loaded
    TFabricaDialog ConfigurareNota;       // a new TEditorConfigGlobal
    TFabricaDialog ConfigurareImprimanta; // a new TPrintWiz
    TFabricaDialog ImportDinExcel;        // a new TImportExcelExpert
    TFabricaDialog DespreNoi;             // TAboutSplash

    // The pupil list frame that fills the main window (created and loaded by it).
    std::function<QWidget *(TLauridexMain *proprietar)> ListaElevi;
    // Reloads the pupil list and re-applies its search text (after an import).
    std::function<void(QWidget *listaElevi)> ReincarcaListaElevi;
    // Windows created hidden at start-up after the main window, in this order.
    QList<std::function<void()>> FerestreLaPornire;
    // The start-up splash, shown modally.
    std::function<std::unique_ptr<QDialog>()> Splash;
};
TFerestreLauridex &FerestreLauridex();

class TLauridexMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TLauridexMain(QWidget *parent = nullptr);
    ~TLauridexMain() override;

    QMenu *MeniuConfigurare = nullptr;
    QMenu *MeniuPreluareDate = nullptr;
    QMenu *MeniuAjutor = nullptr;
    QAction *ConfigurareDiploma = nullptr;
    QAction *ConfigurareScoala = nullptr;
    QAction *ConfigurareNota = nullptr;
    QAction *ConfigurareImprimanta = nullptr;
    QAction *ImportDinExcel = nullptr;
    QAction *DespreNoi = nullptr;

    // The pupil list frame, or nullptr until its module provides one.
    QWidget *ListaElevi() const { return m_listaElevi; }

    // Creates a dialog owned by the main window, shows it modally and frees it, even when
    // showing fails; an error goes to the general error display.
    void ArataModal(const TFerestreLauridex::TFabricaDialog &fabrica);

private:
    void ConfigurareDiplomaClick();
    void ConfigurareScoalaClick();
    void ConfigurareNotaClick();
    void ConfigurareImprimantaClick();
    void ImportDinExcelClick();
    void DespreNoiClick();

    QWidget *m_listaElevi = nullptr;
};
