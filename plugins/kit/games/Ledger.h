#pragma once

#include "GameRecord.h"

#include <unordered_map>
#include <vector>

namespace kit {

// One player's part in one round, read off the games once.
struct Slot {
    enum class Kind : std::uint8_t {
        Played,
        ForfeitWin,
        ForfeitLoss, // a double forfeit too
        PairingBye,
        FullBye,
        HalfBye,
        ZeroBye,
        Absent // a round of a round-by-round event with neither game nor bye
    };
    Kind kind = Kind::Played;
    int round = 0;
    int opponent = -1; // player index; −1 without one
    bool black = false;
    double points = 0; // what the round brought, by the point system
    double share = 0;  // 1, ½ or 0 whatever the point system, as rating arithmetic counts
    bool win = false;  // worth a win, with or without playing
    bool draw = false;
    bool loss = false;
    int goalsFor = 0;
    int goalsAgainst = 0;
    bool hasGoals = false;

    bool HasOpponent() const { return opponent >= 0; }
    bool IsPlayed() const { return kind == Kind::Played; }
};

// The games regrouped by player, in player index order (the record's order of players).
class Ledger {
public:
    explicit Ledger(const GameRecord& record);

    const GameRecord& Record() const { return m_record; }
    int PlayerCount() const { return int(m_record.players.size()); }
    const GamePlayer& PlayerAt(int index) const { return m_record.players[size_t(index)]; }
    // −1 for a starting number that is not in the record.
    int IndexOf(int id) const;
    // The rounds taken into account.
    int Rounds() const { return m_rounds; }
    // Each player's rounds in round order; games without a result are not in them.
    const std::vector<Slot>& SlotsOf(int index) const { return m_slots[size_t(index)]; }
    // Opponents of the player's games still to be played (or without a result), once per game.
    const std::vector<int>& PendingOpponents(int index) const { return m_pending[size_t(index)]; }
    // Points from games and byes, before any deduction.
    double GamePoints(int index) const { return m_points[size_t(index)]; }
    // The most rounds any player has had a result in.
    int MostSlots() const { return m_mostSlots; }

private:
    void Add(int index, const Slot& slot);
    void AddPending(int a, int b, int round);

    GameRecord m_record;
    int m_rounds = 0;
    int m_mostSlots = 0;
    std::unordered_map<int, int> m_index;
    std::vector<std::vector<Slot>> m_slots;
    std::vector<double> m_points;
    std::vector<std::vector<int>> m_pending;
};

} // namespace kit
