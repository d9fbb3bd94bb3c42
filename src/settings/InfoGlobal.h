#pragma once
#include "settings/ZelRegistry.h"

// The global settings: how grades and averages are written on every certificate, and
// the salutations for women and men. Key Software\Zelmora SOFT\Brevia\2008\Global of the
// current user; every property is a text value named as the property.
// Loads when created, writes all seven values back when freed.
class TInfoGlobal2005 : public TZelRegistryClass {
public:
    TInfoGlobal2005();

    static const TInfoClasa &InfoClasa();
    static QString CaleCheieGlobal();

    QString SufixFete() const { return Text(QStringLiteral("SufixFete")); }
    void SetSufixFete(const QString &v) { SeteazaText(QStringLiteral("SufixFete"), v); }
    QString SufixBaieti() const { return Text(QStringLiteral("SufixBaieti")); }
    void SetSufixBaieti(const QString &v) { SeteazaText(QStringLiteral("SufixBaieti"), v); }
    QString NotaDiploma() const { return Text(QStringLiteral("NotaDiploma")); }
    void SetNotaDiploma(const QString &v) { SeteazaText(QStringLiteral("NotaDiploma"), v); }
    QString MedieDiploma() const { return Text(QStringLiteral("MedieDiploma")); }
    void SetMedieDiploma(const QString &v) { SeteazaText(QStringLiteral("MedieDiploma"), v); }
    QString NotaCotor() const { return Text(QStringLiteral("NotaCotor")); }
    void SetNotaCotor(const QString &v) { SeteazaText(QStringLiteral("NotaCotor"), v); }
    QString MedieCotor() const { return Text(QStringLiteral("MedieCotor")); }
    void SetMedieCotor(const QString &v) { SeteazaText(QStringLiteral("MedieCotor"), v); }
    // "1" capitals; anything else (the empty text included) lower case.
    QString ScriuCuLitereMari() const { return Text(QStringLiteral("ScriuCuLitereMari")); }
    void SetScriuCuLitereMari(const QString &v) { SeteazaText(QStringLiteral("ScriuCuLitereMari"), v); }

protected:
    // For classes derived from this one, which pass their own type information.
    explicit TInfoGlobal2005(const TInfoClasa &clasa);
};
