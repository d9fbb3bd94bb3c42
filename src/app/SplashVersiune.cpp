#include "app/SplashVersiune.h"

#ifndef LX_VERSIUNE_PROGRAM
#define LX_VERSIUNE_PROGRAM ""
#endif

QString TVersiuneProgram::Text() const
{
    return Major + QLatin1Char('.') + Minor + QLatin1Char('.') + Release + QLatin1Char('.') + Build;
}

TVersiuneProgram DescompuneVersiune(const QString &versiuneFisier)
{
    QChar separator;
    if (versiuneFisier.contains(QLatin1Char('.')))
        separator = QLatin1Char('.');
    else if (versiuneFisier.contains(QLatin1Char(',')))
        separator = QLatin1Char(',');
    else {
        const QString lipsa = QStringLiteral("<info not available>");
        return {lipsa, lipsa, lipsa, lipsa};
    }
    QString rest = versiuneFisier;
    auto urmatoarea = [&]() {
        const qsizetype i = rest.indexOf(separator);
        QString parte;
        if (i < 0) {
            parte = rest;
            rest.clear();
        } else {
            parte = rest.left(i);
            rest = rest.mid(i + 1);
        }
        return parte;
    };
    TVersiuneProgram v;
    v.Major = urmatoarea();
    v.Minor = urmatoarea();
    v.Release = urmatoarea();
    v.Build = rest;
    return v;
}

QString VersiuneProgram()
{
    return DescompuneVersiune(QStringLiteral(LX_VERSIUNE_PROGRAM)).Text();
}
