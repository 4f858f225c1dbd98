#pragma once

#include <QString>
#include <QStringList>

// Copies a folder tree into another, creating missing folders. Files whose absolute path is
// in exclusions are skipped, and so is anything that is neither a regular file nor a folder
// (symbolic links included, so a link to a parent folder cannot recurse). Both folders end
// with '/'. Failures are passed over and the rest is still copied.
void CopyFolderTree(const QString& sourceFolder, const QString& destFolder,
                    const QStringList& exclusions);

// Copies source over destination unless both exist with the same last-write time; the copy
// gets the source's last-write time. Returns false when nothing was copied, either because
// the files were the same or because the copy failed.
bool CopyFileIfChanged(const QString& source, const QString& destination);
