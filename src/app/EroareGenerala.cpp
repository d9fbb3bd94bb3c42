#include "app/EroareGenerala.h"

#include "text/Eroare.h"
#include "text/Mesaje.h"

void AfiseazaEroarea(const QString &text)
{
    Mesaje::Eroare(text);
}

void AfiseazaEroarea(const std::exception &e)
{
    if (const auto *z = dynamic_cast<const EZel *>(&e))
        AfiseazaEroarea(z->Mesaj());
    else
        AfiseazaEroarea(QString::fromLocal8Bit(e.what()));
}

bool RuleazaCuRaportare(const std::function<void()> &comanda)
{
    try {
        comanda();
        return true;
    } catch (const std::exception &e) {
        AfiseazaEroarea(e);
    } catch (...) {
        AfiseazaEroarea(QStringLiteral("Eroare necunoscuta"));
    }
    return false;
}

TAplicatie::TAplicatie(int &argc, char **argv) : QApplication(argc, argv) {}

bool TAplicatie::notify(QObject *destinatar, QEvent *e)
{
    try {
        return QApplication::notify(destinatar, e);
    } catch (const std::exception &x) {
        AfiseazaEroarea(x);
    } catch (...) {
        AfiseazaEroarea(QStringLiteral("Eroare necunoscuta"));
    }
    return false;
}
