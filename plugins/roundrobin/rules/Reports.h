#pragma once

#include "Csv.h"
#include "ReportKind.h"
#include "Tournament.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rr {

// The reports this system offers, in the order listed to the user.
enum class Report { Crosstable, StandingsCsv, Rounds, Protocol, Pairings };
// Their names and extensions, in the order of Report.
const QList<kit::ReportKind>& Reports();

// The crosstable as a page that needs nothing beside it (styles inside), for e-mail; with
// scores the league table comes first. Whatever the size of the field.
QString CrosstableReport(const Tournament& tournament);
// Standings for spreadsheets: UTF-8 with a byte-order mark, semicolons, decimal commas,
// CRLF line ends, as spreadsheets with Russian settings expect.
QByteArray StandingsCsv(const Tournament& tournament);
// Every round with its games and results, as a standalone page.
QString RoundsReport(const Tournament& tournament);
// A plain-text protocol: the tournament's details, the games by round, the final table.
QString ProtocolText(const Tournament& tournament);

// The current round's boards (or matches) with numbers, names, ratings and a box for each
// result not yet in, to print on one A4 sheet.
QString PairingsReport(const Tournament& tournament);

// The bytes a report is written as.
QByteArray ReportContent(const Tournament& tournament, Report report);

} // namespace rr
