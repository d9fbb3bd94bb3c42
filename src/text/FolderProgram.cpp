#include "text/FolderProgram.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &Redirectionare()
{
    static QString folder;
    return folder;
}

QString CuSeparator(QString folder)
{
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}
} // namespace

QString FolderulProgramului()
{
    if (!Redirectionare().isEmpty())
        return CuSeparator(Redirectionare());
    return CuSeparator(QCoreApplication::applicationDirPath());
}

void RedirectioneazaFolderulProgramului(const QString &folder)
{
    Redirectionare() = folder;
}

QString CaleInFolder(const QString &folder, const QString &nume)
{
    if (folder.isEmpty())
        return nume;
    return CuSeparator(folder) + nume;
}
