#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>

// One installed tournament system: its library, kept loaded, and the skins beside it.
class SystemInfo {
public:
    SystemInfo(QString libraryPath, std::unique_ptr<QLibrary> library, QStringList skins);
    ~SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;

    QString m_strLibraryPath;              // absolute path of the library file
    std::unique_ptr<QLibrary> m_hLibrary;  // loaded; unloaded with this record
    QStringList m_skins;                   // skin folder names in listing order; never empty
};
