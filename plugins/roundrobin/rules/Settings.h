#pragma once

#include "Points.h"
#include "Result.h"

#include <QList>
#include <QString>

namespace rr {

// The round-robin rules are written in the kit's words: players, results, points.
using namespace kit;

enum class ResultKind { Games, Scores };

enum class TieBreak {
    DirectEncounter,
    Wins,
    SonnebornBerger,
    Koya,
    BlackGames,     // game results only
    GoalDifference, // scores only
    GoalsScored,    // scores only
    // Scores only, among the tied teams alone; applied again to those still level.
    HeadToHeadGoalDifference,
    HeadToHeadGoals
};
constexpr int kTieBreakCount = 9;

QString TieBreakName(TieBreak tieBreak);      // "Личная встреча"
QString TieBreakShortName(TieBreak tieBreak); // column heading: "Л.в."
QString TieBreakCode(TieBreak tieBreak);      // in the tournament file: "direct"
bool TieBreakFromCode(const QString& code, TieBreak* tieBreak);
// The tie-breaks that make sense for a kind of result, in the order they are offered.
QList<TieBreak> TieBreaksFor(ResultKind kind);

constexpr int kMaxCycles = 4;

// Everything the user chooses about a tournament's rules. Cycles and the result kind are
// fixed when the tournament is created; the rest may change later.
struct Settings {
    int cycles = 1;
    ResultKind kind = ResultKind::Games;
    Points points;
    QList<TieBreak> tieBreaks{TieBreak::DirectEncounter, TieBreak::Wins, TieBreak::SonnebornBerger,
                              TieBreak::Koya};
    bool nearestAll = false; // the nearest list shows every unplayed game, not one round's

    bool operator==(const Settings&) const = default;
};

// Settings for a kind of result: its presets' first entry and its usual tie-breaks.
Settings DefaultSettings(ResultKind kind);
// Whether a result may be entered under a kind (scores are not chess results, and back).
bool ResultAllowed(ResultKind kind, const Result& result);
// An empty string if the settings are sound, or what is wrong with them.
QString CheckSettings(const Settings& settings);

} // namespace rr
