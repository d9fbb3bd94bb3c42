#include "text/Mesaje.h"

#include <QQueue>
#include <cstdio>

namespace {
struct Stare {
    Mesaje::IPrezentator *prezentator = nullptr;
    QQueue<int> raspunsuri;
    QList<Mesaje::Afisare> istoric;
};

Stare &S()
{
    static Stare s;
    return s;
}
} // namespace

namespace Mesaje {

void SeteazaPrezentator(IPrezentator *prezentator) { S().prezentator = prezentator; }
void SeteazaUrmatorulRaspuns(int buton) { S().raspunsuri.enqueue(buton); }
void GolesteRaspunsuri() { S().raspunsuri.clear(); }
int RaspunsuriRamase() { return static_cast<int>(S().raspunsuri.size()); }

int Arata(Tip tip, const QString &text, int butoane, int implicit, const QString &titlu)
{
    const QString t = titlu.isEmpty() ? QStringLiteral("Lauridex") : titlu;
    int raspuns;
    if (!S().raspunsuri.isEmpty()) {
        raspuns = S().raspunsuri.dequeue();
    } else if (S().prezentator) {
        raspuns = S().prezentator->Arata(tip, t, text, butoane, implicit);
    } else {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(t), qUtf8Printable(text));
        raspuns = implicit;
    }
    S().istoric.append(Afisare{tip, t, text, butoane, raspuns});
    return raspuns;
}

void Informatie(const QString &text) { Arata(Tip::Informatie, text); }
void Avertisment(const QString &text) { Arata(Tip::Avertisment, text); }
void Eroare(const QString &text) { Arata(Tip::Eroare, text); }

bool Intreaba(const QString &text, bool implicitDa)
{
    return Arata(Tip::Intrebare, text, Da | Nu, implicitDa ? Da : Nu) == Da;
}

const QList<Afisare> &Istoric() { return S().istoric; }
void GolesteIstoric() { S().istoric.clear(); }

} // namespace Mesaje
