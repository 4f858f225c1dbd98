#pragma once

#include <QString>

namespace kit {

// What the organiser writes about a tournament besides its name; no rules depend on it.
struct TournamentInfo {
    QString venue;
    QString dates;
    QString arbiter;
    QString notes;
    bool operator==(const TournamentInfo&) const = default;
};

} // namespace kit
