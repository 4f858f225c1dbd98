#include "Berger.h"

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

std::vector<ScheduledGame> MakeSchedule(int players, int cycles) {
    std::vector<ScheduledGame> games;
    if (players < 2 || cycles < 1)
        return games;
    const int n = players % 2 ? players + 1 : players;
    const QList<QList<Pairing>> table = BergerTable(n);
    const int rounds = int(table.size());
    games.reserve(size_t(cycles) * size_t(players) * size_t(players - 1) / 2);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const bool reversed = cycle % 2 == 1;
        const bool swapLastTwo = cycle + 1 < cycles && rounds >= 2;
        for (int r = 0; r < rounds; ++r) {
            int source = r;
            if (swapLastTwo && r >= rounds - 2)
                source = r == rounds - 2 ? rounds - 1 : rounds - 2;
            int board = 0;
            for (const Pairing& p : table[source]) {
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

} // namespace rr
