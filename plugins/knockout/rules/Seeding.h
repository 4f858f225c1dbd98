#pragma once

#include "Entrant.h"

#include <QList>

#include <cstdint>
#include <vector>

namespace ko {

constexpr int kMinEntrants = 2;
constexpr int kMaxEntrants = 256;

// The bracket's size: the smallest power of two that holds `entrants` (at least 2).
int BracketSize(int entrants);
// log2 of the bracket size: the number of rounds of a single-elimination bracket.
int RoundCount(int bracketSize);

// The standard seeding order of a bracket of `size` lines (a power of two): result[line] is
// the seed (1-based) on that line. Built from [1, 2] by replacing each seed s with the pair
// s, 2n + 1 − s, so that seeds 1 and 2 can only meet in the final, 1–4 in the semi-finals,
// and seeds above the number of entrants (the byes) meet the top seeds.
std::vector<int> StandardOrder(int size);

enum class Seeding : std::uint8_t { ByRating = 0, ListOrder = 1, Random = 2 };
constexpr int kSeedingCount = 3;
QList<QString> SeedingNames();

// The order of the entrants by seed: result[k] is the index in `entrants` of seed k + 1.
// By rating: highest first, ties and unrated players in list order. Random: a shuffle that
// the same seed repeats on every platform.
QList<int> SeedOrder(const QList<Entrant>& entrants, Seeding method, std::uint32_t seed);

// The bracket's lines for entrants given in seed order: result[line] is the entrant (index
// into `seeded`) on that line, or -1 for a bye.
std::vector<int> PlaceSeeds(int entrants);

// Moves entrants so that two of the same club do not meet in the first round, where the
// seeding allows: only entrants of the same seed band (3–4, 5–8, 9–16 …) who both play in
// the first round trade lines, nearest seeds first, so the seeding's promises still hold.
// Returns the number of first-round meetings of one club that remain.
int SeparateClubs(std::vector<int>& lines, const QList<Entrant>& seeded);

// Number of first-round matches between two entrants of one (named) club.
int ClubClashes(const std::vector<int>& lines, const QList<Entrant>& seeded);

} // namespace ko
