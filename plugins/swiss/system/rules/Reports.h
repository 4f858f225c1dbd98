#pragma once

#include "Tournament.h"

#include <QByteArray>
#include <QString>

namespace sw {

// The reports this system offers, in the order listed to the user.
enum class Report { Pairings, StandingsCsv, WallChart, Trf, Protocol };
constexpr int kReportCount = 5;
QString ReportName(Report report);
QString ReportExtension(Report report);

// The current round's boards with empty result boxes, for the wall: a page that needs
// nothing beside it.
QString PairingsReport(const Tournament& tournament);
// Standings for spreadsheets: UTF-8 with a byte-order mark, semicolons, decimal commas.
QByteArray StandingsCsv(const Tournament& tournament);
// Every player's record round by round in start-number order, and the standings.
QString WallChartReport(const Tournament& tournament);
// The complete rounds as a tournament report file (TRF-16) that the pairing program reads:
// pairing it gives the round after them.
QByteArray TrfExport(const Tournament& tournament);
// The rounds that TrfExport writes: those complete from round 1 on.
int ExportedRounds(const Tournament& tournament);
// A plain-text protocol: details, players, the boards of every round, the final table.
QString ProtocolText(const Tournament& tournament);

QByteArray ReportContent(const Tournament& tournament, Report report);

} // namespace sw
