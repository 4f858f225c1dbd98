#pragma once

#include "Berger.h"
#include "PlayerList.h"
#include "Result.h"
#include "Settings.h"
#include "TournamentRecord.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

namespace rr {

struct Game : ScheduledGame {
    Result result; // as entered; see Tournament::Effective for withdrawals
};

// What becomes of a withdrawn player's games: the two rules organisers use.
enum class Withdrawal : std::uint8_t {
    None,
    // Each game still to play is a forfeit win for the opponent, once the rest of its round
    // is complete: the table never runs ahead of the rounds played.
    Forfeits,
    // Every result of the player is cancelled and his games drop out of everyone's table;
    // allowed only while he has played fewer than half of his games.
    Cancelled
};

// Where a game stands, withdrawals taken into account.
enum class GameState : std::uint8_t {
    Open,     // to be played
    Decided,  // a result counts: entered, or a forfeit from a withdrawal
    Awaiting, // a withdrawn player's game, to be a forfeit once the rest of its round is done
    Cancelled // a game of a player whose results are cancelled: it counts for no one
};
// Points taken off a player by the organiser (a penalty), with the reason the table gives.
struct Deduction {
    int player = 0; // start number - 1
    int halves = 0; // half-points taken off, above zero
    QString reason;
    bool operator==(const Deduction&) const = default;
};
constexpr int kMaxDeduction = 2000; // half-points: 1000 points, more than any table holds

// More players than this would make a schedule nobody can play (and millions of games).
constexpr int kMaxPlayers = 1000;

// One round-robin tournament: its players in start-number order, the schedule, the results
// and the two "changed since" flags the host asks about.
class Tournament : public TournamentRecord {
public:
    // Settings that fail CheckSettings are replaced by the defaults of their kind; players
    // beyond kMaxPlayers are not accepted (check before).
    Tournament(const QString& name, const QList<Player>& players, const Settings& settings,
               const DrawRecord& draw = {}, Joins joins = Joins::Mended);

    const Settings& GetSettings() const { return m_settings; }
    const DrawRecord& Draw() const { return m_draw; }
    const QList<Player>& Players() const { return m_players; }
    int PlayerCount() const { return int(m_players.size()); }
    const std::vector<Game>& Games() const { return m_games; }
    int GameCount() const { return int(m_games.size()); }
    bool ValidGame(int game) const { return game >= 0 && game < GameCount(); }
    int RoundCount() const { return m_rounds; }
    Joins GetJoins() const { return m_joins; }

    // The result that counts: the one entered, or else a forfeit against whoever of the two
    // has withdrawn once the rest of the round is complete; nothing for a cancelled game.
    Result Effective(int game) const;
    GameState State(int game) const;
    bool Cancelled(int game) const { return State(game) == GameState::Cancelled; }
    bool Withdrawn(int player) const; // by either rule
    Withdrawal WithdrawalOf(int player) const;
    // The games a player has in the schedule, and those of them played at the board (entered
    // results that are not forfeits).
    int GamesOf(int player) const;
    int PlayedBy(int player) const;
    // Whether his results may be cancelled: he has played fewer than half of his games.
    bool MayCancel(int player) const;

    // Each returns true if something changed, and then marks the table and the tournament
    // as modified. Invalid indexes and results not allowed by the kind change nothing; nor
    // does cancelling the results of a player who may not have them cancelled. Results are
    // kept as entered whatever the withdrawals, so that taking one back restores them.
    bool SetResult(int game, const Result& result);
    bool SetWithdrawal(int player, Withdrawal withdrawal);
    bool SetWithdrawn(int player, bool withdrawn) {
        return SetWithdrawal(player, withdrawn ? Withdrawal::Forfeits : Withdrawal::None);
    }
    // Cycles and result kind stay as created; the rest is taken if it passes CheckSettings.
    bool SetSettings(const Settings& settings);

    int CompletedRounds() const; // rounds whose every game is decided or cancelled
    int GamesDecided() const;    // games with an effective result
    int GamesPlayed() const;     // of those, the ones played: forfeits are not

    // Penalties in the order they were given. A deduction needs a valid player, 1 to
    // kMaxDeduction half-points and a reason; AddDeduction refuses anything else.
    const QList<Deduction>& Deductions() const { return m_deductions; }
    int DeductedHalves(int player) const; // the player's deductions together
    bool AddDeduction(const Deduction& deduction);
    bool RemoveDeduction(int index);

private:
    // Games of each round still to be played at the board, counted when first asked for
    // after a change: a withdrawn player's game waits on them, and answering that game by game
    // would read the whole round each time.
    const std::vector<int>& OpenInRound() const;
    bool OpenAtBoard(const Game& g) const;
    void Touch();

    Settings m_settings;
    DrawRecord m_draw;
    QList<Player> m_players;
    QList<Withdrawal> m_withdrawal;
    QList<Deduction> m_deductions;
    mutable std::vector<int> m_openInRound;
    mutable bool m_openCounted = false;
    std::vector<Game> m_games;
    int m_rounds = 0;
    Joins m_joins = Joins::Mended;
};

} // namespace rr
