#pragma once
#include <QString>

// Column widths and row heights are scaled by a user ratio kept in "LargeFonts.txt"
// beside the program and by the screen's pixel density, so big system fonts still fit.

struct TRaportLargeFonts {
    int Numarator = 1;
    int Numitor = 1;
};

// The ratio, worked out on the first call and kept for the rest of the run.
TRaportLargeFonts RaportLargeFonts();

// a pixels at 96 dpi, scaled by the ratio and the screen's logical dpi.
int ScaleazaLargeFonts(int a);
// The same with an explicit dpi (the screen's is read by the overload above).
int ScaleazaLargeFonts(int a, int pixeliPeInch);

// Reads the first line of the file as "numarator:numitor" (without caching anything).
TRaportLargeFonts CitesteRaportLargeFonts(const QString &primaLinie);

// Tests only: forget the ratio so the next call reads the file again.
void UitaRaportLargeFonts();
