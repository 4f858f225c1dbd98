#pragma once

#include "ReportKind.h"
#include "Tournament.h"

#include <QByteArray>
#include <QString>

namespace sw {

// The reports this system offers, in the order listed to the user.
// TRF-2026 comes last so that the reports' numbers stay what they were.
enum class Report { Pairings, StandingsCsv, WallChart, Trf, Protocol, Trf2026 };
// Their names and extensions, in the order of Report.
const QList<kit::ReportKind>& Reports();

// The current round's boards with empty result boxes, for the wall: a page that needs
// nothing beside it.
QString PairingsReport(const Tournament& tournament);
// Standings for spreadsheets: UTF-8 with a byte-order mark, semicolons, decimal commas.
QByteArray StandingsCsv(const Tournament& tournament);
// Every player's record round by round in start-number order, and the standings.
QString WallChartReport(const Tournament& tournament);
// The complete rounds as a tournament report file that the pairing program reads, with the
// next round's requested byes, the withdrawals and the forbidden pairs (TRF-2026 with their
// rounds; TRF-16, whose XXP line has none, those of the next round): pairing it gives the
// round after them.
enum class TrfKind { Trf16, Trf2026 };
QByteArray TrfExport(const Tournament& tournament, TrfKind kind = TrfKind::Trf16);
// The rounds that TrfExport writes: those complete from round 1 on.
int ExportedRounds(const Tournament& tournament);
// A plain-text protocol: details, players, the boards of every round, the final table.
QString ProtocolText(const Tournament& tournament);

QByteArray ReportContent(const Tournament& tournament, Report report);

} // namespace sw
