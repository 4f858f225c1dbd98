#include "Berger.h"

#include <utility>

namespace rr {

QList<QList<Pairing>> BergerTable(int n) {
    QList<QList<Pairing>> table;
    if (n < 2 || n % 2)
        return table;
    const int others = n - 1; // numbers 1..n-1 turn around the fixed number n
    for (int round = 1; round <= others; ++round) {
        // The player who meets n in this round: each round moves n/2 places along the circle.
        const int p = (round - 1) * (n / 2) % others + 1;
        QList<Pairing> pairings;
        // n alternates colours: black in odd rounds, white in even ones.
        pairings.append(round % 2 ? Pairing{p, n} : Pairing{n, p});
        for (int board = 2; board <= n / 2; ++board) {
            const int white = (p - 1 + board - 1) % others + 1;
            const int black = ((p - 1 - (board - 1)) % others + others) % others + 1;
            pairings.append({white, black});
        }
        table.append(pairings);
    }
    return table;
}

int RoundsPerCycle(int players) {
    if (players < 2)
        return 0;
    return players % 2 ? players : players - 1;
}

namespace {

// Round order within each cycle as bit flags: swap the last two rounds, swap the first two.
constexpr int kSwapLast = 1;
constexpr int kSwapFirst = 2;

std::vector<ScheduledGame> Build(int players, const QList<QList<Pairing>>& table,
                                 const std::vector<int>& orders) {
    std::vector<ScheduledGame> games;
    const int rounds = int(table.size());
    const int cycles = int(orders.size());
    games.reserve(size_t(cycles) * size_t(players) * size_t(players - 1) / 2);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const bool reversed = cycle % 2 == 1;
        std::vector<int> order(static_cast<size_t>(rounds));
        for (int r = 0; r < rounds; ++r)
            order[size_t(r)] = r;
        if (rounds >= 2 && (orders[size_t(cycle)] & kSwapLast))
            std::swap(order[size_t(rounds - 2)], order[size_t(rounds - 1)]);
        if (rounds >= 2 && (orders[size_t(cycle)] & kSwapFirst))
            std::swap(order[0], order[1]);
        for (int r = 0; r < rounds; ++r) {
            int board = 0;
            for (const Pairing& p : table[order[size_t(r)]]) {
                if (p.white > players || p.black > players)
                    continue; // the bye
                ScheduledGame g;
                g.round = cycle * rounds + r + 1;
                g.board = ++board;
                g.white = (reversed ? p.black : p.white) - 1;
                g.black = (reversed ? p.white : p.black) - 1;
                games.push_back(g);
            }
        }
    }
    return games;
}

// Whether someone has one colour three times running; a bye neither breaks nor extends a run.
bool ThreeRunning(int players, const std::vector<ScheduledGame>& games) {
    std::vector<int> run(size_t(players), 0); // +k: k Whites running, -k: k Blacks
    for (const ScheduledGame& g : games) {
        int& white = run[size_t(g.white)];
        int& black = run[size_t(g.black)];
        white = white > 0 ? white + 1 : 1;
        black = black < 0 ? black - 1 : -1;
        if (white >= 3 || black <= -3)
            return true;
    }
    return false;
}

std::vector<int> LegacyOrders(int cycles) {
    std::vector<int> orders(size_t(cycles), 0);
    for (int cycle = 0; cycle + 1 < cycles; ++cycle)
        orders[size_t(cycle)] = kSwapLast;
    return orders;
}

} // namespace

std::vector<ScheduledGame> MakeSchedule(int players, int cycles, Joins joins) {
    if (players < 2 || cycles < 1)
        return {};
    const QList<QList<Pairing>> table = BergerTable(players % 2 ? players + 1 : players);
    const std::vector<int> legacy = LegacyOrders(cycles);
    std::vector<ScheduledGame> games = Build(players, table, legacy);
    if (joins == Joins::Legacy || cycles < 3 || !ThreeRunning(players, games))
        return games;
    // The first cycle stays as FIDE publishes it; the later ones try each order, the legacy
    // one first, until a schedule has no three running. Four cycles make 64 tries at most.
    const int tries = 1 << (2 * (cycles - 1));
    for (int k = 1; k < tries; ++k) {
        std::vector<int> orders = legacy;
        for (int cycle = 1; cycle < cycles; ++cycle)
            orders[size_t(cycle)] ^= (k >> (2 * (cycle - 1))) & 3;
        std::vector<ScheduledGame> mended = Build(players, table, orders);
        if (!ThreeRunning(players, mended))
            return mended;
    }
    return games;
}

bool JoinsDiffer(int players, int cycles) {
    return cycles >= 3 && players >= 2 &&
           ThreeRunning(players, MakeSchedule(players, cycles, Joins::Legacy));
}

} // namespace rr
