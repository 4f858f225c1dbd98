// Copying an unchanged skin against the floor of merely reading the last-write times of the
// same files (and rsync, when installed), and the catalogue scan of 50 systems.
#include "TestSupport.h"

#include "systems/SkinFiles.h"
#include "systems/SystemCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 40; // 2,000 files
constexpr int kRuns = 15;

double MedianMs(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void MakeSkin(const QString& root) {
    for (int d = 0; d < kFolders; ++d) {
        const QString folder = root + QStringLiteral("/folder%1").arg(d);
        QDir().mkpath(folder);
        for (int f = 0; f < kFilesPerFolder; ++f) {
            QFile file(folder + QStringLiteral("/file%1.css").arg(f));
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray(512, 'x'));
        }
    }
}

// The floor: read the last-write times of every source and destination file.
void ReadTimes(const QString& source, const QString& dest, std::vector<std::string>& names) {
    std::error_code ec;
    long long sum = 0;
    for (const auto& name : names) {
        sum += fs::last_write_time(source.toStdString() + name, ec).time_since_epoch().count();
        sum += fs::last_write_time(dest.toStdString() + name, ec).time_since_epoch().count();
    }
    if (sum == 42)
        std::puts("");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString source = work.filePath("skin/"), dest = work.filePath("page/");
    MakeSkin(work.filePath("skin"));
    QDir().mkpath(dest);
    CopyFolderTree(source, dest, {}); // first copy: everything

    std::vector<std::string> names;
    for (int d = 0; d < kFolders; ++d)
        for (int f = 0; f < kFilesPerFolder; ++f)
            names.push_back(QStringLiteral("folder%1/file%2.css").arg(d).arg(f).toStdString());

    const double floorMs = MedianMs([&] { ReadTimes(source, dest, names); });
    const double copyMs = MedianMs([&] { CopyFolderTree(source, dest, {source + "system.so"}); });
    std::printf("Unchanged skin of %d files in %d folders (median of %d runs)\n",
                kFolders * kFilesPerFolder, kFolders, kRuns);
    std::printf("  floor, last-write times of %zu files: %8.2f ms\n", names.size() * 2, floorMs);
    std::printf("  CopyFolderTree, nothing to copy:       %8.2f ms  (%.2fx the floor)\n", copyMs,
                copyMs / floorMs);
    const QString rsync = QStandardPaths::findExecutable("rsync");
    if (!rsync.isEmpty()) {
        const double rsyncMs = MedianMs([&] { QProcess::execute(rsync, {"-a", source, dest}); });
        std::printf("  rsync -a, nothing to copy:             %8.2f ms  (%.2fx the floor)\n",
                    rsyncMs, rsyncMs / floorMs);
    } else {
        std::printf("  rsync not installed\n");
    }

    ProbeFolder folder;
    for (int s = 0; s < 50; ++s)
        folder.AddSystem(QStringLiteral("package%1").arg(s, 2, 10, QChar('0')), "probe",
                         {"Default", "Dark"});
    std::vector<double> scans;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        SystemCatalogue catalogue(folder.Root());
        scans.push_back(timer.nsecsElapsed() / 1e6);
        if (catalogue.GetCount() != 50) {
            std::printf("scan found %d systems, expected 50\n", catalogue.GetCount());
            return 1;
        }
    }
    std::sort(scans.begin(), scans.end());
    std::printf("Catalogue scan of 50 systems (load, 42 exports, skins): median %.2f ms, "
                "%.3f ms per system\n",
                scans[3], scans[3] / 50);
    return 0;
}
