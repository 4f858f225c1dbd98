#pragma once

#include "PlayerList.h"
#include "Result.h"
#include "Settings.h"
#include "TournamentRecord.h"

#include <QList>
#include <QString>

#include <vector>

namespace sw {

// A Swiss entrant: the kit's player (with what rating lists need: FIDE ID, year of birth)
// and when he stopped playing.
struct Entrant {
    Player player;
    int withdrawnFrom = 0; // the first round he is no longer paired in; 0 = plays on

    bool operator==(const Entrant&) const = default;
};

// A round without a game that the organiser granted or recorded before the pairing.
enum class ByeKind { Half, Zero, Full };

struct RoundBye {
    int round = 0;
    int player = 0; // index
    ByeKind kind = ByeKind::Half;
    bool operator==(const RoundBye&) const = default;
};

// One board of a paired round, or the pairing-allocated bye (black < 0).
struct Board {
    int round = 0; // 1-based
    int board = 0; // 1-based; the bye has none
    int white = 0; // player index, start number − 1
    int black = -1;
    Result result;

    bool IsBye() const { return black < 0; }
    bool Decided() const { return IsBye() || result.IsSet(); }
    bool operator==(const Board&) const = default;
};

// The host has no game behind this index: it is the nearest list's line that pairs the next
// round.
constexpr int kNextRoundLine = 1 << 30;
// Likewise the line that takes back the current round's pairing while none of it is played.
constexpr int kUnpairLine = kNextRoundLine + 1;
constexpr int kMaxPlayers = 5000;

// Two players who must not be paired with each other (same family, same club), by index,
// the lower first, in the rounds from `firstRound` to `lastRound` (0: to the end, so that
// the pair keeps applying when rounds are added). The default is every round.
struct ForbiddenPair {
    int a = 0;
    int b = 0;
    int firstRound = 1;
    int lastRound = 0;

    bool AllRounds() const { return firstRound == 1 && lastRound == 0; }
    bool Holds(int round) const {
        return round >= firstRound && (lastRound == 0 || round <= lastRound);
    }
    // The last round it applies in for a tournament of `rounds` rounds.
    int End(int rounds) const { return lastRound > 0 ? lastRound : rounds; }
    bool operator==(const ForbiddenPair&) const = default;
};

// The rounds of a forbidden pair as the lists show them: "все туры", "2 тур", "1–3 тур",
// "с 4 тура".
QString ForbiddenRoundsText(const ForbiddenPair& pair);

// One Swiss tournament: the entrants in start-number order, the rounds paired so far (boards
// stored round by round), the requested byes, and the "changed since" flags the host asks
// about.
class Tournament : public TournamentRecord {
public:
    // The entrants are taken in the order given: StartingOrder() first for a new event.
    // Settings that fail CheckSettings are replaced by the defaults; a random first colour
    // becomes white.
    Tournament(const QString& name, const QList<Entrant>& entrants, const Settings& settings,
               const DrawRecord& draw = {});

    const Settings& GetSettings() const { return m_settings; }
    const DrawRecord& Draw() const { return m_draw; }
    const QList<Entrant>& Entrants() const { return m_entrants; }
    const Player& PlayerAt(int index) const { return m_entrants[index].player; }
    int PlayerCount() const { return int(m_entrants.size()); }
    const std::vector<Board>& Boards() const { return m_boards; }
    const QList<RoundBye>& Byes() const { return m_byes; }
    const QList<ForbiddenPair>& Forbidden() const { return m_forbidden; }
    // Whether the two must not meet in `round`.
    bool ForbiddenIn(int a, int b, int round) const;
    bool ValidGame(int game) const {
        return game >= 0 && game < int(m_boards.size()) && !m_boards[size_t(game)].IsBye();
    }

    int PairedRounds() const { return m_paired; }
    int TotalRounds() const { return m_settings.rounds; }
    bool RoundComplete(int round) const;
    int CompletedRounds() const;
    // Whether the player takes part in a round: entered, not withdrawn by then.
    bool Active(int player, int round) const;
    // The bye requested for a player in a round, if any.
    const RoundBye* ByeOf(int player, int round) const;

    // Pairs the next round with the Dutch system. An empty string on success, otherwise why
    // not, for the user; nothing changes then.
    QString PairNextRound();
    // Takes back the last round's pairing; refused (with the reason) once a result is in.
    QString UnpairLastRound();
    // Adds a paired round as given (a file, a hand-made pairing). No checks beyond indexes.
    void AppendRound(const std::vector<Board>& boards);

    // Each returns true if something changed, and then marks the table and the tournament as
    // modified. Invalid indexes change nothing.
    bool SetResult(int game, const Result& result);
    // Clears a result. Refused, with the reason for the user, in a round before the last one
    // paired: that pairing was made from it.
    QString DeleteResult(int game);
    // The number of rounds never drops below the rounds already paired nor below a forbidden
    // pair's rounds; the first colour and acceleration stay as they are once round 1 is
    // paired.
    bool SetSettings(const Settings& settings);
    bool SetWithdrawnFrom(int player, int round);
    bool SetByes(const QList<RoundBye>& byes);
    // Pairs are put lower index first, once each; a pair of one player, a bad index or
    // rounds that are not a range within the tournament's refuse the whole list.
    bool SetForbidden(const QList<ForbiddenPair>& pairs);
    // The settings and the forbidden pairs of one edit, each checked against the other's new
    // value: fewer rounds with the pairs that needed more removed, or more rounds with pairs
    // that use them. True if something changed.
    bool SetSettingsAndForbidden(const Settings& settings, const QList<ForbiddenPair>& pairs);
    // A late entrant joins before the next round is paired: he takes the place his rating,
    // title and name give him among the start numbers (those below move down by one, the
    // pairing numbers before the list is closed being provisional, C.04.2), and each round
    // already paired counts as the bye `missed` (C.04.2: no points unless the tournament's
    // rules give half a point). Returns his index, or -1 once every round is paired or the
    // list is full.
    int AddLateEntrant(const Entrant& entrant, ByeKind missed);

    int GamesPlayed() const; // at the board
    int GamesDecided() const;

private:
    Settings m_settings;
    DrawRecord m_draw;
    QList<Entrant> m_entrants;
    std::vector<Board> m_boards;
    QList<RoundBye> m_byes;
    QList<ForbiddenPair> m_forbidden;
    int m_paired = 0;
};

// The entrants in the order of their pairing numbers: rating first, then title, then name
// (C.04.2); the list's own order (the host's draw) settles what is still level.
QList<Entrant> StartingOrder(const QList<Entrant>& entrants);

// Title rank for the starting order: GM first, no title last.
int TitleRank(const QString& title);

} // namespace sw
