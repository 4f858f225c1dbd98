#pragma once

#include <QList>
#include <QString>

namespace kit {

// The tie-breaks of FIDE's tie-break regulations (C.07) and the league ones sports use.
enum class TieBreak {
    DirectEncounter, // points among the tied, re-applied to those still tied
    Wins,            // rounds won, with or without playing
    WinsPlayed,      // games won at the board
    BlackGames,      // games played with black
    BlackWins,       // games won with black
    SonnebornBerger,
    SonnebornBergerCut1,
    Koya,
    Buchholz,
    BuchholzCut1,
    BuchholzCut2,
    BuchholzMedian1,
    ProgressiveScore,
    ProgressiveCut1,
    AverageRatingOfOpponents,
    AverageRatingOfOpponentsCut1,
    PerformanceRating,
    GoalDifference,
    Goals,
    HeadToHeadGoalDifference, // among the tied
    HeadToHeadGoals           // among the tied
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
