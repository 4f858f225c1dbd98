#include "PlayerList.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace kit {

QString PlayerLine(const Player& player) {
    QString line = player.name;
    if (player.rating > 0)
        line += QStringLiteral(", ") + QString::number(player.rating);
    if (!player.club.isEmpty())
        line += QStringLiteral(", ") + player.club;
    return line;
}

bool IsFideId(const QString& text) {
    if (text.size() > 11)
        return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QStringList DrawMethodNames() {
    return {QStringLiteral("В порядке списка"), QStringLiteral("Случайная жеребьёвка"),
            QStringLiteral("По рейтингу")};
}

int PlayerList::Add(const Player& player) {
    m_draw = {};
    m_players.append(player);
    return Count() - 1;
}

void PlayerList::Append(const PlayerList& other) {
    // Appending a list to itself must copy first: the source grows while it is read.
    const QList<Player> copy = other.m_players;
    m_draw = {};
    m_players.append(copy);
}

bool PlayerList::Replace(int index, const Player& player) {
    if (!Valid(index) || m_players[index] == player)
        return false;
    m_players[index] = player;
    return true;
}

bool PlayerList::Remove(int index) {
    if (!Valid(index))
        return false;
    m_draw = {};
    m_players.removeAt(index);
    return true;
}

QList<int> DrawOrder(const QList<Player>& players, DrawMethod method, quint32 seed) {
    QList<int> order(players.size());
    std::iota(order.begin(), order.end(), 0);
    if (method == DrawMethod::ByRating) {
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return players[a].rating > players[b].rating; });
    } else if (method == DrawMethod::Random) {
        // Fisher-Yates with our own bounded draw: std::shuffle and the standard
        // distributions differ between libraries, which would break reproducing a draw.
        std::mt19937 engine(seed);
        for (qsizetype i = order.size() - 1; i > 0; --i) {
            const quint32 range = quint32(i) + 1;
            const quint32 limit = 0xFFFFFFFFu - (0xFFFFFFFFu % range);
            quint32 value;
            do {
                value = quint32(engine());
            } while (value >= limit);
            std::swap(order[i], order[qsizetype(value % range)]);
        }
    }
    return order;
}

void PlayerList::ApplyDraw(DrawMethod method, quint32 seed) {
    QList<Player> entered = m_players;
    if (m_draw.entryOrder.size() == m_players.size())
        for (int k = 0; k < Count(); ++k)
            entered[m_draw.entryOrder[k]] = m_players[k];
    const QList<int> order = DrawOrder(entered, method, seed);
    m_players.clear();
    for (int position : order)
        m_players.append(entered[position]);
    m_draw = {method, seed, order};
}

} // namespace kit
