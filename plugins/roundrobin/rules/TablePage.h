#pragma once

#include "Standings.h"
#include "Tournament.h"

#include <QString>

#include <vector>

namespace rr {

// Past this many players the table page leaves the crosstable to its report: the page is
// written again after every result, and a crosstable of n² cells soon grows past what a
// browser shows (1,000 players in four cycles made 129 MB).
constexpr int kCrosstableOnPageMax = 60;

// The table page: HTML5 in UTF-8 that takes its look from the skin's style.css beside it.
// With scores the league table comes first, then the crosstable; with game results the
// crosstable alone. Past kCrosstableOnPageMax players: the standings and the current round.
QString TablePageHtml(const Tournament& tournament);

// The crosstable alone (a <table>), sorted by place, as the page and the reports show it.
// With game results it has each player's games played and, in a rated field, the average
// rating of his opponents and his performance rating.
QString CrosstableHtml(const Tournament& tournament);
// The league table: place, team, played, won, drawn, lost, goals for and against, goal
// difference, points and the tie-breaks.
QString LeagueTableHtml(const Tournament& tournament, const std::vector<Standing>& table);
// The deductions under a table, one line each with its reason; "" when there are none.
QString DeductionsHtml(const Tournament& tournament);
// The page's heading block: title, venue and dates, and how many rounds are played.
QString HeadingHtml(const Tournament& tournament);

// The round the organiser is at: the earliest with a game still to play, or else the last.
// 0 when there are no games.
int CurrentRound(const Tournament& tournament);
// One round's boards or matches; `resultBoxes` leaves a box for each result not yet in.
QString RoundHtml(const Tournament& tournament, int round, bool resultBoxes);

// FIDE's figures for a player's games played at the board against rated opponents (C.07
// 10.1 and 10.2): their average rating and the performance rating; 0 and 0 for no such game.
struct Performance {
    int games = 0;
    int averageRating = 0;
    int rating = 0;
};
std::vector<Performance> Performances(const Tournament& tournament); // by start number

// "3 очка", "1½ очка", "1 очко": points with the noun that agrees.
QString PointsWithNoun(int halves);

} // namespace rr
