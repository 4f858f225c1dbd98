#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A program folder of its own for one test: <root>/Systems/<package>/<library>.so copies of
// the probe system, each configured by "<library>.so.cfg" and logging to "<library>.so.log".
class ProbeFolder {
public:
    ProbeFolder();

    QString Root() const; // the program folder, without a trailing separator
    QString Path(const QString& relative) const;

    // Copies a probe library into Systems/<package>/<file> (file gets the platform suffix if
    // it has none) with the given skin folders and configuration lines; returns its path.
    QString AddSystem(const QString& package, const QString& file, const QStringList& skins,
                      const QStringList& config = {}, const QString& library = {});
    // Replaces a system's configuration (the probe re-reads it at its next call).
    void Configure(const QString& libraryPath, const QStringList& config);
    // The calls logged by a system, one per line, and forgetting them.
    QStringList Log(const QString& libraryPath) const;
    void ClearLog(const QString& libraryPath);
    // Writes a file (folders created), returning its path.
    QString Write(const QString& relative, const QByteArray& content);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Isolates a test from the user's settings and desktop files: QSettings and the XDG folders
// point into a temporary folder, and message boxes and file dialogs are answered by the test.
void UseTestEnvironment();

// Lines of a log that start with the given entry point name, e.g. Calls(log, "FreePlayers").
QStringList Calls(const QStringList& log, const QString& name);
// Just the entry point names of a log, in order.
QStringList CallNames(const QStringList& log);
