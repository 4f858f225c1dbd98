#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;

// The recent-file list: at most m_nSize tournament files, most recent first, kept in the
// settings section "Recent File List" as "File1".."File<n>".
class CRecentFileList : public QObject {
    Q_OBJECT
public:
    explicit CRecentFileList(int nSize = 6, QObject* parent = nullptr);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

    // Puts a file first; a file already listed moves up instead of appearing twice.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }
    int GetSize() const { return m_nSize; }
    // The text of an entry in the menu: "&1 /home/…/cup.trn", shortened in the middle.
    static QString MenuText(int index, const QString& path);

signals:
    void changed();

private:
    static QString Normalise(const QString& path);

    int m_nSize;
    QStringList m_files;
};
