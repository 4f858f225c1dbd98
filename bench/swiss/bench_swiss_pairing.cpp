// Times the Dutch pairing of round 5 of a 9-round tournament for 100 to 4,000 players and
// reports the peak memory of doing so. Each size runs in a child process of its own, so the
// peak resident size is that size's alone. The first four rounds are generated (paired by the
// same engine, results drawn at random) and are not timed.
//
// Generating them costs more than the round measured (half a minute at 2,000 players, minutes
// at 4,000, where rounds 2-4 pair brackets of 1,000-2,000). With
// SWISS_BENCH_CACHE set to a directory, each size's first four rounds are written there as a
// TRF the first time and read back on later runs, so that larger sizes can be measured.
//
//   bench_swiss_pairing [SIZES...]     e.g. bench_swiss_pairing 100 1000
#include "Dutch.h"
#include "Generator.h"
#include "Trf.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace velmora::swiss;

namespace {

struct Figures {
    double generateSeconds = 0;
    double pairSeconds = 0;
    int pairs = 0;
    int ok = 0;
    int fromCache = 0;
    unsigned long long digest = 0; // of the pairing, to see a cached run pair as a fresh one
};

Figures measure(int players) {
    Figures f;
    GeneratorOptions o;
    o.players = players;
    o.rounds = 9;
    o.playRounds = 4;
    o.seed = 20260201u + unsigned(players);
    const auto t0 = std::chrono::steady_clock::now();
    const char* cacheDir = std::getenv("SWISS_BENCH_CACHE");
    const std::string cached =
        cacheDir ? std::string(cacheDir) + "/rounds1-4-" + std::to_string(players) + ".trf"
                 : std::string();
    Tournament t;
    bool have = false;
    if (!cached.empty()) {
        std::ifstream in(cached, std::ios::binary);
        if (in) {
            std::stringstream text;
            text << in.rdbuf();
            TrfReadResult read = readTrf(text.str());
            if (read.ok) {
                t = std::move(read.tournament);
                have = true;
                f.fromCache = 1;
            }
        }
    }
    if (!have) {
        const GeneratedTournament g = generateTournament(o);
        if (!g.ok)
            return f;
        t = g.tournament;
        if (!cached.empty())
            std::ofstream(cached, std::ios::binary) << writeTrf(t);
    }
    const auto t1 = std::chrono::steady_clock::now();
    f.generateSeconds = std::chrono::duration<double>(t1 - t0).count();
    const PairingResult r = pairDutch(t, 5);
    const auto t2 = std::chrono::steady_clock::now();
    f.pairSeconds = std::chrono::duration<double>(t2 - t1).count();
    f.pairs = int(r.pairs.size());
    f.digest = 1469598103934665603ull;
    for (const Pair& p : r.pairs)
        for (int id : {p.white, p.black})
            f.digest = (f.digest ^ unsigned(id)) * 1099511628211ull;
    f.ok = r.ok ? 1 : 0;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes{100, 250, 500, 1000, 2000, 4000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::atoi(argv[i]));
    }
    std::printf(
        "Dutch pairing of round 5 of 9 (rounds 1-4 generated and paired first, not timed)\n");
    std::printf("%8s %8s %12s %12s %14s  %s\n", "players", "boards", "round 5 s", "rounds 1-4 s",
                "peak MB", "pairing digest");
    double lastTotal = 0;
    for (int n : sizes) {
        // Each size costs more than eight times the last; beyond a quarter of an hour, stop.
        if (lastTotal * 8 > 900) {
            std::printf("%8d  not run (the previous size took %.0f s in all)\n", n, lastTotal);
            continue;
        }
        int fds[2];
        if (pipe(fds) != 0)
            return 1;
        const pid_t pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const Figures f = measure(n);
            (void)!write(fds[1], &f, sizeof f);
            _exit(0);
        }
        close(fds[1]);
        Figures f;
        const bool got = read(fds[0], &f, sizeof f) == sizeof f;
        close(fds[0]);
        int status = 0;
        struct rusage ru {};
        wait4(pid, &status, 0, &ru);
        if (!got || !f.ok) {
            std::printf("%8d  failed\n", n);
            continue;
        }
        lastTotal = f.pairSeconds + f.generateSeconds;
        std::printf("%8d %8d %12.3f %12.3f %14.1f  %016llx%s\n", n, f.pairs, f.pairSeconds,
                    f.generateSeconds, double(ru.ru_maxrss) / 1024.0, f.digest,
                    f.fromCache ? "  (rounds 1-4 read from the cache)" : "");
        std::fflush(stdout);
    }
    return 0;
}
