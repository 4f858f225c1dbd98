// libFuzzer target for the tournament file reader, built and run by tests/knockout/fuzz.sh
// (clang only, not part of the normal build). Whatever the reader accepts is also pushed
// through everything that later reads a tournament: lists, standings, the page, the reports,
// and a result change on every match.
#include "BracketPage.h"
#include "MatchLists.h"
#include "Reports.h"
#include "Standings.h"
#include "TournamentFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::unique_ptr<ko::Tournament> t = ko::ParseTournament(content, &error);
    if (!t) {
        if (error.isEmpty())
            __builtin_trap(); // a refusal must say why
        return 0;
    }
    (void)ko::ComputeStandings(*t);
    for (int m : ko::NearestMatches(*t) + ko::CurrentMatches(*t) + ko::LastMatches(*t))
        (void)ko::MatchLine(*t, m);
    (void)ko::BracketPageHtml(*t);
    for (int r = 0; r < int(ko::Reports().size()); ++r)
        (void)ko::ReportContent(*t, ko::Report(r));
    // What was read must write back to something that reads the same.
    const QByteArray again = ko::SerializeTournament(*t);
    const std::unique_ptr<ko::Tournament> reread = ko::ParseTournament(again, &error);
    if (!reread || ko::SerializeTournament(*reread) != again)
        __builtin_trap();
    // Deleting any result keeps the bracket sound.
    for (int m = 0; m < t->MatchCount(); ++m) {
        ko::Tournament copy = *t;
        copy.ClearResult(m);
        (void)ko::ComputeStandings(copy);
    }
    return 0;
}
