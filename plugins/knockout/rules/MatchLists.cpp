#include "MatchLists.h"

#include <algorithm>
#include <tuple>

namespace ko {

namespace {

using Status = MatchState::Status;

QList<int> WithStatus(const Tournament& t, bool (*keep)(const MatchState&)) {
    QList<int> matches;
    for (int m = 0; m < t.MatchCount(); ++m)
        if (keep(t.State(m)))
            matches.append(m);
    std::stable_sort(matches.begin(), matches.end(),
                     [&](int a, int b) { return BracketOrderLess(t.Shape(), a, b); });
    return matches;
}

} // namespace

bool BracketOrderLess(const BracketShape& shape, int a, int b) {
    const MatchSpec& x = shape.Match(a);
    const MatchSpec& y = shape.Match(b);
    return std::tuple(x.wave, int(x.section), x.round, x.number) <
           std::tuple(y.wave, int(y.section), y.round, y.number);
}

QList<int> NearestMatches(const Tournament& t) {
    return WithStatus(t, [](const MatchState& s) { return s.status == Status::Ready; });
}

QList<int> CurrentMatches(const Tournament& t) {
    return WithStatus(t, [](const MatchState& s) { return s.status == Status::Partial; });
}

QList<int> LastMatches(const Tournament& t) {
    QList<int> played = WithStatus(t, [](const MatchState& s) { return s.Played(); });
    // Latest wave first; within a wave the bracket's own order.
    std::stable_sort(played.begin(), played.end(), [&](int a, int b) {
        return t.Shape().Match(a).wave > t.Shape().Match(b).wave;
    });
    return played;
}

QString MatchLine(const Tournament& t, int match) {
    if (!t.ValidMatch(match))
        return {};
    const MatchState& st = t.State(match);
    QString line = t.Shape().Title(match);
    line += QStringLiteral(": ");
    line += t.SideName(st.side[0]);
    line += QStringLiteral(" — ");
    line += t.SideName(st.side[1]);
    const QString result = st.effective.Text(t.Format());
    if (!result.isEmpty()) {
        line += u' ';
        line += result;
    }
    return line;
}

} // namespace ko
