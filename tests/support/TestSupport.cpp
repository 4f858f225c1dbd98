#include "TestSupport.h"

#include "core/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

ProbeFolder::ProbeFolder() : m_dir(std::make_unique<QTemporaryDir>()) {
    QDir(Root()).mkpath(QStringLiteral("Systems"));
}

QString ProbeFolder::Root() const {
    return m_dir->path();
}

QString ProbeFolder::Path(const QString& relative) const {
    return m_dir->filePath(relative);
}

QString ProbeFolder::AddSystem(const QString& package, const QString& file,
                               const QStringList& skins, const QStringList& config,
                               const QString& library) {
    QString name = file;
    if (!name.contains(u'.'))
        name += QStringLiteral(".so");
    const QString folder = Path(QStringLiteral("Systems/") + package);
    QDir().mkpath(folder);
    for (const QString& skin : skins) {
        QDir().mkpath(folder + u'/' + skin);
        QFile css(folder + u'/' + skin + QStringLiteral("/style.css"));
        if (css.open(QIODevice::WriteOnly))
            css.write("/* " + skin.toUtf8() + " */\nbody { color: black; }\n");
    }
    const QString path = folder + u'/' + name;
    QFile::remove(path);
    QFile::copy(library.isEmpty() ? QStringLiteral(PROBE_LIBRARY) : library, path);
    Configure(path, config);
    return path;
}

void ProbeFolder::Configure(const QString& libraryPath, const QStringList& config) {
    QFile f(libraryPath + QStringLiteral(".cfg"));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(config.join(u'\n').toUtf8() + "\n");
}

QStringList ProbeFolder::Log(const QString& libraryPath) const {
    QFile f(libraryPath + QStringLiteral(".log"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void ProbeFolder::ClearLog(const QString& libraryPath) {
    QFile::remove(libraryPath + QStringLiteral(".log"));
}

QString ProbeFolder::Write(const QString& relative, const QByteArray& content) {
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(content);
    return path;
}

void UseTestEnvironment() {
    static QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       home.filePath(QStringLiteral("settings")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       home.filePath(QStringLiteral("settings")));
    Prompts::SetTestMode(true);
}

QStringList Calls(const QStringList& log, const QString& name) {
    QStringList calls;
    for (const QString& line : log)
        if (line.startsWith(name + u'('))
            calls.append(line);
    return calls;
}

QStringList CallNames(const QStringList& log) {
    QStringList names;
    for (const QString& line : log)
        names.append(line.left(line.indexOf(u'(')));
    return names;
}
