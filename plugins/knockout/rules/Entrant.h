#pragma once

#include <QString>

namespace ko {

// One entrant of a bracket: a player or a team. Rating 0 means "not known"; the club is what
// the first-round separation compares.
struct Entrant {
    QString name;
    int rating = 0;
    QString club;
    QString title; // kept for the files; the bracket does not use them
    QString city;

    bool operator==(const Entrant&) const = default;
};

} // namespace ko
