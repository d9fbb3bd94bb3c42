#pragma once
#include <QList>
#include <QString>

class QObject;
class QWidget;
class TFontFormular;
class TFormularDePrintat;

// Stored layouts: a readable text of nested "object Name: Class ... end" blocks with
// "Property = value" lines (numbers, 'texts', true/false, identifiers, and
// ( 'line' 'line' ) lists). Loading follows the rules for a stored layout: the page
// loads its background file, the areas take their stored pixel bounds.
struct TMachetaIncarcata {
    QList<TFormularDePrintat *> Pagini;
    QList<TFontFormular *> Fonturi;
};

// Form fonts become children of the owner (found there by name); pages are created
// inside the parent and belong to the owner. Errors name the line: nothing half-made is
// left behind.
TMachetaIncarcata IncarcaMacheta(const QString &text, QObject *proprietar, QWidget *parinte);

// The compiled-in layout of the certificate's front page.
const QString &MachetaCertificat();

// The page "FormularDePrintat1" with its 41 text areas and the 12 form fonts of the
// certificate's window (the owner, named "PrintLauridex" by the preview).
TFormularDePrintat *CreeazaFormularDePrintat1(QObject *proprietar, QWidget *parinte);
