#include "CPublishedCopy.h"

#include "LivePaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// Relative paths of the files worth copying from a skin folder, in name order.
QStringList SkinFiles(const QString& skinFolder) {
    QStringList files;
    if (skinFolder.isEmpty() || !QFileInfo(skinFolder).isDir())
        return files;
    const QDir base(skinFolder);
    QDirIterator it(skinFolder, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        if (relative.startsWith(u'.') || relative.contains(QStringLiteral("/.")))
            continue;
        if (!LivePaths::ContentType(relative).isEmpty())
            files.append(relative);
    }
    files.sort();
    return files;
}

bool CopyReplacing(const QString& source, const QString& dest) {
    const QFileInfo info(source);
    if (info.isSymLink() || !info.isFile())
        return false;
    QDir().mkpath(QFileInfo(dest).absolutePath());
    const QString temp = dest + QStringLiteral(".part");
    QFile::remove(temp);
    if (!QFile::copy(source, temp))
        return false;
    QFile::remove(dest);
    return QFile::rename(temp, dest);
}

} // namespace

CPublishedCopy::CPublishedCopy() : m_dir(QDir::tempPath() + QStringLiteral("/velmora-live-XXXXXX")) {}

QString CPublishedCopy::Folder(int id) const {
    return m_dir.path() + u'/' + QString::number(id);
}

bool CPublishedCopy::Publish(int id, const QString& pagePath, const QString& skinFolder) {
    if (!m_dir.isValid() || LivePaths::ContentType(pagePath).isEmpty())
        return false;
    const QString folder = Folder(id);
    QDir().mkpath(folder);
    const QString pageName = QFileInfo(pagePath).fileName();
    if (!CopyReplacing(pagePath, folder + u'/' + pageName))
        return false;
    QSet<QString> wanted{pageName};
    const QString pageFolder = QFileInfo(pagePath).absolutePath();
    for (const QString& relative : SkinFiles(skinFolder)) {
        if (relative == pageName)
            continue;
        // The copy beside the page is what the page shows; the skin folder only names them.
        const QString source = pageFolder + u'/' + relative;
        const QString dest = folder + u'/' + relative;
        const QFileInfo was(dest);
        const QFileInfo now(source);
        if (was.exists() && was.size() == now.size() && was.lastModified() == now.lastModified()) {
            wanted.insert(relative);
            continue;
        }
        if (CopyReplacing(source, dest)) {
            QFile(dest).setFileTime(now.lastModified(), QFileDevice::FileModificationTime);
            wanted.insert(relative);
        }
    }
    // What an earlier skin left behind goes.
    const QDir base(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!wanted.contains(base.relativeFilePath(path)))
            QFile::remove(path);
    }
    return true;
}

void CPublishedCopy::Remove(int id) {
    if (m_dir.isValid())
        QDir(Folder(id)).removeRecursively();
}
