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

    bool operator==(const Player&) const = default;
};

constexpr int kMaxRating = 9999;

// The player's one-line description: name, then rating and club where known.
QString PlayerLine(const Player& player);

} // namespace kit
