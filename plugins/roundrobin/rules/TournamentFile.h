#pragma once

#include "Tournament.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace rr {

// The first line of every tournament file of this system.
inline constexpr char kFormatId[] = "Velmora Round Robin 1";
// The version of the JSON document that follows the first line. Version 2 schedules three
// and four cycles with mended joins (see Joins); version 3 adds cancelled results of a
// withdrawn player ("withdrawal": "cancel" beside "withdrawn") and points deductions, and says
// which joins it was scheduled with ("joins": "legacy" where they are the old ones and differ).
// A file is written in the lowest version that holds what it has (version 1 whenever the two
// schedules agree, nobody's results are cancelled and nobody lost points), so that older
// programs still read it, and refuse a file whose cancellations or penalties they would drop.
// A withdrawal whose games count as forfeits is written as it always was.
constexpr int kFileVersion = 3;
constexpr qint64 kMaxTournamentFileSize = 64 * 1024 * 1024;

QByteArray SerializeTournament(const Tournament& tournament);
// Writes atomically: on any failure the old file stays whole. An empty string on success,
// otherwise a message for the user.
QString SaveTournament(const Tournament& tournament, const QString& path);

// Reads a tournament, checking everything before anything is built: a file that fails any
// check gives nullptr and says what and where in `error`, never a half-read tournament.
// The tournament comes back marked as saved, its table as to be written.
std::unique_ptr<Tournament> ParseTournament(const QByteArray& content, QString* error);
std::unique_ptr<Tournament> LoadTournament(const QString& path, QString* error);

} // namespace rr
