#include "ShellIntegration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace ShellIntegration {
namespace {

// Writes a file only when its contents differ, so an ordinary start touches nothing.
bool WriteIfChanged(const QString& path, const QByteArray& content) {
    if (content.isEmpty())
        return false;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return false;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written whole or not at all: the desktop reads these files at any moment, and a start
    // that ends halfway must not leave it a broken entry.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    return file.commit();
}

QByteArray ResourceBytes(const QString& resource) {
    QFile file(resource);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The desktop entry's Exec key quotes arguments with double quotes and escapes these.
QString QuoteExec(const QString& path) {
    QString quoted = path;
    for (const QChar c : {u'\\', u'"', u'`', u'$'})
        quoted.replace(c, QStringLiteral("\\") + c);
    quoted = u'"' + quoted + u'"';
    // The desktop entry format itself escapes backslashes once more.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    // A literal percent sign is written twice in the Exec key.
    quoted.replace(u'%', QStringLiteral("%%"));
    return quoted;
}

void RunDetached(const QString& program, const QStringList& arguments) {
    const QString found = QStandardPaths::findExecutable(program);
    if (!found.isEmpty())
        QProcess::startDetached(found, arguments);
}

// The program a desktop entry's Exec key starts, found as the desktop finds it.
QString ExecProgram(const QString& entryPath) {
    QFile file(entryPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.startsWith("Exec="))
            continue;
        const QString program = QString::fromUtf8(line.mid(5)).section(u' ', 0, 0);
        return QDir::isAbsolutePath(program) ? program : QStandardPaths::findExecutable(program);
    }
    return {};
}

// True when a desktop entry outside the user's own data folder (the one a package installed)
// already starts this very program. A per-user copy would then only shadow it, and would be
// left behind, pointing at nothing, when the package is removed.
bool InstalledSystemWide(const QString& executablePath) {
    const QString self = QFileInfo(executablePath).canonicalFilePath();
    if (self.isEmpty())
        return false;
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString& dir : dirs.split(u':', Qt::SkipEmptyParts)) {
        const QString program = ExecProgram(dir + QStringLiteral("/applications/velmora.desktop"));
        if (!program.isEmpty() && QFileInfo(program).canonicalFilePath() == self)
            return true;
    }
    return false;
}

} // namespace

QString DataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QByteArray DesktopEntry(const QString& exec) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Velmora\n"
                          "GenericName=Tournaments\n"
                          "GenericName[ru]=Чемпионаты\n"
                          "Comment=Run tournaments of any sport or game\n"
                          "Comment[ru]=Проведение чемпионатов по любым видам спорта и играм\n"
                          "Exec=%1 /dde %F\n"
                          "Icon=velmora\n"
                          "Terminal=false\n"
                          "MimeType=%2;\n"
                          "Categories=Office;\n")
        .arg(exec, QLatin1String(kTournamentMimeType))
        .toUtf8();
}

QByteArray MimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>Velmora tournament</comment>\n"
               "    <comment xml:lang=\"ru\">Чемпионат Velmora</comment>\n"
               "    <icon name=\"application-x-velmora-tournament\"/>\n"
               "    <glob pattern=\"*.trn\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(QLatin1String(kTournamentMimeType))
        .toUtf8();
}

bool EnsureRegistered(const QString& executablePath) {
    if (InstalledSystemWide(executablePath))
        return false;
    const QString home = DataHome();
    const QString applications = home + QStringLiteral("/applications");
    const QString mime = home + QStringLiteral("/mime");
    bool entryChanged = WriteIfChanged(applications + QStringLiteral("/velmora.desktop"),
                                       DesktopEntry(QuoteExec(executablePath)));
    bool mimeChanged =
        WriteIfChanged(mime + QStringLiteral("/packages/velmora.xml"), MimePackage());
    bool iconChanged = false;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = home + QStringLiteral("/icons/hicolor/%1x%1/").arg(size);
        iconChanged |=
            WriteIfChanged(folder + QStringLiteral("apps/velmora.png"),
                           ResourceBytes(QStringLiteral(":/icons/velmora-%1.png").arg(size)));
        iconChanged |= WriteIfChanged(
            folder + QStringLiteral("mimetypes/application-x-velmora-tournament.png"),
            ResourceBytes(QStringLiteral(":/icons/tournament-%1.png").arg(size)));
    }
    if (mimeChanged)
        RunDetached(QStringLiteral("update-mime-database"), {mime});
    if (entryChanged)
        RunDetached(QStringLiteral("update-desktop-database"), {applications});
    if (iconChanged)
        RunDetached(
            QStringLiteral("gtk-update-icon-cache"),
            {QStringLiteral("-q"), QStringLiteral("-t"), home + QStringLiteral("/icons/hicolor")});
    return entryChanged || mimeChanged || iconChanged;
}

} // namespace ShellIntegration
