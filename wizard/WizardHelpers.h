#pragma once

#include "core/Prompts.h"

#include <QByteArray>
#include <QString>

// Small pieces shared by the wizard, the opening and their dialogs.

// The file dialog of a tournament file, to open or to save: "Tournament Files (*.trn)", the
// default extension, "*.trn" proposed in the "Tournaments" folder under the current folder of
// this moment (which the file dialogs may have moved).
Prompts::FileRequest TournamentFileRequest(const QString& title, bool save);

// The format identifier of a tournament file: its first line up to the first line feed, a
// carriage return right before the line feed dropped. Only the first bytes are read: an
// identifier has at most 255 bytes, so a longer first line matches nothing whatever its
// length, and a huge file costs no more than a small one. False when the path is not a
// readable regular file (missing, a folder, a device or pipe that could block, no rights).
bool ReadFormatIdentifier(const QString& path, QByteArray* identifier);
