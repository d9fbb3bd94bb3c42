#include "settings/InfoGlobal.h"

namespace {
constexpr int AnulSetarilor = 2008;
}

const TInfoClasa &TInfoGlobal2005::InfoClasa()
{
    static const TInfoClasa info{QStringLiteral("TInfoGlobal2005"),
                                 &TZelRegistryClass::InfoClasa(),
                                 {
                                     {QStringLiteral("SufixFete"), TTipProprietate::TextLung},
                                     {QStringLiteral("SufixBaieti"), TTipProprietate::TextLung},
                                     {QStringLiteral("NotaDiploma"), TTipProprietate::TextLung},
                                     {QStringLiteral("MedieDiploma"), TTipProprietate::TextLung},
                                     {QStringLiteral("NotaCotor"), TTipProprietate::TextLung},
                                     {QStringLiteral("MedieCotor"), TTipProprietate::TextLung},
                                     {QStringLiteral("ScriuCuLitereMari"), TTipProprietate::TextLung},
                                 }};
    return info;
}

QString TInfoGlobal2005::CaleCheieGlobal()
{
    return QStringLiteral("Software\\Zelmora SOFT\\Brevia\\") + QString::number(AnulSetarilor)
           + QStringLiteral("\\Global");
}

TInfoGlobal2005::TInfoGlobal2005() : TZelRegistryClass(CaleCheieGlobal(), InfoClasa()) {}

TInfoGlobal2005::TInfoGlobal2005(const TInfoClasa &clasa) : TZelRegistryClass(CaleCheieGlobal(), clasa) {}
