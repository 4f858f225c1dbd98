#include "PathHelpers.h"

#include <QDir>
#include <QFileInfo>

QString GetCurrentFolder() {
    return QDir::currentPath();
}

QString GetFullPath(const QString& path) {
    const bool trailing = path.endsWith(u'/') || path.endsWith(u'\\');
    QString full =
        QDir::cleanPath(QDir::current().absoluteFilePath(QDir::fromNativeSeparators(path)));
    if (trailing && !full.endsWith(u'/'))
        full += u'/';
    return full;
}

QString GetPathFolder(const QString& filePath) {
    QString folder = QFileInfo(GetFullPath(filePath)).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString TablePagePath(const QString& tournamentPath) {
    QString page = tournamentPath.left(qMax(0, tournamentPath.size() - 3)) + QStringLiteral("htm");
    if (page == tournamentPath)
        page = tournamentPath + QStringLiteral(".htm");
    return page;
}
