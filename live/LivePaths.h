#pragma once

#include <QByteArray>
#include <QString>

// How a request's path becomes a file of the published copy. Kept apart from the server so
// that the rules can be read, and tested, in one place.
namespace LivePaths {

// The longest request path looked at; anything longer is refused unread.
constexpr int kMaxPathBytes = 1024;

// The content type of a file the server may send, by its suffix, or empty for any other
// kind: a tournament file, a players list, a script, a folder.
QByteArray ContentType(const QString& fileName);

// The path as it arrived (still percent-encoded) split into its segments, or an empty list
// when it must not be served: too long, not absolute, or holding after one decoding a NUL,
// a backslash, an empty segment or one that begins with a dot. Only the last segment may be
// empty, for a path ending with '/': "/" gives one empty segment.
QStringList Segments(const QByteArray& rawPath);

// The canonical path of the regular file `relative` (segments from Segments) below the folder
// `root`, provided it lies inside that folder after every symbolic link is resolved and its
// type is known. Empty otherwise.
QString ResolveInside(const QString& root, const QStringList& relative);

} // namespace LivePaths
