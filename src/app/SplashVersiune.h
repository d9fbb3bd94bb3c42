#pragma once
#include <QString>

// The program's version text, Major.Minor.Release.Build, as shown on the picture windows.
struct TVersiuneProgram {
    QString Major;
    QString Minor;
    QString Release;
    QString Build;
    QString Text() const;
};

// Splits a file version at its first three "." (the rest after the third is Build); a
// version without any "." is split at "," the same way. Without either separator all four
// parts are "<info not available>". Missing parts after the last separator stay empty.
TVersiuneProgram DescompuneVersiune(const QString &versiuneFisier);

// The version compiled into the program ("2008.7.17.35").
QString VersiuneProgram();
