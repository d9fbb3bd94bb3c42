#include "app/Pornire.h"

#include "app/EroareGenerala.h"
#include "app/LauridexMain.h"
#include "app/PrezentatorMesaje.h"
#include "db/DM.h"
#include "profile/ProfilLX.h"
#include "text/Conventii.h"
#include "text/Mesaje.h"

#include <QDialog>

void InitializeazaModulele()
{
    InregistreazaProfilulLX();
    Conventii::AplicaConventiileRomanesti();
}

void InregistreazaFerestrele()
{
    // Each window module adds its factory here as it arrives (TFerestreLauridex).
}

void CreeazaModululDeDate(TDM &dm)
{
    RuleazaCuRaportare([&] { dm.DataModuleCreate(); });
}

int PornesteLauridex(int argc, char **argv)
{
    InitializeazaModulele();

    TAplicatie app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lauridex"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lauridex"));
    TPrezentatorMesaje prezentator;
    Mesaje::SeteazaPrezentator(&prezentator);

    int cod;
    {
        TDM dm;
        CreeazaModululDeDate(dm);

        InregistreazaFerestrele();
        TLauridexMain principal;
        for (const auto &creeaza : std::as_const(FerestreLauridex().FerestreLaPornire))
            RuleazaCuRaportare(creeaza);

        if (FerestreLauridex().Splash) {
            RuleazaCuRaportare([] {
                std::unique_ptr<QDialog> s = FerestreLauridex().Splash();
                if (s)
                    s->exec();
            });
        }

        principal.show();
        cod = app.exec();
    }
    Mesaje::SeteazaPrezentator(nullptr);
    return cod;
}
