#pragma once
#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

class EZel;

// The application's general error display: a message box with the error's text.
void AfiseazaEroarea(const QString &text);
void AfiseazaEroarea(const std::exception &e);

// Runs a command; any error it raises goes to the general error display. True when the
// command ended without an error.
bool RuleazaCuRaportare(const std::function<void()> &comanda);

// The application object: an error escaping any event handler (a menu command, a button)
// is shown by the general error display and the program goes on.
class TAplicatie : public QApplication {
public:
    TAplicatie(int &argc, char **argv);
    bool notify(QObject *destinatar, QEvent *e) override;
};
