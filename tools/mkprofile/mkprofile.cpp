// mkprofile <source.txt> <output.binprof>: compiles the readable profile source into the
// tagged-value profile file the program reads at start-up.
#include "profile/SursaProfil.h"
#include "text/Eroare.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkprofile <source.txt> <output.binprof>\n");
        return 2;
    }
    try {
        const TSursaProfil sursa = CitesteFisierSursaProfil(args.at(1));
        QDir().mkpath(QFileInfo(args.at(2)).absolutePath());
        sursa.Profil.SalveazaInFisier(args.at(2), sursa.Antet);
        // Read back with the program's own reader: a file it cannot read must not ship.
        TListaLiniiProfilDiploma verificare;
        verificare.IncarcaDinFisier(args.at(2));
        if (verificare.Linii() != sursa.Profil.Linii() || verificare.Formulare() != sursa.Profil.Formulare())
            throw EZel(QStringLiteral("Fisierul scris nu se citeste la fel: %1").arg(args.at(2)));
        std::printf("mkprofile: %d fields -> %s\n", sursa.Profil.Count(), qPrintable(QDir::toNativeSeparators(args.at(2))));
    } catch (const EZel &e) {
        std::fprintf(stderr, "mkprofile: %s\n", e.what());
        return 1;
    }
    return 0;
}
