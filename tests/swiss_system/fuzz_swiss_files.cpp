// libFuzzer target for the Swiss system's tournament file reader, built and run by
// tests/swiss_system/fuzz.sh (clang only, not part of the normal build). Whatever the reader
// accepts is also pushed through everything that later reads a tournament: the lists, the
// standings, the page, every report, and taking back each result and the last pairing.
// With FUZZ_SWISS_SEEDS=folder set, it first writes its seed files there and stops.
#include "MatchLists.h"
#include "Reports.h"
#include "SwissStandings.h"
#include "TablePage.h"
#include "TournamentFile.h"

#ifdef FUZZ_SWISS_WRITE_SEEDS
#include "SwissSystemTestUtil.h"
#include <QDir>
#include <QFile>
#endif

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

#ifdef FUZZ_SWISS_WRITE_SEEDS
void WriteSeed(const QString& folder, const QString& name, const sw::Tournament& t) {
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(sw::SerializeTournament(t));
}

// Seeds in the shapes the tests use: nothing paired; rounds played with forfeits, requested
// byes, forbidden pairs (some for a few rounds) and a withdrawal; an odd field with the pairing bye and a round half played.
void WriteSeeds(const QString& folder) {
    using namespace swisstest;
    sw::Tournament fresh(QStringLiteral("Открытый турнир"), MakeEntrants(6), RoundsOf(5));
    WriteSeed(folder, QStringLiteral("fresh.trn"), fresh);

    sw::Tournament played(QStringLiteral("Кубок «Весна» <2026>"), MakeEntrants(8), RoundsOf(5));
    played.SetByes({{3, 2, sw::ByeKind::Half}, {4, 5, sw::ByeKind::Zero}});
    played.SetForbidden({{0, 3}, {1, 6, 2, 4}, {2, 4, 3, 0}});
    for (int round = 1; round <= 3; ++round) {
        if (!played.PairNextRound().isEmpty())
            break;
        PlayCurrentRound(played, true);
    }
    played.SetWithdrawnFrom(7, 4);
    WriteSeed(folder, QStringLiteral("played.trn"), played);

    sw::Tournament odd(QStringLiteral("Нечётный"), MakeEntrants(7), RoundsOf(4));
    odd.PairNextRound();
    PlayCurrentRound(odd);
    odd.PairNextRound();
    for (int i = 0; i < int(odd.Boards().size()); ++i)
        if (odd.Boards()[size_t(i)].round == 2 && odd.Boards()[size_t(i)].board == 1)
            odd.SetResult(i, sw::Result::Of(sw::Outcome::Draw));
    WriteSeed(folder, QStringLiteral("odd.trn"), odd);
}
#endif

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
#ifdef FUZZ_SWISS_WRITE_SEEDS
    if (const char* folder = std::getenv("FUZZ_SWISS_SEEDS")) {
        WriteSeeds(QString::fromLocal8Bit(folder));
        std::exit(0);
    }
#endif
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::unique_ptr<sw::Tournament> t = sw::ParseTournament(content, &error);
    if (!t) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal must say why
        return 0;
    }
    (void)sw::ComputeStandings(*t);
    for (int player = 0; player < t->PlayerCount(); ++player)
        (void)sw::RoundRecord(*t, player);
    for (int game : sw::NearestGames(*t) + sw::CurrentGames(*t) + sw::LastGames(*t))
        (void)sw::GameLine(*t, game);
    (void)sw::TablePageHtml(*t);
    for (int r = 0; r < int(sw::Reports().size()); ++r)
        (void)sw::ReportContent(*t, sw::Report(r));
    // What was read must write back to something that reads the same.
    const QByteArray again = sw::SerializeTournament(*t);
    const std::unique_ptr<sw::Tournament> reread = sw::ParseTournament(again, &error);
    if (!reread || sw::SerializeTournament(*reread) != again)
        __builtin_trap();
    // Taking back any result, or the last pairing, keeps the tournament sound.
    for (int game = 0; game < int(t->Boards().size()); ++game) {
        sw::Tournament copy = *t;
        if (copy.DeleteResult(game).isEmpty())
            (void)sw::ComputeStandings(copy);
    }
    sw::Tournament unpaired = *t;
    if (unpaired.UnpairLastRound().isEmpty()) {
        (void)sw::ComputeStandings(unpaired);
        (void)sw::NearestGames(unpaired);
    }
    return 0;
}
