#pragma once

#include "ReportKind.h"
#include "Tournament.h"

#include <QByteArray>
#include <QString>

namespace ko {

// The reports this system offers, in the order listed to the user.
enum class Report { Bracket, Schedule, ResultsCsv, StandingsCsv };
// Their names and extensions, in the order of Report.
const QList<kit::ReportKind>& Reports();

// The bracket and the standings as a page that needs nothing beside it (styles inside).
QString BracketReport(const Tournament& tournament);
// The matches that can be played now, large, for the wall.
QString ScheduleReport(const Tournament& tournament);
// Every played match: round, match, sides, score, winner. For spreadsheets with Russian
// settings: UTF-8 with a byte-order mark, semicolons, CRLF.
QByteArray ResultsCsv(const Tournament& tournament);
// Place, seed, name, rating, club, where the entrant went out.
QByteArray StandingsCsv(const Tournament& tournament);

QByteArray ReportContent(const Tournament& tournament, Report report);

} // namespace ko
