#pragma once

#include "Result.h"

#include <QList>
#include <QString>

namespace rr {

enum class ResultKind { Games, Scores };

enum class TieBreak {
    DirectEncounter,
    Wins,
    SonnebornBerger,
    Koya,
    BlackGames,     // game results only
    GoalDifference, // scores only
    GoalsScored     // scores only
};
constexpr int kTieBreakCount = 7;

QString TieBreakName(TieBreak tieBreak);      // "Личная встреча"
QString TieBreakShortName(TieBreak tieBreak); // column heading: "Л.в."
QString TieBreakCode(TieBreak tieBreak);      // in the tournament file: "direct"
bool TieBreakFromCode(const QString& code, TieBreak* tieBreak);
// The tie-breaks that make sense for a kind of result, in the order they are offered.
QList<TieBreak> TieBreaksFor(ResultKind kind);

// Points in half-points (2 = one point), so that ½ is exact.
struct Points {
    int win = 2;
    int draw = 1;
    int loss = 0;
    int forfeitLoss = 0;
    bool operator==(const Points&) const = default;
};
constexpr int kMinPoints = -20; // half-points: −10 to 10 points
constexpr int kMaxPoints = 20;

struct PointsPreset {
    QString name;
    Points points;
};
// Chess 1–½–0, football 3–1–0, hockey 2–1–0.
QList<PointsPreset> PointsPresets();

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
