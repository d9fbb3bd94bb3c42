#pragma once

class TDM;

// The program's start-up, in its order: module registrations, the application, the data
// module, the main window, the hidden start-up windows, the splash, the message loop.
int PornesteLauridex(int argc, char **argv);

// Module initialisation: the certificate's profile and what else registers itself once.
void InitializeazaModulele();
// Fills FerestreLauridex() with the windows the program has.
void InregistreazaFerestrele();
// The data module's creation step; an error is reported by the general error display
// and start-up goes on.
void CreeazaModululDeDate(TDM &dm);
