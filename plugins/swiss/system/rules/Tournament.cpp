#include "Tournament.h"

#include "Pairing.h"

#include <algorithm>

namespace sw {

int TitleRank(const QString& title) {
    static const char* const kTitles[] = {"GM", "IM", "WGM", "FM", "WIM", "CM", "WFM", "WCM"};
    const QString t = title.trimmed().toUpper();
    for (int k = 0; k < int(std::size(kTitles)); ++k)
        if (t == QLatin1String(kTitles[k]))
            return k;
    return int(std::size(kTitles));
}

QString ForbiddenRoundsText(const ForbiddenPair& p) {
    if (p.AllRounds())
        return QStringLiteral("все туры");
    if (p.lastRound == 0)
        return QStringLiteral("с %1 тура").arg(p.firstRound);
    if (p.lastRound == p.firstRound)
        return QStringLiteral("%1 тур").arg(p.firstRound);
    return QStringLiteral("%1–%2 тур").arg(p.firstRound).arg(p.lastRound);
}

namespace {

// The rounds a pair needs the tournament to have.
int RoundsNeeded(const QList<ForbiddenPair>& pairs) {
    int needed = 0;
    for (const ForbiddenPair& p : pairs)
        needed = std::max({needed, p.firstRound, p.lastRound});
    return needed;
}

} // namespace

QList<Entrant> StartingOrder(const QList<Entrant>& entrants) {
    QList<Entrant> order = entrants;
    std::stable_sort(order.begin(), order.end(), [](const Entrant& a, const Entrant& b) {
        if (a.player.rating != b.player.rating)
            return a.player.rating > b.player.rating;
        const int ta = TitleRank(a.player.title), tb = TitleRank(b.player.title);
        if (ta != tb)
            return ta < tb;
        return a.player.name.compare(b.player.name, Qt::CaseInsensitive) < 0;
    });
    return order;
}

Tournament::Tournament(const QString& name, const QList<Entrant>& entrants,
                       const Settings& settings, const DrawRecord& draw)
    : TournamentRecord(name), m_settings(settings), m_draw(draw),
      m_entrants(entrants.mid(0, kMaxPlayers)) {
    if (!CheckSettings(m_settings).isEmpty())
        m_settings = Settings{};
    if (m_settings.firstColour == FirstColour::Random)
        m_settings.firstColour = FirstColour::White;
    if (m_draw.entryOrder.size() != m_entrants.size())
        m_draw.entryOrder.clear();
}

bool Tournament::RoundComplete(int round) const {
    if (round < 1 || round > m_paired)
        return false;
    for (const Board& b : m_boards)
        if (b.round == round && !b.Decided())
            return false;
    return true;
}

int Tournament::CompletedRounds() const {
    int complete = 0;
    for (int r = 1; r <= m_paired; ++r)
        complete += RoundComplete(r) ? 1 : 0;
    return complete;
}

bool Tournament::Active(int player, int round) const {
    if (player < 0 || player >= PlayerCount())
        return false;
    const int from = m_entrants[player].withdrawnFrom;
    return from == 0 || round < from;
}

const RoundBye* Tournament::ByeOf(int player, int round) const {
    for (const RoundBye& b : m_byes)
        if (b.player == player && b.round == round)
            return &b;
    return nullptr;
}

QString Tournament::PairNextRound() {
    if (m_paired >= m_settings.rounds)
        return QStringLiteral("Все %1 туров уже разведены.").arg(m_settings.rounds);
    if (m_paired > 0 && !RoundComplete(m_paired))
        return QStringLiteral("Сначала введите все результаты %1 тура.").arg(m_paired);
    QString error;
    const std::vector<Board> boards = PairRound(*this, &error);
    if (!error.isEmpty())
        return error;
    AppendRound(boards);
    return {};
}

void Tournament::AppendRound(const std::vector<Board>& boards) {
    const int round = m_paired + 1;
    for (Board b : boards) {
        b.round = round;
        m_boards.push_back(b);
    }
    m_paired = round;
    Changed();
}

QString Tournament::UnpairLastRound() {
    if (m_paired == 0)
        return QStringLiteral("Ни один тур ещё не разведён.");
    for (const Board& b : m_boards)
        if (b.round == m_paired && !b.IsBye() && b.result.IsSet())
            return QStringLiteral("В %1 туре уже есть результаты: удалите их, чтобы отменить "
                                  "жеребьёвку.")
                .arg(m_paired);
    m_boards.erase(std::remove_if(m_boards.begin(), m_boards.end(),
                                  [&](const Board& b) { return b.round == m_paired; }),
                   m_boards.end());
    --m_paired;
    Changed();
    return {};
}

bool Tournament::SetResult(int game, const Result& result) {
    if (!ValidGame(game) || result.outcome == Outcome::Score)
        return false;
    Result& stored = m_boards[size_t(game)].result;
    if (stored == result)
        return false;
    stored = result;
    Changed();
    return true;
}

QString Tournament::DeleteResult(int game) {
    if (!ValidGame(game))
        return {};
    const int round = m_boards[size_t(game)].round;
    if (round < m_paired)
        return QStringLiteral("Результат %1 тура удалить нельзя: уже разведён %2 тур, и его пары "
                              "составлены с этим результатом. Сначала отмените жеребьёвку %2 "
                              "тура.")
            .arg(round)
            .arg(m_paired);
    SetResult(game, Result{});
    return {};
}

bool Tournament::ForbiddenIn(int a, int b, int round) const {
    if (a > b)
        std::swap(a, b);
    return std::any_of(m_forbidden.begin(), m_forbidden.end(), [&](const ForbiddenPair& p) {
        return p.a == a && p.b == b && p.Holds(round);
    });
}

bool Tournament::SetSettings(const Settings& settings) {
    Settings next = settings;
    // A file with a pair beyond the last round would not be read back.
    next.rounds = std::max({next.rounds, m_paired, RoundsNeeded(m_forbidden)});
    if (next.firstColour == FirstColour::Random)
        next.firstColour = m_settings.firstColour;
    if (m_paired > 0) {
        next.firstColour = m_settings.firstColour;
        next.bakuAcceleration = m_settings.bakuAcceleration;
    }
    if (next == m_settings || !CheckSettings(next).isEmpty())
        return false;
    m_settings = next;
    Changed();
    return true;
}

bool Tournament::SetWithdrawnFrom(int player, int round) {
    if (player < 0 || player >= PlayerCount() || round < 0 ||
        m_entrants[player].withdrawnFrom == round)
        return false;
    m_entrants[player].withdrawnFrom = round;
    Changed();
    return true;
}

bool Tournament::SetByes(const QList<RoundBye>& byes) {
    if (byes == m_byes)
        return false;
    for (const RoundBye& b : byes)
        if (b.player < 0 || b.player >= PlayerCount() || b.round < 1)
            return false;
    m_byes = byes;
    Changed();
    return true;
}

bool Tournament::SetForbidden(const QList<ForbiddenPair>& pairs) {
    QList<ForbiddenPair> sorted;
    for (ForbiddenPair p : pairs) {
        if (p.a == p.b || p.a < 0 || p.b < 0 || p.a >= PlayerCount() || p.b >= PlayerCount())
            return false;
        if (p.firstRound < 1 || (p.lastRound != 0 && p.lastRound < p.firstRound) ||
            RoundsNeeded({p}) > TotalRounds())
            return false;
        if (p.a > p.b)
            std::swap(p.a, p.b);
        if (!sorted.contains(p))
            sorted.append(p);
    }
    if (sorted == m_forbidden)
        return false;
    m_forbidden = sorted;
    Changed();
    return true;
}

bool Tournament::SetSettingsAndForbidden(const Settings& settings,
                                         const QList<ForbiddenPair>& pairs) {
    // Pairs that fit the rounds there are now go first, so that fewer rounds are not held up
    // by the pairs they replace; otherwise the rounds they need come first.
    if (RoundsNeeded(pairs) <= TotalRounds()) {
        const bool forbidden = SetForbidden(pairs);
        return SetSettings(settings) || forbidden;
    }
    const bool changed = SetSettings(settings);
    return SetForbidden(pairs) || changed;
}

int Tournament::AddLateEntrant(const Entrant& entrant, ByeKind missed) {
    if (m_paired >= m_settings.rounds || PlayerCount() >= kMaxPlayers)
        return -1;
    // Before the first entrant StartingOrder puts after him; after everyone level with him.
    int at = PlayerCount();
    for (int i = 0; i < PlayerCount(); ++i) {
        const QList<Entrant> two = StartingOrder({m_entrants[i], entrant});
        if (!(two.front() == m_entrants[i])) {
            at = i;
            break;
        }
    }
    auto shift = [at](int& index) {
        if (index >= at)
            ++index;
    };
    for (Board& b : m_boards) {
        shift(b.white);
        if (b.black >= 0)
            shift(b.black);
    }
    for (RoundBye& b : m_byes)
        shift(b.player);
    for (ForbiddenPair& p : m_forbidden) {
        shift(p.a);
        shift(p.b);
    }
    if (!m_draw.entryOrder.isEmpty())
        m_draw.entryOrder.insert(at, int(m_entrants.size()));
    Entrant e = entrant;
    e.withdrawnFrom = 0;
    m_entrants.insert(at, e);
    for (int r = 1; r <= m_paired; ++r)
        m_byes.append({r, at, missed});
    Changed();
    return at;
}

int Tournament::GamesPlayed() const {
    return int(std::count_if(m_boards.begin(), m_boards.end(), [](const Board& b) {
        return !b.IsBye() && b.result.IsSet() && !b.result.IsForfeit();
    }));
}

int Tournament::GamesDecided() const {
    return int(std::count_if(m_boards.begin(), m_boards.end(),
                             [](const Board& b) { return !b.IsBye() && b.result.IsSet(); }));
}

} // namespace sw
