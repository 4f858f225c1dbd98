#include "Tournament.h"

#include <algorithm>

namespace rr {

Tournament::Tournament(const QString& name, const QList<Player>& players, const Settings& settings,
                       const DrawRecord& draw, Joins joins)
    : TournamentRecord(name), m_settings(settings), m_draw(draw),
      m_players(players.mid(0, kMaxPlayers)), m_joins(joins) {
    if (!CheckSettings(m_settings).isEmpty())
        m_settings = DefaultSettings(m_settings.kind);
    if (m_draw.entryOrder.size() != m_players.size())
        m_draw.entryOrder.clear();
    m_withdrawn = QList<bool>(m_players.size(), false);
    const std::vector<ScheduledGame> schedule =
        MakeSchedule(PlayerCount(), m_settings.cycles, m_joins);
    m_games.reserve(schedule.size());
    for (const ScheduledGame& s : schedule) {
        Game g;
        static_cast<ScheduledGame&>(g) = s;
        m_games.push_back(g);
    }
    m_rounds = RoundsPerCycle(PlayerCount()) * m_settings.cycles;
}

Result Tournament::Effective(int game) const {
    if (!ValidGame(game))
        return {};
    const Game& g = m_games[size_t(game)];
    if (g.result.IsSet())
        return g.result;
    const bool whiteOut = m_withdrawn[g.white], blackOut = m_withdrawn[g.black];
    if (whiteOut && blackOut)
        return Result::Of(Outcome::DoubleForfeit);
    if (whiteOut)
        return Result::Of(Outcome::ForfeitBlack);
    if (blackOut)
        return Result::Of(Outcome::ForfeitWhite);
    return {};
}

bool Tournament::Withdrawn(int player) const {
    return player >= 0 && player < PlayerCount() && m_withdrawn[player];
}

bool Tournament::SetResult(int game, const Result& result) {
    if (!ValidGame(game) || !ResultAllowed(m_settings.kind, result))
        return false;
    if (result.outcome == Outcome::Score && (result.home > kMaxGoals || result.away > kMaxGoals))
        return false;
    Result& stored = m_games[size_t(game)].result;
    if (stored == result)
        return false;
    stored = result;
    Changed(true);
    return true;
}

bool Tournament::SetWithdrawn(int player, bool withdrawn) {
    if (player < 0 || player >= PlayerCount() || m_withdrawn[player] == withdrawn)
        return false;
    m_withdrawn[player] = withdrawn;
    Changed(true);
    return true;
}

bool Tournament::SetSettings(const Settings& settings) {
    Settings next = settings;
    next.cycles = m_settings.cycles;
    next.kind = m_settings.kind;
    if (next == m_settings || !CheckSettings(next).isEmpty())
        return false;
    m_settings = next;
    Changed(true);
    return true;
}

int Tournament::DeductedHalves(int player) const {
    int halves = 0;
    for (const Deduction& d : m_deductions)
        halves += d.player == player ? d.halves : 0;
    return halves;
}

bool Tournament::AddDeduction(const Deduction& deduction) {
    if (deduction.player < 0 || deduction.player >= PlayerCount() || deduction.halves < 1 ||
        deduction.halves > kMaxDeduction || deduction.reason.trimmed().isEmpty())
        return false;
    Deduction d = deduction;
    d.reason = d.reason.trimmed();
    m_deductions.append(d);
    Changed(true);
    return true;
}

bool Tournament::RemoveDeduction(int index) {
    if (index < 0 || index >= m_deductions.size())
        return false;
    m_deductions.removeAt(index);
    Changed(true);
    return true;
}

int Tournament::CompletedRounds() const {
    std::vector<char> open(size_t(m_rounds) + 1, 0);
    for (int i = 0; i < GameCount(); ++i)
        if (!Effective(i).IsSet())
            open[size_t(m_games[size_t(i)].round)] = 1;
    return int(std::count(open.begin() + 1, open.end(), 0));
}

int Tournament::GamesPlayed() const {
    int played = 0;
    for (int i = 0; i < GameCount(); ++i) {
        const Result r = Effective(i);
        played += r.IsSet() && !r.IsForfeit() ? 1 : 0;
    }
    return played;
}

int Tournament::GamesDecided() const {
    int decided = 0;
    for (int i = 0; i < GameCount(); ++i)
        decided += Effective(i).IsSet() ? 1 : 0;
    return decided;
}

} // namespace rr
