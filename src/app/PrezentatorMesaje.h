#pragma once
#include "text/Mesaje.h"

// Shows the message service's boxes as real message boxes. On a window system where
// nobody can click (offscreen, minimal) the text goes to the standard error and the
// default button is the answer, so a headless run never blocks.
class TPrezentatorMesaje : public Mesaje::IPrezentator {
public:
    int Arata(Mesaje::Tip tip, const QString &titlu, const QString &text, int butoane, int implicit) override;
    static bool FaraUtilizator();
};
