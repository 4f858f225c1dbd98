#pragma once

#include "Tournament.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace sw {

// The first line of every tournament file of this system.
inline constexpr char kFormatId[] = "Velmora Swiss 1";
// The version of the JSON document that follows the first line. Version 2 adds forbidden
// pairs for some rounds only. A file is written in the lowest version that holds what it has
// (version 1 while every forbidden pair holds in all rounds), so that older programs still
// read it, and refuse a file whose rounds they would drop.
constexpr int kFileVersion = 2;
constexpr qint64 kMaxTournamentFileSize = 64 * 1024 * 1024;

QByteArray SerializeTournament(const Tournament& tournament);

// Reads a tournament, checking everything before anything is built: a file that fails any
// check gives nullptr and says what and where in `error`, never a half-read tournament.
// The tournament comes back marked as saved, its table as to be written.
std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error);
std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error);

} // namespace sw
