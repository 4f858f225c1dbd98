#include "SystemCatalogue.h"

#include "PathHelpers.h"
#include "SkinFiles.h"
#include "SystemEntryTable.h"
#include "core/Prompts.h"

#include <QDir>
#include <QFileInfo>

SystemInfo::SystemInfo(QString libraryPath, std::unique_ptr<QLibrary> library, QStringList skins)
    : m_strLibraryPath(std::move(libraryPath)), m_hLibrary(std::move(library)),
      m_skins(std::move(skins)) {
    m_entries.Resolve(m_hLibrary.get());
}

SystemInfo::~SystemInfo() {
    if (m_hLibrary)
        m_hLibrary->unload();
}

QString SystemCatalogue::LibrarySuffix() {
#if defined(_WIN32)
    return QStringLiteral("dll");
#elif defined(__APPLE__)
    return QStringLiteral("dylib");
#else
    return QStringLiteral("so");
#endif
}

SystemCatalogue::SystemCatalogue(const QString& programFolder) {
    // Absolute paths throughout, so the process's current folder is never touched.
    const QDir systems(QDir(programFolder).absoluteFilePath(QStringLiteral("Systems")));
    if (!systems.exists())
        return;
    const QStringList packages =
        systems.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    const QStringList libraryFilter{QStringLiteral("*.") + LibrarySuffix()};
    for (const QString& package : packages) {
        const QString packageFolder = systems.absoluteFilePath(package);
        const QStringList libraries =
            QDir(packageFolder)
                .entryList(libraryFilter, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
        for (const QString& fileName : libraries) {
            const QString libraryPath = QDir::cleanPath(packageFolder + u'/' + fileName);
            std::unique_ptr<QLibrary> library = LoadSystemLibrary(libraryPath, fileName);
            if (!library)
                continue;
            QStringList skins = ListSkins(packageFolder);
            if (skins.isEmpty()) {
                library->unload();
                m_rejections.push_back({libraryPath, QStringLiteral("no skin folders")});
                continue;
            }
            m_systems.push_back(
                std::make_unique<SystemInfo>(libraryPath, std::move(library), std::move(skins)));
        }
    }
}

SystemCatalogue::~SystemCatalogue() {
    // In catalogue order, each record unloading its library.
    for (auto& system : m_systems)
        system.reset();
}

SystemInfo* SystemCatalogue::GetAt(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_systems[static_cast<size_t>(index)].get();
}

std::unique_ptr<QLibrary> SystemCatalogue::LoadSystemLibrary(const QString& libraryPath,
                                                             const QString& fileName) {
    auto library = std::make_unique<QLibrary>(libraryPath);
    if (!library->load()) {
        const QString error = library->errorString();
        m_rejections.push_back({libraryPath, error});
        Prompts::Message(nullptr, error, QStringLiteral("Can't load library at: ") + fileName,
                         Prompts::Icon::Information, QMessageBox::Ok);
        return nullptr;
    }
    SystemEntryTable entries;
    entries.Resolve(library.get());
    for (int slot = 0; slot < VELMORA_ENTRY_POINT_COUNT; ++slot) {
        if (!entries.Slot(slot)) {
            library->unload();
            m_rejections.push_back(
                {libraryPath,
                 QStringLiteral("lacks ") + QLatin1String(SystemEntryTable::kNames[slot])});
            return nullptr;
        }
    }
    return library;
}

QStringList SystemCatalogue::ListSkins(const QString& packageFolder) {
    return QDir(packageFolder)
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

void SystemCatalogue::CopySkinFiles(const SystemInfo* system, const QString& skinName,
                                    const QString& destFolder) const {
    if (!system)
        return;
    const QString systemFolder = GetPathFolder(system->m_strLibraryPath);
    QStringList exclusions;
    for (const auto& other : m_systems) {
        if (GetPathFolder(other->m_strLibraryPath) == systemFolder)
            exclusions.append(other->m_strLibraryPath);
    }
    if (!exclusions.contains(system->m_strLibraryPath))
        exclusions.append(system->m_strLibraryPath);
    const QString skinFolder = systemFolder + skinName + u'/';
    if (!QFileInfo(skinFolder).isDir())
        return;
    CopyFolderTree(skinFolder, destFolder, exclusions);
}
