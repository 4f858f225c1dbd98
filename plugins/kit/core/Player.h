#pragma once

#include <QString>

namespace kit {

// One entrant: a person in chess, a team in football. Rating 0 means "not known".
struct Player {
    QString name;
    int rating = 0;
    QString title;
    QString club;
    QString city;
    // What rating lists identify a player by; only systems that report to them ask for these.
    QString fideId;    // digits only, or empty
    int birthYear = 0; // 0 when not known

    bool operator==(const Player&) const = default;
};

constexpr int kMaxRating = 9999;
constexpr int kMinBirthYear = 1900;
constexpr int kMaxBirthYear = 2100;

// Empty, or at most eleven digits (the TRF's column).
bool IsFideId(const QString& text);

// The player's one-line description: name, then rating and club where known.
QString PlayerLine(const Player& player);

} // namespace kit
