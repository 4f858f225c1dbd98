#pragma once

#include "Berger.h"
#include "PlayerList.h"
#include "Result.h"
#include "Settings.h"
#include "TournamentRecord.h"

#include <QList>
#include <QString>

#include <vector>

namespace rr {

struct Game : ScheduledGame {
    Result result; // as entered; see Tournament::Effective for withdrawals
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

    // The result that counts: the one entered, or else a forfeit against whoever of the
    // two has withdrawn.
    Result Effective(int game) const;
    bool Withdrawn(int player) const;

    // Each returns true if something changed, and then marks the table and the tournament
    // as modified. Invalid indexes and results not allowed by the kind change nothing.
    bool SetResult(int game, const Result& result);
    bool SetWithdrawn(int player, bool withdrawn);
    // Cycles and result kind stay as created; the rest is taken if it passes CheckSettings.
    bool SetSettings(const Settings& settings);

    // Penalties in the order they were given. A deduction needs a valid player, 1 to
    // kMaxDeduction half-points and a reason; AddDeduction refuses anything else.
    const QList<Deduction>& Deductions() const { return m_deductions; }
    int DeductedHalves(int player) const; // the player's deductions together
    bool AddDeduction(const Deduction& deduction);
    bool RemoveDeduction(int index);

    int CompletedRounds() const;
    int GamesDecided() const; // games with an effective result
    int GamesPlayed() const;  // of those, the ones played: forfeits are not

private:
    Settings m_settings;
    DrawRecord m_draw;
    QList<Player> m_players;
    QList<bool> m_withdrawn;
    QList<Deduction> m_deductions;
    std::vector<Game> m_games;
    int m_rounds = 0;
    Joins m_joins = Joins::Mended;
};

} // namespace rr
