#pragma once

#include <QHash>
#include <QString>
#include <QTemporaryDir>

// The folder the server serves from: one subfolder per open tournament holding a copy of its
// table page and of its skin's files, nothing else. The tournament's own folder (its .trn,
// players lists, other tournaments' pages) is never reachable, whatever a request names.
class CPublishedCopy {
public:
    CPublishedCopy();
    bool IsValid() const { return m_dir.isValid(); }
    QString Root() const { return m_dir.path(); }
    QString Folder(int id) const;

    // Copies the page and, from beside it, the files the skin folder lists (regular files of
    // a type the server knows; links and dot files are passed over). Files of an earlier skin
    // are removed. The skin's files are looked at again only when the skin or the page's
    // folder changed: a result rewrites the page alone. Returns false when the page could
    // not be copied.
    bool Publish(int id, const QString& pagePath, const QString& skinFolder);
    void Remove(int id);

private:
    void SyncSkin(const QString& folder, const QString& pagePath, const QString& skinFolder);

    QTemporaryDir m_dir;
    QHash<int, QString> m_skinOf; // id -> page folder and skin folder last copied
};
