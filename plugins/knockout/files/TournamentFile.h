#pragma once

#include "Tournament.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace ko {

// The first line of every tournament file of this system.
inline constexpr char kFormatId[] = "Velmora Knockout 1";
// The version of the JSON document that follows the first line.
constexpr int kFileVersion = 1;
constexpr qint64 kMaxTournamentFileSize = 16 * 1024 * 1024;

QByteArray SerializeTournament(const Tournament& tournament);

// Reads a tournament, checking everything before anything is used: a file that fails any
// check gives nullptr and says what and where in `error`, never a half-read tournament.
// The tournament comes back marked as saved, its table as to be written.
std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error);
std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error);

} // namespace ko
