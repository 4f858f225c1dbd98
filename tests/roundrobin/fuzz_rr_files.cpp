// libFuzzer target for the readers of tournament files and players files, built and run by
// scripts/fuzz-roundrobin.sh (clang only, not part of the normal build). Whatever a reader
// accepts is also pushed through everything that later reads a tournament: standings, lists,
// the table page and every report.
#include "MatchLists.h"
#include "PlayersFile.h"
#include "Reports.h"
#include "Standings.h"
#include "TablePage.h"
#include "TournamentFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    const rr::PlayersReadResult players = rr::ReadPlayers(content);
    if (players.ok)
        (void)rr::ReadPlayers(rr::WritePlayers(players.players));

    QString error;
    const std::unique_ptr<rr::Tournament> t = rr::ParseTournament(content, &error);
    if (!t) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal must say why
        return 0;
    }
    (void)rr::ComputeStandings(*t);
    for (int game : rr::NearestGames(*t) + rr::CurrentGames(*t) + rr::LastGames(*t))
        (void)rr::GameLine(*t, game);
    (void)rr::TablePageHtml(*t);
    for (int r = 0; r < int(rr::Reports().size()); ++r)
        (void)rr::ReportContent(*t, rr::Report(r));
    // What was read must write back to something that reads the same.
    const QByteArray again = rr::SerializeTournament(*t);
    const std::unique_ptr<rr::Tournament> reread = rr::ParseTournament(again, &error);
    if (!reread || rr::SerializeTournament(*reread) != again)
        __builtin_trap();
    return 0;
}
