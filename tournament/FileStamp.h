#pragma once

#include <QByteArray>
#include <QString>

// What a file looks like on disk at one moment. Systems answer 0 from their save calls
// whether they wrote or not, so after a save the disk is the only witness: a file that is
// missing, or exactly as it was before the call, was not written.
class FileStamp {
public:
    static FileStamp Take(const QString& path);

    bool Exists() const { return m_bIsFile; }
    qint64 Size() const { return m_nSize; }
    // True when the file is there now and is not the one this stamp saw: it is new, or its
    // identity (inode), size, modification time or content changed.
    bool RewrittenSince(const FileStamp& before) const;

private:
    bool m_bIsFile = false;
    qint64 m_nSize = -1;
    qint64 m_nModifiedNs = 0;
    quint64 m_nDevice = 0;
    quint64 m_nInode = 0;
    QByteArray m_hash; // empty when the file is too large to be read whole
};
