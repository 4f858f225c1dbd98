#include "Tournament.h"

#include <utility>

namespace ko {

QString CheckOptions(const Options& options, int entrants) {
    if (entrants < kMinEntrants)
        return QStringLiteral("Для турнира по олимпийской системе нужно не меньше %1 участников.")
            .arg(kMinEntrants);
    if (entrants > kMaxEntrants)
        return QStringLiteral("В сетке может быть не больше %1 участников.").arg(kMaxEntrants);
    if (!ValidBestOf(options.format.bestOf))
        return QStringLiteral("Матч может состоять из 1, 3, 5 или 7 игр.");
    return {};
}

Tournament::Tournament(const QString& name, const QList<Entrant>& seeded, const Options& options,
                       const SeedingRecord& seeding, std::vector<int> lines)
    : TournamentRecord(name), m_options(options), m_seeding(seeding),
      m_entrants(seeded.mid(0, kMaxEntrants)),
      m_shape(BracketSize(int(m_entrants.size())), options.bracket) {
    if (!ValidBestOf(m_options.format.bestOf))
        m_options.format.bestOf = 1;
    if (int(lines.size()) != m_shape.Size()) {
        lines = PlaceSeeds(EntrantCount());
        if (m_options.separateClubs)
            SeparateClubs(lines, m_entrants);
    }
    m_lines = std::move(lines);
    m_stored.assign(size_t(MatchCount()), std::nullopt);
    m_states.assign(size_t(MatchCount()), MatchState{});
    m_courts = QList<QString>(MatchCount());
    m_withdrawn = QList<bool>(m_entrants.size(), false);
    Recompute(nullptr);
}

bool Tournament::Withdrawn(int entrant) const {
    return entrant >= 0 && entrant < EntrantCount() && m_withdrawn[entrant];
}

QString Tournament::SideName(const Side& side) const {
    switch (side.state) {
    case Side::State::Entrant:
        return m_entrants[side.entrant].name;
    case Side::State::Bye:
        return QStringLiteral("—");
    case Side::State::Pending:
        break;
    }
    return QStringLiteral("?");
}

Side Tournament::Resolve(const Source& source) const {
    switch (source.kind) {
    case Source::Kind::Line: {
        const int e = m_lines[size_t(source.index)];
        return e >= 0 ? Side::Of(e) : Side::Nobody();
    }
    case Source::Kind::Winner:
        return m_states[size_t(source.index)].winner;
    case Source::Kind::Loser:
        return m_states[size_t(source.index)].loser;
    }
    return {};
}

void Tournament::Recompute(QList<int>* cleared) {
    using S = MatchState::Status;
    for (int m = 0; m < MatchCount(); ++m) {
        const MatchSpec& spec = m_shape.Match(m);
        MatchState st;
        st.side[0] = Resolve(spec.side[0]);
        st.side[1] = Resolve(spec.side[1]);
        if (spec.section == Section::Reset) {
            // The reset is played only when the lower bracket's winner took the grand final;
            // it is listed with the upper winner first, as the grand final was.
            const MatchState& grand = m_states[size_t(spec.side[0].index)];
            if (grand.status == S::Decided && grand.winnerSide == 0) {
                st.side[0] = st.side[1] = Side::Nobody();
            } else if (grand.status == S::Decided && grand.winnerSide == 1) {
                st.side[0] = grand.side[0];
                st.side[1] = grand.side[1];
            } else if (grand.status != S::Decided) {
                st.side[0] = st.side[1] = Side{};
            }
        }
        auto& stored = m_stored[size_t(m)];
        const bool bothEntrants = st.side[0].IsEntrant() && st.side[1].IsEntrant();
        if (stored && (!bothEntrants || stored->entrants[0] != st.side[0].entrant ||
                       stored->entrants[1] != st.side[1].entrant)) {
            stored.reset();
            if (cleared)
                cleared->append(m);
        }
        const Side a = st.side[0], b = st.side[1];
        if (a.state == Side::State::Pending || b.state == Side::State::Pending) {
            st.status = S::Pending;
            // An empty side cannot lose to anyone: known already.
            if (a.state == Side::State::Bye || b.state == Side::State::Bye)
                st.loser = Side::Nobody();
        } else if (!a.IsEntrant() && !b.IsEntrant()) {
            st.status = S::Void;
            st.winner = st.loser = Side::Nobody();
        } else if (!bothEntrants) {
            const int real = a.IsEntrant() ? 0 : 1;
            st.status = S::Bye;
            // A withdrawn entrant goes on too: the walkover falls on the next match, where
            // there is an opponent to give it to, and a result already played there stands.
            st.winner = st.side[real];
            st.loser = Side::Nobody();
            st.winnerSide = real;
        } else {
            const bool outA = Withdrawn(a.entrant), outB = Withdrawn(b.entrant);
            const MatchResult* entered = stored ? &stored->result : nullptr;
            const bool finished = entered && !entered->Partial(m_options.format);
            if (finished) {
                st.effective = *entered;
            } else if (outA || outB) {
                st.effective = MatchResult::Walkover(outA && outB ? -1 : outA ? 1 : 0);
                st.byWithdrawal = true;
            } else if (entered) {
                st.effective = *entered;
            }
            const int w = st.effective.Winner(m_options.format);
            if (!st.effective.IsSet()) {
                st.status = S::Ready;
            } else if (st.effective.Partial(m_options.format)) {
                st.status = S::Partial;
            } else {
                st.status = S::Decided;
                st.winnerSide = w;
                if (w >= 0) {
                    st.winner = st.side[w];
                    st.loser = st.side[1 - w];
                } else {
                    // Neither came: nobody goes on, and nobody drops to a second chance.
                    st.winner = st.loser = Side::Nobody();
                }
            }
        }
        m_states[size_t(m)] = st;
    }
}

bool Tournament::CanEnter(int match) const {
    if (!ValidMatch(match))
        return false;
    const MatchState& st = State(match);
    return st.side[0].IsEntrant() && st.side[1].IsEntrant();
}

bool Tournament::SetResult(int match, const MatchResult& result, QList<int>* cleared) {
    if (cleared)
        cleared->clear();
    if (!CanEnter(match) || !result.IsSet() || !result.Check(m_options.format).isEmpty())
        return false;
    const MatchState& st = State(match);
    StoredResult entry{{st.side[0].entrant, st.side[1].entrant}, result};
    auto& stored = m_stored[size_t(match)];
    if (stored && *stored == entry)
        return false;
    stored = entry;
    Recompute(cleared);
    Changed(true);
    return true;
}

bool Tournament::ClearResult(int match, QList<int>* cleared) {
    if (cleared)
        cleared->clear();
    if (!ValidMatch(match) || !m_stored[size_t(match)])
        return false;
    m_stored[size_t(match)].reset();
    Recompute(cleared);
    Changed(true);
    return true;
}

bool Tournament::SetWithdrawn(int entrant, bool withdrawn, QList<int>* cleared) {
    if (cleared)
        cleared->clear();
    if (entrant < 0 || entrant >= EntrantCount() || m_withdrawn[entrant] == withdrawn)
        return false;
    m_withdrawn[entrant] = withdrawn;
    Recompute(cleared);
    Changed(true);
    return true;
}

QList<int> Tournament::WouldClear(int match, const MatchResult& result) const {
    Tournament copy = *this;
    QList<int> cleared;
    if (result.IsSet())
        copy.SetResult(match, result, &cleared);
    else
        copy.ClearResult(match, &cleared);
    return cleared;
}

QList<int> Tournament::WouldClearWithdrawal(int entrant, bool withdrawn) const {
    Tournament copy = *this;
    QList<int> cleared;
    copy.SetWithdrawn(entrant, withdrawn, &cleared);
    return cleared;
}

bool Tournament::SetCourt(int match, const QString& court) {
    const QString text = court.trimmed().left(20);
    if (!ValidMatch(match) || m_courts[match] == text)
        return false;
    m_courts[match] = text;
    Changed(true);
    return true;
}

bool Tournament::SetFormat(const MatchFormat& format) {
    if (format == m_options.format || !ValidBestOf(format.bestOf))
        return false;
    for (const auto& s : m_stored)
        if (s)
            return false;
    m_options.format = format;
    Recompute(nullptr);
    Changed(true);
    return true;
}

int Tournament::Champion() const {
    // The last match that was decided with a winner among the deciding ones.
    const int last = MatchCount() - 1;
    const MatchSpec& spec = m_shape.Match(last);
    int deciding = last;
    if (spec.section == Section::ThirdPlace)
        deciding = last - 1; // the final comes before the third-place match
    if (spec.section == Section::Reset && State(last).status == MatchState::Status::Void)
        deciding = last - 1;
    const MatchState& st = State(deciding);
    if (!st.winner.IsEntrant() || Withdrawn(st.winner.entrant))
        return -1; // no title for an entrant who left, even without an opponent at the end
    return st.status == MatchState::Status::Decided || st.status == MatchState::Status::Bye
               ? st.winner.entrant
               : -1;
}

bool Tournament::Finished() const {
    for (const MatchState& st : m_states)
        if (st.status == MatchState::Status::Pending || st.status == MatchState::Status::Ready ||
            st.status == MatchState::Status::Partial)
            return false;
    return true;
}

QString Tournament::Restore(std::vector<std::optional<StoredResult>> stored,
                            QList<bool> withdrawn, QList<QString> courts,
                            const TournamentInfo& info) {
    if (int(stored.size()) != MatchCount() || withdrawn.size() != m_entrants.size() ||
        courts.size() != MatchCount())
        return QStringLiteral("Данные не соответствуют размеру сетки.");
    for (int m = 0; m < MatchCount(); ++m) {
        const auto& s = stored[size_t(m)];
        if (!s)
            continue;
        const QString why = s->result.IsSet() ? s->result.Check(m_options.format)
                                              : QStringLiteral("пустой результат.");
        if (!why.isEmpty())
            return QStringLiteral("Матч «%1»: %2").arg(m_shape.Title(m), why);
    }
    m_stored = std::move(stored);
    m_withdrawn = std::move(withdrawn);
    m_courts = std::move(courts);
    RestoreInfo(info);
    // A result that does not belong to the entrants its match has would be dropped
    // silently by everything that follows: refuse it here instead.
    QList<int> dropped;
    Recompute(&dropped);
    if (!dropped.isEmpty())
        return QStringLiteral("Результат матча «%1» не соответствует участникам сетки.")
            .arg(m_shape.Title(dropped.front()));
    return {};
}

} // namespace ko
