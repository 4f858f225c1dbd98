#include "Ledger.h"

#include <algorithm>

namespace kit {

Game Game::Played(int round, int board, int white, int black, GameResult result) {
    Game g;
    g.round = round;
    g.board = board;
    g.white = white;
    g.black = black;
    g.result = result;
    return g;
}

Game Game::Score(int round, int board, int home, int away, int homeGoals, int awayGoals,
                 bool forfeit) {
    Game g = Played(round, board, home, away, GameResult::Draw);
    g.whiteGoals = homeGoals;
    g.blackGoals = awayGoals;
    if (homeGoals > awayGoals)
        g.result = forfeit ? GameResult::WhiteForfeitWin : GameResult::WhiteWin;
    else if (homeGoals < awayGoals)
        g.result = forfeit ? GameResult::BlackForfeitWin : GameResult::BlackWin;
    else if (forfeit)
        g.result = GameResult::DoubleForfeit;
    return g;
}

Game Game::Points(int round, int board, int white, int black, double whitePoints,
                  double blackPoints, bool forfeit) {
    Game g = Played(round, board, white, black, GameResult::Draw);
    g.hasPoints = true;
    g.whitePoints = whitePoints;
    g.blackPoints = blackPoints;
    if (whitePoints > blackPoints)
        g.result = forfeit ? GameResult::WhiteForfeitWin : GameResult::WhiteWin;
    else if (whitePoints < blackPoints)
        g.result = forfeit ? GameResult::BlackForfeitWin : GameResult::BlackWin;
    else if (forfeit)
        g.result = GameResult::DoubleForfeit;
    return g;
}

Game Game::ByeFor(int round, int player, Bye bye) {
    Game g;
    g.round = round;
    g.white = player;
    g.bye = bye;
    return g;
}

namespace {

Slot ByeSlot(const Game& g, const PointSystem& p) {
    Slot s;
    s.round = g.round;
    switch (g.bye) {
    case Bye::PairingAllocated:
        s.kind = Slot::Kind::PairingBye;
        s.points = p.pairingBye;
        s.share = 1;
        break;
    case Bye::Full:
        s.kind = Slot::Kind::FullBye;
        s.points = p.fullBye;
        s.share = 1;
        break;
    case Bye::Half:
        s.kind = Slot::Kind::HalfBye;
        s.points = p.halfBye;
        s.share = 0.5;
        break;
    case Bye::Zero:
    case Bye::None: // a bye of no kind gives nothing, as an absence does
        s.kind = Slot::Kind::ZeroBye;
        s.points = p.zeroBye;
        break;
    }
    s.win = s.share == 1 && s.points >= p.win;
    s.draw = s.share == 0.5;
    s.loss = s.share == 0;
    return s;
}

// One side of a game between two players. `first` is white, or the home side.
Slot GameSlot(const Game& g, bool first, const PointSystem& p) {
    Slot s;
    s.round = g.round;
    s.black = !first;
    const bool whiteWins = g.result == GameResult::WhiteWin || g.result == GameResult::WhiteForfeitWin;
    const bool blackWins = g.result == GameResult::BlackWin || g.result == GameResult::BlackForfeitWin;
    const bool won = first ? whiteWins : blackWins;
    const bool lost = first ? blackWins : whiteWins;
    if (g.IsForfeit()) {
        s.kind = won ? Slot::Kind::ForfeitWin : Slot::Kind::ForfeitLoss;
        s.points = won ? p.forfeitWin : p.forfeitLoss;
        s.share = won ? 1 : 0;
        s.win = won;
        s.loss = !won;
    } else {
        s.kind = Slot::Kind::Played;
        s.win = won;
        s.loss = lost;
        s.draw = !won && !lost;
        s.points = won ? p.win : lost ? p.loss : p.draw;
        s.share = won ? 1 : lost ? 0 : 0.5;
    }
    if (g.hasPoints)
        s.points = first ? g.whitePoints : g.blackPoints;
    if (g.HasScore()) {
        s.hasGoals = true;
        s.goalsFor = first ? g.whiteGoals : g.blackGoals;
        s.goalsAgainst = first ? g.blackGoals : g.whiteGoals;
    }
    return s;
}

} // namespace

Ledger::Ledger(const GameRecord& record) : m_record(record) {
    const int n = PlayerCount();
    m_slots.resize(static_cast<size_t>(n));
    m_points.assign(size_t(n), 0.0);
    m_pending.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        m_index.emplace(m_record.players[size_t(i)].id, i);

    m_rounds = m_record.rounds;
    if (m_rounds <= 0) {
        for (const Game& g : m_record.games) {
            if (g.IsBye() ? g.bye != Bye::None || g.result != GameResult::Pending
                          : g.result != GameResult::Pending)
                m_rounds = std::max(m_rounds, g.round);
        }
    }

    // Players of a round-by-round event who have something in a round, so that the rest of
    // that round's players can be told absent.
    std::vector<std::vector<bool>> present(size_t(n), std::vector<bool>(size_t(m_rounds) + 1));
    auto mark = [&](int index, int round) {
        if (round >= 1 && round <= m_rounds)
            present[size_t(index)][size_t(round)] = true;
    };
    for (const Game& g : m_record.games) {
        if (g.round < 1 || g.round > m_rounds)
            continue;
        const int w = IndexOf(g.white);
        if (w < 0)
            continue; // a game of someone not in the record: nothing to credit it to
        if (g.IsBye()) {
            Add(w, ByeSlot(g, m_record.points));
            mark(w, g.round);
            continue;
        }
        const int b = IndexOf(g.black);
        if (b < 0 || b == w)
            continue;
        mark(w, g.round);
        mark(b, g.round);
        if (g.result == GameResult::Pending) {
            AddPending(w, b, g.round);
            continue;
        }
        Slot white = GameSlot(g, true, m_record.points);
        white.opponent = b;
        Slot black = GameSlot(g, false, m_record.points);
        black.opponent = w;
        Add(w, white);
        Add(b, black);
    }
    // Games of later rounds are still to come: round robin's direct encounter waits for them.
    for (const Game& g : m_record.games) {
        if (g.round <= m_rounds || g.IsBye())
            continue;
        const int w = IndexOf(g.white);
        const int b = IndexOf(g.black);
        if (w >= 0 && b >= 0 && w != b)
            AddPending(w, b, g.round);
    }

    if (!m_record.allPlayAll) {
        for (int i = 0; i < n; ++i) {
            for (int r = 1; r <= m_rounds; ++r) {
                if (present[size_t(i)][size_t(r)])
                    continue;
                Slot s;
                s.kind = Slot::Kind::Absent;
                s.round = r;
                Add(i, s);
            }
        }
    }
    for (std::vector<Slot>& own : m_slots) {
        std::stable_sort(own.begin(), own.end(),
                         [](const Slot& a, const Slot& b) { return a.round < b.round; });
        m_mostSlots = std::max(m_mostSlots, int(own.size()));
    }
}

void Ledger::Add(int index, const Slot& slot) {
    m_slots[size_t(index)].push_back(slot);
    m_points[size_t(index)] += slot.points;
}

void Ledger::AddPending(int a, int b, int round) {
    // A game of a player who has withdrawn by then will not be played.
    auto gone = [&](int index) {
        const int from = PlayerAt(index).withdrawnFrom;
        return from > 0 && round >= from;
    };
    if (gone(a) || gone(b))
        return;
    m_pending[size_t(a)].push_back(b);
    m_pending[size_t(b)].push_back(a);
}

int Ledger::IndexOf(int id) const {
    const auto it = m_index.find(id);
    return it == m_index.end() ? -1 : it->second;
}

} // namespace kit
