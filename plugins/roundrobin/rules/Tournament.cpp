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
    m_withdrawal = QList<Withdrawal>(m_players.size(), Withdrawal::None);
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

const std::vector<int>& Tournament::OpenInRound() const {
    if (!m_openCounted) {
        m_openInRound.assign(size_t(m_rounds) + 1, 0);
        for (const Game& g : m_games)
            m_openInRound[size_t(g.round)] += OpenAtBoard(g) ? 1 : 0;
        m_openCounted = true;
    }
    return m_openInRound;
}

bool Tournament::OpenAtBoard(const Game& g) const {
    return !g.result.IsSet() && m_withdrawal[g.white] == Withdrawal::None &&
           m_withdrawal[g.black] == Withdrawal::None;
}

void Tournament::Touch() {
    m_openCounted = false;
    Changed(true);
}

GameState Tournament::State(int game) const {
    if (!ValidGame(game))
        return GameState::Open;
    const Game& g = m_games[size_t(game)];
    const Withdrawal white = m_withdrawal[g.white], black = m_withdrawal[g.black];
    if (white == Withdrawal::Cancelled || black == Withdrawal::Cancelled)
        return GameState::Cancelled;
    if (g.result.IsSet())
        return GameState::Decided;
    if (white == Withdrawal::None && black == Withdrawal::None)
        return GameState::Open;
    // Round by round: the forfeit counts once everything else of the round has been played,
    // so that the table after round r never holds points of round r + 1.
    return OpenInRound()[size_t(g.round)] == 0 ? GameState::Decided : GameState::Awaiting;
}

Result Tournament::Effective(int game) const {
    if (State(game) != GameState::Decided)
        return {};
    const Game& g = m_games[size_t(game)];
    if (g.result.IsSet())
        return g.result;
    const bool whiteOut = m_withdrawal[g.white] != Withdrawal::None;
    const bool blackOut = m_withdrawal[g.black] != Withdrawal::None;
    if (whiteOut && blackOut)
        return Result::Of(Outcome::DoubleForfeit);
    return Result::Of(whiteOut ? Outcome::ForfeitBlack : Outcome::ForfeitWhite);
}

bool Tournament::Withdrawn(int player) const {
    return WithdrawalOf(player) != Withdrawal::None;
}

Withdrawal Tournament::WithdrawalOf(int player) const {
    return player >= 0 && player < PlayerCount() ? m_withdrawal[player] : Withdrawal::None;
}

int Tournament::GamesOf(int player) const {
    if (player < 0 || player >= PlayerCount())
        return 0;
    return (PlayerCount() - 1) * m_settings.cycles;
}

int Tournament::PlayedBy(int player) const {
    int played = 0;
    for (const Game& g : m_games)
        if ((g.white == player || g.black == player) && g.result.IsSet() && !g.result.IsForfeit())
            ++played;
    return played;
}

bool Tournament::MayCancel(int player) const {
    return player >= 0 && player < PlayerCount() && 2 * PlayedBy(player) < GamesOf(player);
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
    Touch();
    return true;
}

bool Tournament::SetWithdrawal(int player, Withdrawal withdrawal) {
    if (player < 0 || player >= PlayerCount() || m_withdrawal[player] == withdrawal)
        return false;
    if (withdrawal == Withdrawal::Cancelled && !MayCancel(player))
        return false;
    m_withdrawal[player] = withdrawal;
    Touch();
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
    for (int i = 0; i < GameCount(); ++i) {
        const GameState state = State(i);
        if (state == GameState::Open || state == GameState::Awaiting)
            open[size_t(m_games[size_t(i)].round)] = 1;
    }
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
