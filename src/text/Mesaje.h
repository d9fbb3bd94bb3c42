#pragma once
#include <QList>
#include <QString>

// Every message box and Yes/No question of the program goes through here.
// The program installs a presenter that shows real boxes; tests queue the answers in
// advance (SeteazaUrmatorulRaspuns) and read what was asked (Istoric), so nothing blocks.
namespace Mesaje {

enum Buton : int { Ok = 0x01, Da = 0x02, Nu = 0x04, Renunta = 0x08 };
enum class Tip { Informatie, Avertisment, Eroare, Intrebare };

struct Afisare {
    Tip tip;
    QString titlu;
    QString text;
    int butoane;
    int raspuns;
};

class IPrezentator {
public:
    virtual ~IPrezentator() = default;
    // Shows the box and gives the button pressed (one of the Buton values).
    virtual int Arata(Tip tip, const QString &titlu, const QString &text, int butoane, int implicit) = 0;
};

// The presenter is not owned; nullptr removes it.
void SeteazaPrezentator(IPrezentator *prezentator);

// The next box shown is answered with this button instead of being presented.
void SeteazaUrmatorulRaspuns(int buton);
void GolesteRaspunsuri();
int RaspunsuriRamase();

// Without a queued answer and without a presenter the default button is the answer and
// the text goes to the standard error, so a program with nobody to click never hangs.
int Arata(Tip tip, const QString &text, int butoane = Ok, int implicit = Ok, const QString &titlu = QString());

void Informatie(const QString &text);
void Avertisment(const QString &text);
void Eroare(const QString &text);
// Yes/No question; true for Yes.
bool Intreaba(const QString &text, bool implicitDa = false);

// Every box asked for since the last GolesteIstoric, answered or not.
const QList<Afisare> &Istoric();
void GolesteIstoric();

} // namespace Mesaje
