#pragma once

// Builds small tournaments for the tie-break tests: players are numbered 1..n and named by
// letter in the checks ("A" is 1).

#include "Standings.h"

#include <QStringList>
#include <QTest>

#include <cmath>
#include <initializer_list>

namespace gamestest {

using namespace kit;

class Event {
public:
    explicit Event(int players, bool allPlayAll, PointSystem points = PointSystem::Chess()) {
        m_record.allPlayAll = allPlayAll;
        m_record.points = points;
        for (int i = 1; i <= players; ++i)
            m_record.players.push_back(GamePlayer{i, 0, 0, 0, {}});
    }

    // One round-robin table, row by row over the upper triangle: for each pair (i < j) the
    // row player's result against the column player. '1' '=' '0' played, '+' '-' forfeits,
    // '.' not yet played. Each pair gets a round of its own, in reading order.
    Event& Table(std::initializer_list<const char*> rows) {
        int i = 0;
        for (const char* row : rows) {
            const QString cells = QString::fromLatin1(row).remove(u' ');
            for (int j = i + 1; j < cells.size(); ++j)
                Play(++m_round, i + 1, j + 1, cells[j].toLatin1());
            ++i;
        }
        return *this;
    }

    // A game by its code from the first side: '1' '=' '0' '+' '-' '.'.
    Event& Play(int round, int white, int black, char code) {
        GameResult r = GameResult::Pending;
        switch (code) {
        case '1':
            r = GameResult::WhiteWin;
            break;
        case '=':
            r = GameResult::Draw;
            break;
        case '0':
            r = GameResult::BlackWin;
            break;
        case '+':
            r = GameResult::WhiteForfeitWin;
            break;
        case '-':
            r = GameResult::BlackForfeitWin;
            break;
        default:
            break;
        }
        m_record.games.push_back(Game::Played(round, 0, white, black, r));
        return *this;
    }
    Event& Score(int round, int home, int away, int homeGoals, int awayGoals) {
        m_record.games.push_back(Game::Score(round, 0, home, away, homeGoals, awayGoals));
        return *this;
    }
    Event& ByeFor(int round, int player, Bye bye) {
        m_record.games.push_back(Game::ByeFor(round, player, bye));
        return *this;
    }
    Event& Rate(std::initializer_list<int> ratings) {
        int i = 0;
        for (int r : ratings)
            m_record.players[size_t(i++)].rating = r;
        return *this;
    }
    Event& Withdraw(int player, int fromRound) {
        m_record.players[size_t(player - 1)].withdrawnFrom = fromRound;
        return *this;
    }
    Event& Deduct(int player, double points) {
        m_record.players[size_t(player - 1)].deduction = points;
        return *this;
    }

    const GameRecord& Record() const { return m_record; }

private:
    GameRecord m_record;
    int m_round = 0;
};

inline QString Name(int id) {
    return QString(QChar(u'A' + id - 1));
}

// "A 1", "B 2–3", ... best first.
inline QStringList Order(const std::vector<StandingRow>& table) {
    QStringList order;
    for (const StandingRow& row : table)
        order << Name(row.player) + u' ' + PlaceText(row);
    return order;
}

inline const StandingRow& RowOf(const std::vector<StandingRow>& table, int player) {
    for (const StandingRow& row : table) {
        if (row.player == player)
            return row;
    }
    static const StandingRow none;
    return none;
}

// Each player's value of one tie-break, players in starting order.
inline QList<double> Values(const Standings& standings, TieBreak tb, int players) {
    QList<double> values;
    for (int i = 1; i <= players; ++i)
        values << standings.Value(tb, i);
    return values;
}

} // namespace gamestest
