#pragma once

#include <QList>
#include <QString>

namespace kit {

// The tie-breaks of FIDE's tie-break regulations (C.07, 2024; article numbers below) and the
// league ones sports use. Values are higher-is-better for all of them.
enum class TieBreak {
    DirectEncounter,              // C.07 6: points among the tied, applied again to the still tied
    Wins,                         // 7.1: rounds won, with or without playing
    WinsPlayed,                   // 7.2: games won at the board
    BlackGames,                   // 7.3: games played with black
    BlackWins,                    // 7.4: games won with black
    SonnebornBerger,              // 9.1
    SonnebornBergerCut1,          // 9.1, 14.1
    Koya,                         // 9.2
    Buchholz,                     // 8.1
    BuchholzCut1,                 // 8.1, 14.1
    BuchholzCut2,                 // 8.1, 14.2
    BuchholzMedian1,              // 8.1, 14.3
    ProgressiveScore,             // 7.5
    ProgressiveCut1,              // 7.5, 14.1: without the score after round 1
    AverageRatingOfOpponents,     // 10.1
    AverageRatingOfOpponentsCut1, // 10.1, 14.1
    PerformanceRating,            // 10.2
    GoalDifference,               // leagues
    Goals,                        // leagues: goals scored
    HeadToHeadGoalDifference,     // leagues: among the tied only
    HeadToHeadGoals               // leagues: among the tied only
};

// "Личная встреча"
QString TieBreakName(TieBreak tieBreak);
// A column heading: "Л.в."
QString TieBreakShortName(TieBreak tieBreak);
// Stable word for files: "direct", "buchholz-cut1".
QString TieBreakCode(TieBreak tieBreak);
bool TieBreakFromCode(const QString& code, TieBreak* tieBreak);
// Every tie-break, in the order a settings list offers them.
QList<TieBreak> AllTieBreaks();
// Tie-breaks that need a score in goals.
bool NeedsGoals(TieBreak tieBreak);
// Tie-breaks whose value depends on who else is tied.
bool IsGroupTieBreak(TieBreak tieBreak);

// How a table writes fractions of a point: one style for the whole table.
enum class Fractions { Glyphs, Decimals }; // "2¾" or "2,75"

// A value as a table shows it: counts, ratings and goals as whole numbers, points-like values
// in the chosen style (decimals where a glyph cannot say it); "" for NaN. Minus is U+2212.
QString ValueText(TieBreak tieBreak, double value, Fractions fractions);
// Points in the same styles: "4½" or "4,5".
QString PointsText(double points, Fractions fractions);

} // namespace kit
