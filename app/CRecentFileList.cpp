#include "CRecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char* const kSection = "Recent File List";
constexpr int kMenuPathLength = 60;
} // namespace

CRecentFileList::CRecentFileList(int nSize, QObject* parent) : QObject(parent), m_nSize(nSize) {}

QString CRecentFileList::Normalise(const QString& path) {
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void CRecentFileList::ReadList(QSettings& settings) {
    m_files.clear();
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 1; i <= m_nSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
    settings.endGroup();
    emit changed();
}

void CRecentFileList::WriteList(QSettings& settings) const {
    settings.beginGroup(QLatin1String(kSection));
    settings.remove(QString()); // entries that fell off the list go too
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), m_files.at(i));
    settings.endGroup();
}

void CRecentFileList::Add(const QString& path) {
    const QString file = Normalise(path);
    if (file.isEmpty())
        return;
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > m_nSize)
        m_files.removeLast();
    emit changed();
}

void CRecentFileList::Remove(const QString& path) {
    if (m_files.removeAll(path) + m_files.removeAll(Normalise(path)) > 0)
        emit changed();
}

QString CRecentFileList::MenuText(int index, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    if (shown.size() > kMenuPathLength) {
        // Keep the file name whole and as much of the folder's start as fits.
        const QString name = QFileInfo(path).fileName();
        const qsizetype head = qMax<qsizetype>(3, kMenuPathLength - name.size() - 4);
        shown = shown.left(head) + QStringLiteral("…") + QDir::separator() + name;
    }
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
