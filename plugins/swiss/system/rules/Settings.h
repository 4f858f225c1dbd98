#pragma once

#include "Points.h"
#include "TieBreak.h"

#include <QList>
#include <QString>

namespace sw {

using namespace kit;

constexpr int kMinRounds = 1;
constexpr int kMaxRounds = 30;

// Who has white on the first board of round 1; the rest of the round alternates from it.
// A random choice is settled when the tournament is created and stored as white or black.
enum class FirstColour { White, Black, Random };

struct TieBreakPreset {
    QString name;
    QList<TieBreak> tieBreaks;
};
// FIDE open (C.07, 2024), school, rapid.
QList<TieBreakPreset> TieBreakPresets();
// The tie-breaks that make sense after a Swiss, in the order a list offers them.
QList<TieBreak> SwissTieBreaks();

// Everything the organiser chooses about a Swiss. The number of rounds may grow later but
// never below the rounds already paired; the first colour and acceleration are fixed once
// round 1 is paired.
struct Settings {
    int rounds = 7;
    FirstColour firstColour = FirstColour::White;
    Points points;
    bool bakuAcceleration = false;
    QList<TieBreak> tieBreaks = TieBreakPresets().front().tieBreaks;

    bool operator==(const Settings&) const = default;
};

// An empty string if the settings are sound, or what is wrong with them.
QString CheckSettings(const Settings& settings);

} // namespace sw
