#include "FileStamp.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace {
// Tournament files and reports are small; a file beyond this is told apart by its other
// marks only.
constexpr qint64 kHashLimit = 64 * 1024 * 1024;
} // namespace

FileStamp FileStamp::Take(const QString& path) {
    FileStamp stamp;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return stamp;
    stamp.m_bIsFile = true;
    stamp.m_nSize = info.size();
#if defined(Q_OS_UNIX)
    // Nanoseconds and the inode: a quick rewrite of the same size, or a new file renamed over
    // the old one, still shows.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        stamp.m_nModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stamp.m_nDevice = quint64(st.st_dev);
        stamp.m_nInode = quint64(st.st_ino);
    }
#else
    stamp.m_nModifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    if (stamp.m_nSize <= kHashLimit) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            QCryptographicHash hash(QCryptographicHash::Sha1);
            hash.addData(&file);
            stamp.m_hash = hash.result();
        }
    }
    return stamp;
}

bool FileStamp::RewrittenSince(const FileStamp& before) const {
    if (!m_bIsFile)
        return false;
    if (!before.m_bIsFile)
        return true;
    return m_nSize != before.m_nSize || m_nModifiedNs != before.m_nModifiedNs ||
           m_nDevice != before.m_nDevice || m_nInode != before.m_nInode ||
           (!m_hash.isEmpty() && !before.m_hash.isEmpty() && m_hash != before.m_hash);
}
