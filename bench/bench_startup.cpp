// Time from starting the program to its main window being on the screen, for the bundled
// systems and for a program folder with 50 probe systems. Each run starts build/bin/velmora
// afresh (offscreen, with settings and desktop files in a temporary folder) and waits for the
// line it prints once the main window is exposed; the median of several runs is printed.
#include "../tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 9;

// One start; returns milliseconds, or a negative value when the window never showed.
double TimeOneStart(const QString& programFolder, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(programFolder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(VELMORA_BIN_DIR "/velmora"), {});
    double elapsed = -1;
    while (process.waitForReadyRead(30000)) {
        if (process.readAllStandardOutput().contains("main window shown")) {
            elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            break;
        }
    }
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    return elapsed;
}

void Measure(const char* label, const QString& programFolder, int systems) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("VELMORA_REPORT_STARTUP"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    QDir().mkpath(home.filePath(QStringLiteral("runtime")));
    QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));

    TimeOneStart(programFolder, environment); // the first start also writes the desktop files
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = TimeOneStart(programFolder, environment);
        if (ms < 0) {
            std::printf("%-28s the main window did not show\n", label);
            return;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28s systems %3d  median %7.1f ms  min %7.1f ms  max %7.1f ms  (%d runs)\n",
                label, systems, times[times.size() / 2], times.front(), times.back(), kRuns);
}

int CountLibraries(const QString& systemsFolder) {
    int count = 0;
    for (const QString& package : QDir(systemsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        count += QDir(systemsFolder + u'/' + package)
                     .entryList({QStringLiteral("*.so")}, QDir::Files)
                     .size();
    return count;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::printf("Start-up to main window shown (QT_QPA_PLATFORM=offscreen)\n");
    const QString bundled = QStringLiteral(VELMORA_BIN_DIR);
    Measure("bundled systems", bundled, CountLibraries(bundled + QStringLiteral("/Systems")));

    ProbeFolder probes;
    for (int i = 0; i < 50; ++i)
        probes.AddSystem(QStringLiteral("Probe%1").arg(i, 2, 10, QLatin1Char('0')),
                         QStringLiteral("probe"), {QStringLiteral("Plain"), QStringLiteral("Dark")},
                         {QStringLiteral("name=Probe %1").arg(i)});
    Measure("50 probe systems", probes.Root(), 50);
    return 0;
}
