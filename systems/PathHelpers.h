#pragma once

#include <QString>

// Path helpers used throughout the host. Paths use '/' as separator on every platform.

// The process's current folder, with no separator at the end.
QString GetCurrentFolder();

// The absolute form of a path, resolved against the current folder; a trailing separator
// is kept.
QString GetFullPath(const QString& path);

// The absolute folder of a file path, ending with a separator. For a bare file name it is
// the current folder followed by a separator.
QString GetPathFolder(const QString& filePath);

// The table page beside a tournament file: the path with its last three characters
// replaced by "htm". When that would be the tournament file itself (a name ending in "htm"),
// the page is the tournament path followed by ".htm", so a save never overwrites the
// tournament with its table.
QString TablePagePath(const QString& tournamentPath);
