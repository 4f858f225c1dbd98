#include "SkinFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path ToFsPath(const QString& path) {
#ifdef _WIN32
    return fs::path(path.toStdWString());
#else
    return fs::path(path.toStdString());
#endif
}

QString FromFsName(const fs::path& name) {
#ifdef _WIN32
    return QString::fromStdWString(name.wstring());
#else
    return QString::fromStdString(name.string());
#endif
}

struct Entry {
    fs::path name;
    bool folder;
};

// The regular files and folders of a folder in name order; links and special files are left
// out. An unreadable folder lists as empty.
std::vector<Entry> ListFolder(const fs::path& folder) {
    std::vector<Entry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const fs::file_status status = it->symlink_status(typeError);
        if (typeError)
            continue;
        if (fs::is_directory(status))
            entries.push_back({it->path().filename(), true});
        else if (fs::is_regular_file(status))
            entries.push_back({it->path().filename(), false});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.name.native() < b.name.native(); });
    return entries;
}

// The copy keeps the source's last-write time; without it an unchanged file would be
// copied again at every save.
bool CopyIfChanged(const fs::path& from, const fs::path& to) {
    std::error_code ec1, ec2;
    const auto fromTime = fs::last_write_time(from, ec1);
    const auto toTime = fs::last_write_time(to, ec2);
    if (!ec1 && !ec2 && fromTime == toTime)
        return false;
    std::error_code ec;
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) || ec)
        return false;
    if (!ec1)
        fs::last_write_time(to, fromTime, ec);
    return true;
}

void CopyTree(const fs::path& source, const QString& sourceFolder, const fs::path& dest,
              const QStringList& exclusions) {
    for (const Entry& entry : ListFolder(source)) {
        const QString name = FromFsName(entry.name);
        if (entry.folder) {
            const fs::path target = dest / entry.name;
            std::error_code ec;
            if (!fs::is_directory(target, ec)) {
                fs::create_directory(target, ec);
                if (ec)
                    continue;
            }
            CopyTree(source / entry.name, sourceFolder + name + u'/', target, exclusions);
        } else {
            // sourceFolder is absolute and clean already, so the plain join is the full path.
            if (exclusions.contains(sourceFolder + name))
                continue;
            CopyIfChanged(source / entry.name, dest / entry.name);
        }
    }
}

} // namespace

void CopyFolderTree(const QString& sourceFolder, const QString& destFolder,
                    const QStringList& exclusions) {
    CopyTree(ToFsPath(sourceFolder), sourceFolder, ToFsPath(destFolder), exclusions);
}

bool CopyFileIfChanged(const QString& source, const QString& destination) {
    return CopyIfChanged(ToFsPath(source), ToFsPath(destination));
}
