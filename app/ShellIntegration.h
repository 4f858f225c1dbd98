#pragma once

#include <QByteArray>
#include <QString>

// The desktop's side of the program: the per-user desktop entry and the MIME type of
// tournament files. (Files handed to a program that already runs: CInstanceChannel.)
namespace ShellIntegration {

// The MIME type of ".trn" files.
inline constexpr const char* kTournamentMimeType = "application/x-velmora-tournament";

// $XDG_DATA_HOME, or ~/.local/share when it is not set.
QString DataHome();

// Writes the desktop entry (which runs `<executable> /dde %F`), the MIME type of ".trn" and
// their icons under DataHome(), unless they are there already with the same contents, and
// then asks the desktop databases to refresh. Failures are passed over: the program runs
// without them. Nothing is written for a program that a system-wide desktop entry (a
// package's) already starts. Returns true when anything was written.
bool EnsureRegistered(const QString& executablePath);

// The texts written, for the installed copies and for tests.
QByteArray DesktopEntry(const QString& exec);
QByteArray MimePackage();

} // namespace ShellIntegration
