#include "CPublishedCopy.h"

#include "LivePaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <filesystem>

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

std::filesystem::path FsPath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Replaces dest whole, so that a request never reads half a file. A plain write and a
// rename, not QSaveFile: its commit waits for the disk (fsync), tens of milliseconds on a
// busy one between a result and the browsers hearing of it, and this copy is remade from the
// tournament's own files whenever the server starts, so it needs no durability.
bool CopyReplacing(const QString& source, const QString& dest) {
    const QFileInfo info(source);
    if (info.isSymLink() || !info.isFile())
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    if (bytes.size() != in.size())
        return false;
    QDir().mkpath(QFileInfo(dest).absolutePath());
    const QString temporary = dest + QStringLiteral(".part");
    QFile out(temporary);
    const bool written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         out.write(bytes) == bytes.size() && out.flush();
    out.close();
    std::error_code error;
    if (written)
        std::filesystem::rename(FsPath(temporary), FsPath(dest), error);
    if (!written || error) {
        QFile::remove(temporary);
        return false;
    }
    return true;
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
    if (!CopyReplacing(pagePath, folder + u'/' + QFileInfo(pagePath).fileName()))
        return false;
    const QString skinKey = QFileInfo(pagePath).absolutePath() + u'\n' + skinFolder;
    if (m_skinOf.value(id) != skinKey) {
        SyncSkin(folder, pagePath, skinFolder);
        m_skinOf.insert(id, skinKey);
    }
    return true;
}

void CPublishedCopy::SyncSkin(const QString& folder, const QString& pagePath,
                              const QString& skinFolder) {
    const QString pageName = QFileInfo(pagePath).fileName();
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
}

void CPublishedCopy::Remove(int id) {
    m_skinOf.remove(id);
    if (m_dir.isValid())
        QDir(Folder(id)).removeRecursively();
}
