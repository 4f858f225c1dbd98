#pragma once

#include "Bracket.h"
#include "Entrant.h"
#include "Result.h"
#include "Seeding.h"
#include "TournamentRecord.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ko {

struct Options {
    BracketOptions bracket;
    MatchFormat format;
    bool separateClubs = false;
    bool operator==(const Options&) const = default;
};
// Empty if the options can make a bracket for `entrants`, else a message for the user.
QString CheckOptions(const Options& options, int entrants);

// How the seeds were drawn, kept so that the draw can be shown and repeated.
struct SeedingRecord {
    Seeding method = Seeding::ByRating;
    std::uint32_t seed = 0;
    bool operator==(const SeedingRecord&) const = default;
};

using kit::TournamentInfo;

// One side of a match as far as the results so far decide it.
struct Side {
    enum class State : std::uint8_t { Pending, Bye, Entrant };
    State state = State::Pending;
    int entrant = -1;
    static Side Of(int entrant) { return {State::Entrant, entrant}; }
    static Side Nobody() { return {State::Bye, -1}; }
    bool IsEntrant() const { return state == State::Entrant; }
    bool operator==(const Side&) const = default;
};

struct MatchState {
    enum class Status : std::uint8_t {
        Pending, // a side is not known yet
        Void,    // no match: both sides empty, or a reset that is not needed
        Bye,     // one entrant and an empty side: nothing to play
        Ready,   // both entrants known, nothing entered
        Partial, // a series begun
        Decided  // a winner (or a walkover)
    };
    Status status = Status::Pending;
    Side side[2];
    Side winner, loser;
    int winnerSide = -1;       // 0 or 1 when decided with a winner
    MatchResult effective;     // the result that counts, walkovers of withdrawn players included
    bool byWithdrawal = false; // the walkover comes from a withdrawal, not from an entry
    bool Played() const { return status == Status::Decided && side[0].IsEntrant() && side[1].IsEntrant(); }
};

// A result as entered, with the entrants it was entered for: when a change upstream puts
// someone else into the match, the result no longer belongs there and is dropped.
struct StoredResult {
    int entrants[2] = {-1, -1};
    MatchResult result;
    bool operator==(const StoredResult&) const = default;
};

// One elimination tournament: entrants in seed order, the bracket's lines, the entered
// results, withdrawals and table or court numbers, and the two "changed since" flags that
// the host asks about.
class Tournament : public kit::TournamentRecord {
public:
    // `seeded` must hold kMinEntrants to kMaxEntrants entrants and `options` pass
    // CheckOptions; `lines` (entrant or -1 per bracket line) is placed by the standard
    // order, clubs separated if asked, when not given.
    Tournament(const QString& name, const QList<Entrant>& seeded, const Options& options,
               const SeedingRecord& seeding = {}, std::vector<int> lines = {});

    const Options& GetOptions() const { return m_options; }
    const MatchFormat& Format() const { return m_options.format; }
    const SeedingRecord& Seeding() const { return m_seeding; }
    const QList<Entrant>& Entrants() const { return m_entrants; }
    int EntrantCount() const { return int(m_entrants.size()); }
    const std::vector<int>& Lines() const { return m_lines; }
    const BracketShape& Shape() const { return m_shape; }
    int MatchCount() const { return m_shape.MatchCount(); }
    bool ValidMatch(int match) const { return match >= 0 && match < MatchCount(); }
    const MatchState& State(int match) const { return m_states[size_t(match)]; }
    const std::optional<StoredResult>& Stored(int match) const { return m_stored[size_t(match)]; }
    const QString& Court(int match) const { return m_courts[size_t(match)]; }
    bool Withdrawn(int entrant) const;
    // The entrant's name, or "—" for an empty side and "?" for one not known yet.
    QString SideName(const Side& side) const;

    // Each returns true if something changed, and then marks the table and the tournament as
    // modified. `cleared` receives the other matches whose results were deleted because the
    // change put other entrants into them (or none at all).
    bool SetResult(int match, const MatchResult& result, QList<int>* cleared = nullptr);
    bool ClearResult(int match, QList<int>* cleared = nullptr);
    bool SetWithdrawn(int entrant, bool withdrawn, QList<int>* cleared = nullptr);
    bool SetCourt(int match, const QString& court);
    bool SetFormat(const MatchFormat& format); // only while no result is entered

    // The matches whose entered results would be deleted by entering `result` in `match`.
    QList<int> WouldClear(int match, const MatchResult& result) const;
    // Same for taking `entrant` out (or back in).
    QList<int> WouldClearWithdrawal(int entrant, bool withdrawn) const;

    // Whether a result may be entered in the match now: both entrants known.
    bool CanEnter(int match) const;
    bool Finished() const; // the champion is known
    int Champion() const;  // entrant, or -1

    // For the file reader: results, withdrawals, courts and information as stored. Empty if
    // every result passes the format's check and belongs to the entrants its match has,
    // else what is wrong (and the tournament is not to be used).
    QString Restore(std::vector<std::optional<StoredResult>> stored, QList<bool> withdrawn,
                    QList<QString> courts, const TournamentInfo& info);

private:
    Side Resolve(const Source& source) const;
    void Recompute(QList<int>* cleared);

    Options m_options;
    SeedingRecord m_seeding;
    QList<Entrant> m_entrants;
    std::vector<int> m_lines;
    BracketShape m_shape;
    std::vector<std::optional<StoredResult>> m_stored;
    std::vector<MatchState> m_states;
    QList<QString> m_courts;
    QList<bool> m_withdrawn;
};

} // namespace ko
