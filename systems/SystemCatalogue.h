#pragma once

#include "SystemInfo.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The installed tournament systems, found once by scanning <program folder>/Systems.
// Records are never removed or reordered, so SystemInfo pointers and indexes stay valid
// for the catalogue's whole life.
class SystemCatalogue {
public:
    // Why a library found in the scan was not admitted; for diagnostics and tests only,
    // the user is told no more than a load failure.
    struct Rejection {
        QString libraryPath;
        QString reason;
    };

    explicit SystemCatalogue(const QString& programFolder);
    ~SystemCatalogue();
    SystemCatalogue(const SystemCatalogue&) = delete;
    SystemCatalogue& operator=(const SystemCatalogue&) = delete;

    int GetCount() const { return static_cast<int>(m_systems.size()); }
    // The system at a catalogue index; null outside 0..count-1.
    SystemInfo* GetAt(int index) const;
    const std::vector<Rejection>& Rejections() const { return m_rejections; }

    // Copies the named skin of a system into destFolder (ending with '/'), skipping files
    // whose copy already has the same last-write time. Failures are passed over.
    void CopySkinFiles(const SystemInfo* system, const QString& skinName,
                       const QString& destFolder) const;

    // The platform's suffix of shared libraries ("so", "dll", "dylib").
    static QString LibrarySuffix();

private:
    std::unique_ptr<QLibrary> LoadSystemLibrary(const QString& libraryPath,
                                                const QString& fileName);
    static QStringList ListSkins(const QString& packageFolder);

    std::vector<std::unique_ptr<SystemInfo>> m_systems;
    std::vector<Rejection> m_rejections;
};
