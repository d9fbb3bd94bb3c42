#pragma once
#include <QString>

// "Beside the program": the folder of the executable, with a trailing separator.
// Every file the program keeps beside itself is reached through this one function.
QString FolderulProgramului();

// Tests point the program at a temporary folder; an empty text restores the real one.
void RedirectioneazaFolderulProgramului(const QString &folder);

// Joins a folder and a name with the platform's separator.
QString CaleInFolder(const QString &folder, const QString &nume);
