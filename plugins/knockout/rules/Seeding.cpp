#include "Seeding.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>

namespace ko {

int BracketSize(int entrants) {
    int size = 2;
    while (size < entrants)
        size *= 2;
    return size;
}

int RoundCount(int bracketSize) {
    int rounds = 0;
    while ((1 << rounds) < bracketSize)
        ++rounds;
    return rounds;
}

std::vector<int> StandardOrder(int size) {
    std::vector<int> order{1, 2};
    while (int(order.size()) < size) {
        const int n = int(order.size());
        std::vector<int> next;
        next.reserve(size_t(n) * 2);
        for (int s : order) {
            next.push_back(s);
            next.push_back(2 * n + 1 - s);
        }
        order.swap(next);
    }
    order.resize(size_t(std::max(size, 0)));
    return order;
}

QList<QString> SeedingNames() {
    return {QStringLiteral("По рейтингу"), QStringLiteral("В порядке списка"),
            QStringLiteral("Случайная жеребьёвка")};
}

QList<int> SeedOrder(const QList<Entrant>& entrants, Seeding method, std::uint32_t seed) {
    QList<int> order(entrants.size());
    std::iota(order.begin(), order.end(), 0);
    if (method == Seeding::ByRating) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return entrants[a].rating > entrants[b].rating;
        });
    } else if (method == Seeding::Random) {
        // Fisher–Yates over mt19937: both are fully specified, unlike std::shuffle, so a
        // stored seed gives the same bracket everywhere.
        std::mt19937 engine(seed);
        for (qsizetype i = order.size() - 1; i > 0; --i)
            std::swap(order[i], order[qsizetype(engine() % std::uint32_t(i + 1))]);
    }
    return order;
}

std::vector<int> PlaceSeeds(int entrants) {
    const std::vector<int> order = StandardOrder(BracketSize(entrants));
    std::vector<int> lines(order.size());
    for (size_t line = 0; line < order.size(); ++line)
        lines[line] = order[line] <= entrants ? order[line] - 1 : -1;
    return lines;
}

namespace {

int SeedBand(int seed) { // 1, 2, then 3–4, 5–8, 9–16 …: bands that may trade lines
    if (seed <= 2)
        return seed;
    int band = 2;
    while (band < seed)
        band *= 2;
    return band;
}

bool SameClub(const QList<Entrant>& seeded, int a, int b) {
    if (a < 0 || b < 0)
        return false;
    const QString& club = seeded[a].club;
    return !club.trimmed().isEmpty() &&
           club.trimmed().compare(seeded[b].club.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

int ClubClashes(const std::vector<int>& lines, const QList<Entrant>& seeded) {
    int clashes = 0;
    for (size_t line = 0; line + 1 < lines.size(); line += 2)
        clashes += SameClub(seeded, lines[line], lines[line + 1]) ? 1 : 0;
    return clashes;
}

int SeparateClubs(std::vector<int>& lines, const QList<Entrant>& seeded) {
    const int lineCount = int(lines.size());
    // Entrants are in seed order, so entrant e is seed e + 1.
    auto clashAt = [&](int line) { return SameClub(seeded, lines[line], lines[line ^ 1]); };
    for (int line = 0; line < lineCount; ++line) {
        if (!clashAt(line) || lines[line] < lines[line ^ 1])
            continue; // the lower-seeded side of a clash moves
        const int seed = lines[line] + 1, band = SeedBand(seed);
        std::vector<int> candidates;
        for (int other = 0; other < lineCount; ++other) {
            const int e = lines[other];
            if (other == line || (other ^ 1) == line || e < 0 || lines[other ^ 1] < 0 ||
                SeedBand(e + 1) != band)
                continue;
            candidates.push_back(other);
        }
        std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) {
            return std::abs(lines[a] + 1 - seed) < std::abs(lines[b] + 1 - seed);
        });
        for (int other : candidates) {
            const int before = int(clashAt(line)) + int(clashAt(other));
            std::swap(lines[line], lines[other]);
            if (int(clashAt(line)) + int(clashAt(other)) < before)
                break;
            std::swap(lines[line], lines[other]);
        }
    }
    return ClubClashes(lines, seeded);
}

} // namespace ko
