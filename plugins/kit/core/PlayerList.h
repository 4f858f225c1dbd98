#pragma once

#include "Player.h"

#include <QList>
#include <QStringList>

#include <cstdint>

namespace kit {

enum class DrawMethod { ListOrder = 0, Random = 1, ByRating = 2 };
constexpr int kDrawMethodCount = 3;
QStringList DrawMethodNames();

// What the draw did, kept in the tournament so that it can be repeated: the method, the
// seed of a random draw, and each player's position in the list before the draw.
struct DrawRecord {
    DrawMethod method = DrawMethod::ListOrder;
    quint32 seed = 0;
    QList<int> entryOrder; // entryOrder[k]: entry position of start number k + 1
};

// The players of a tournament being prepared. The order of the list after the draw gives
// the start numbers (the first player is number 1 of the Berger tables).
class PlayerList {
public:
    const QList<Player>& Players() const { return m_players; }
    int Count() const { return int(m_players.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    int Add(const Player& player); // returns the new index
    void Append(const PlayerList& other);
    bool Replace(int index, const Player& player); // true if it changed
    bool Remove(int index);

    // Orders the list by a draw method, always starting from the order in which the players
    // were entered, so that drawing again does not compound. A random draw uses `seed`; the
    // same list and seed give the same order on every platform. Adding or removing a player
    // afterwards makes the current order the entry order.
    void ApplyDraw(DrawMethod method, quint32 seed);
    const DrawRecord& Draw() const { return m_draw; }

private:
    QList<Player> m_players;
    DrawRecord m_draw;
};

// The order in which a draw puts `count` players given in entry order: result[k] is the
// entry position of the player who gets start number k + 1.
QList<int> DrawOrder(const QList<Player>& players, DrawMethod method, quint32 seed);

} // namespace kit
