#pragma once

#include "SystemEntryTable.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>

// One installed tournament system: its library, kept loaded, its entry table, resolved once
// when the library is admitted, and the skins beside it.
class SystemInfo {
public:
    SystemInfo(QString libraryPath, std::unique_ptr<QLibrary> library, QStringList skins);
    ~SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;

    QString m_strLibraryPath;             // absolute path of the library file
    std::unique_ptr<QLibrary> m_hLibrary; // loaded; unloaded with this record
    SystemEntryTable m_entries;           // every slot filled; valid while the record lives
    QStringList m_skins;                  // skin folder names in listing order; never empty
};
