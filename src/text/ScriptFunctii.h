#pragma once
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

// The program's own registry of report-script functions. A module declares its
// functions (declaration text, description, category) and answers calls by name;
// scripts reach every registered module through ApeleazaFunctia.
namespace ScriptFunctii {

struct TDeclaratieFunctie {
    QString Declaratie; // "function CurrencyToRoStr(Value:Variant): string"
    QString Descriere;  // shown in the script editor, exactly as given
    QString Categorie;  // "ZEL"

    // The function's name taken from the declaration ("CurrencyToRoStr").
    QString Nume() const;
};

// Base of function modules. Stateless modules are the rule: the same call gives the
// same result.
class TModulFunctii {
public:
    virtual ~TModulFunctii() = default;
    virtual QString NumeModul() const = 0;
    virtual QList<TDeclaratieFunctie> Declaratii() const = 0;
    // `numeMajuscule` is the called name in upper case.
    virtual QVariant Apeleaza(const QString &numeMajuscule, const QVariantList &argumente) const = 0;
};

// Adds a module for the rest of the run. A second module with the same name throws EZel.
void InregistreazaModul(std::unique_ptr<TModulFunctii> modul);
bool EsteInregistrat(const QString &numeModul);

// Every declaration of every module, in registration order.
QList<TDeclaratieFunctie> Declaratii();

// Calls a function by name, case-insensitively. A name that no module declares gives
// the name in upper case followed by "?".
QVariant ApeleazaFunctia(const QString &nume, const QVariantList &argumente);

// Tests only: forget every module.
void GolesteRegistrul();

} // namespace ScriptFunctii
