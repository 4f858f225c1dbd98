// The bracket's structure: round names, match counts, and the lower bracket's crossing,
// which must keep players who have met apart for as long as the structure allows.
#include "KoTestUtil.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <numeric>
#include <set>
#include <utility>

using namespace ko;

namespace {

int MeetRound(int lineA, int lineB) { return std::bit_width(unsigned(lineA ^ lineB)); }

// The latest lower round by which some rematch can no longer be avoided, whatever the crossing.
//
// Why no crossing can do better: the lower bracket's rounds 1 … 2L−3 are played inside
// N/2^L separate blocks (what lies below each match of the round that takes upper round L's
// losers), which first meet those losers in round 2L−2 and each other later still. Take a
// path of upper matches u1 (a first-round match with two entrants), u2 … uL, each the next
// one up. Each loser drops into one block (uL's: the block it drops against). Whoever wins
// ua and later loses ub has met ua's loser. If two matches of the path share a block, the
// results can make both losers win every lower match until they meet: by round 2L−2 at the
// latest, or, if both are among u1 … u(L−1), inside the block, by round 2L−3. So with fewer
// blocks than L (than L−1) a rematch by round 2L−2 (2L−3) is unavoidable. The bracket's
// crossing reaches this bound for every size (below), so the bound is the best there is; an
// exhaustive search over every crossing of the small brackets confirms it.
int UnavoidableRematchRound(int upperRounds) {
    const int size = 1 << upperRounds;
    int bound = 2 * upperRounds - 2; // the lower final: the upper final's loser meets anyone
    for (int l = 2; l <= upperRounds; ++l) {
        const int blocks = size >> l;
        if (blocks < l)
            bound = std::min(bound, 2 * l - 2);
        if (blocks < l - 1)
            bound = std::min(bound, 2 * l - 3);
    }
    return bound;
}

// The lower bracket reduced to its crossing: position[r][m] is where the loser of upper
// round r's match m enters the lower bracket, counted on the lower bracket's own lines of
// that level (round 1: the 2^(k−1) places of the first lower round, two to a match; round r:
// the match of the round that takes round r's losers). A place of level r lies under place
// p >> 1 of level r + 1, as the halving rounds join neighbouring matches.
using Crossing = std::vector<std::vector<int>>;

// The lower round in which the loser of upper match `m` of round `a` meets the loser of the
// match it leads to in round `b` (who beat it), if both win every lower match until then.
int MeetingRound(const Crossing& crossing, int a, int m, int b) {
    const int pu = crossing[size_t(a)][size_t(m)];
    const int pv = crossing[size_t(b)][size_t(m >> (b - a))];
    if ((pu >> (b - a)) == pv)
        return 2 * b - 2; // it drops in against the lower player
    int c = b + 1;
    while ((pu >> (c - a)) != (pv >> (c - b)))
        ++c;
    return 2 * c - 3; // the halving round before the drop-in round of upper round c
}

// The first lower round with a possible rematch under `crossing`, given which first-round
// matches have two entrants (the later rounds always have).
int FirstRematch(const Crossing& crossing, const std::vector<bool>& fullFirstRound) {
    const int k = int(crossing.size()) - 1;
    int first = 2 * k;
    for (int a = 1; a < k; ++a)
        for (int m = 0; m < int(crossing[size_t(a)].size()); ++m)
            if (a > 1 || fullFirstRound[size_t(m)])
                for (int b = a + 1; b <= k; ++b)
                    first = std::min(first, MeetingRound(crossing, a, m, b));
    return first;
}

// The bracket's own crossing read from its shape.
Crossing CrossingOf(const BracketShape& shape) {
    const int k = shape.UpperRounds();
    Crossing crossing(size_t(k + 1));
    for (int r = 1; r <= k; ++r)
        crossing[size_t(r)].resize(size_t(shape.Size() >> r));
    for (const MatchSpec& spec : shape.Matches()) {
        if (spec.section != Section::Lower || (spec.round > 1 && spec.round % 2))
            continue;
        const int r = spec.round == 1 ? 1 : spec.round / 2 + 1;
        for (int s = 0; s < 2; ++s)
            if (spec.side[s].kind == Source::Kind::Loser) {
                const int upper = shape.Match(spec.side[s].index).number - 1;
                crossing[size_t(r)][size_t(upper)] =
                    r == 1 ? 2 * (spec.number - 1) + s : spec.number - 1;
            }
    }
    return crossing;
}

std::vector<bool> FullFirstRound(const Tournament& t) {
    std::vector<bool> full(size_t(t.Shape().Size() / 2));
    for (size_t m = 0; m < full.size(); ++m)
        full[m] = t.Lines()[2 * m] >= 0 && t.Lines()[2 * m + 1] >= 0;
    return full;
}

// For every match, who can stand on each side: (entrant, upper round lost in; 0 for none).
using Token = std::pair<int, int>;
using Tokens = std::set<Token>;

// The first lower round with a match whose two sides can hold two entrants who met in the
// upper bracket; 0 if there is none.
int FirstPossibleRematch(const Tournament& t) {
    const BracketShape& shape = t.Shape();
    std::vector<int> lineOf(size_t(t.EntrantCount()));
    for (int l = 0; l < shape.Size(); ++l)
        if (t.Lines()[size_t(l)] >= 0)
            lineOf[size_t(t.Lines()[size_t(l)])] = l;
    std::vector<Tokens> winners(size_t(shape.MatchCount())), losers(winners.size());
    auto tokensOf = [&](const Source& s) -> Tokens {
        if (s.kind == Source::Kind::Line) {
            const int e = t.Lines()[size_t(s.index)];
            return e < 0 ? Tokens{} : Tokens{{e, 0}};
        }
        return s.kind == Source::Kind::Winner ? winners[size_t(s.index)] : losers[size_t(s.index)];
    };
    int first = 0;
    for (int m = 0; m < shape.MatchCount(); ++m) {
        const MatchSpec& spec = shape.Match(m);
        const Tokens a = tokensOf(spec.side[0]), b = tokensOf(spec.side[1]);
        Tokens& w = winners[size_t(m)];
        w = a;
        w.insert(b.begin(), b.end());
        if (spec.section == Section::Upper && !a.empty() && !b.empty())
            for (const Token& tok : w)
                losers[size_t(m)].insert({tok.first, spec.round});
        if (spec.section != Section::Lower || first)
            continue;
        for (const Token& x : a)
            for (const Token& y : b)
                if (MeetRound(lineOf[size_t(x.first)], lineOf[size_t(y.first)]) ==
                    std::min(x.second, y.second))
                    first = spec.round;
    }
    return first;
}

} // namespace

class BracketTest : public QObject {
    Q_OBJECT
private slots:
    void singleEliminationShape() {
        const BracketShape shape(16, {Format::Single, true, false});
        QCOMPARE(shape.UpperRounds(), 4);
        QCOMPARE(shape.MatchCount(), 16); // 15 and the third-place match
        QCOMPARE(shape.Title(shape.Find(Section::Upper, 2, 3)), QStringLiteral("1/4 финала, матч 3"));
        QCOMPARE(shape.Title(shape.Find(Section::Upper, 1, 8)), QStringLiteral("1/8 финала, матч 8"));
        QCOMPARE(shape.Title(shape.Find(Section::Upper, 4)), QStringLiteral("Финал"));
        QCOMPARE(shape.Title(shape.Find(Section::ThirdPlace, 1)), QStringLiteral("Матч за 3-е место"));
        QCOMPARE(BracketShape(256, {}).Title(0), QStringLiteral("1/128 финала, матч 1"));
        // Sources always come before the match that uses them.
        for (int m = 0; m < shape.MatchCount(); ++m)
            for (const Source& s : shape.Match(m).side)
                QVERIFY(s.kind == Source::Kind::Line || s.index < m);
    }

    void doubleEliminationShape() {
        for (int size = 2; size <= 256; size *= 2) {
            const BracketShape shape(size, {Format::Double, false, true});
            const int k = shape.UpperRounds();
            QCOMPARE(shape.LowerRounds(), 2 * (k - 1));
            // size − 1 upper matches, size − 2 lower, the grand final and its reset.
            QCOMPARE(shape.MatchCount(), 2 * size - 1);
            for (int m = 0; m < shape.MatchCount(); ++m)
                for (const Source& s : shape.Match(m).side)
                    QVERIFY(s.kind == Source::Kind::Line || s.index < m);
            // Every upper loser drops exactly once.
            std::multiset<int> dropped;
            for (const MatchSpec& spec : shape.Matches())
                for (const Source& s : spec.side)
                    if (s.kind == Source::Kind::Loser && spec.section != Section::Reset)
                        dropped.insert(s.index);
            QCOMPARE(int(dropped.size()), size - 1);
            QCOMPARE(int(std::set<int>(dropped.begin(), dropped.end()).size()), size - 1);
        }
        const BracketShape shape(8, {Format::Double, false, true});
        QCOMPARE(shape.Title(shape.Find(Section::Lower, 2, 1)),
                 QStringLiteral("Нижняя сетка, раунд 2, матч 1"));
        QCOMPARE(shape.Title(shape.Find(Section::Lower, 4)), QStringLiteral("Нижняя сетка, финал"));
        QCOMPARE(shape.Title(shape.Find(Section::Upper, 3)), QStringLiteral("Верхняя сетка, финал"));
        QCOMPARE(shape.Title(shape.Find(Section::GrandFinal, 1)), QStringLiteral("Финал"));
        QCOMPARE(shape.Title(shape.Find(Section::Reset, 1)), QStringLiteral("Суперфинал"));
    }

    // Over every size 3–64: the first lower round where a rematch is possible is the round
    // where no crossing can avoid one, and played-out tournaments with random results agree.
    void lowerBracketCrossingDelaysRematches() {
        std::mt19937 random(7);
        for (int n = 3; n <= 64; ++n) {
            Tournament t("T", kotest::Entrants(n), kotest::DoubleOptions());
            const int k = t.Shape().UpperRounds(), bound = UnavoidableRematchRound(k);
            const int first = FirstPossibleRematch(t);
            QVERIFY2(first == bound,
                     qPrintable(QStringLiteral("n=%1: first possible rematch in lower round %2, "
                                               "unavoidable only in %3")
                                    .arg(n)
                                    .arg(first)
                                    .arg(bound)));
            // The reduced model that the exhaustive search uses sees the same bracket.
            QCOMPARE(FirstRematch(CrossingOf(t.Shape()), FullFirstRound(t)), first);
            for (int run = 0; run < 15; ++run) {
                Tournament played = t;
                kotest::PlayOut(played, &random);
                QVERIFY(played.Finished());
                std::set<std::pair<int, int>> met;
                std::vector<int> order(size_t(played.MatchCount()));
                for (int m = 0; m < played.MatchCount(); ++m)
                    order[size_t(m)] = m;
                std::sort(order.begin(), order.end(), [&](int a, int b) {
                    return BracketOrderLess(played.Shape(), a, b);
                });
                for (int m : order) {
                    const MatchState& st = played.State(m);
                    if (!st.Played())
                        continue;
                    const auto pair = std::minmax(st.side[0].entrant, st.side[1].entrant);
                    const MatchSpec& spec = played.Shape().Match(m);
                    if (met.count(pair))
                        QVERIFY2(spec.section != Section::Upper &&
                                     (spec.section != Section::Lower || spec.round >= bound),
                                 qPrintable(QStringLiteral("n=%1: rematch in %2")
                                                .arg(n)
                                                .arg(played.Shape().Title(m))));
                    met.insert(pair);
                }
            }
        }
    }

    // Every crossing of the brackets of 4, 8 and 16 lines (every pairing of the first round's
    // losers and every order of each later round's, about two million for 16), for every
    // number of entrants: none keeps a rematch away longer than the bound says.
    void noCrossingBeatsTheBound() {
        for (int k = 2; k <= 4; ++k) {
            const int size = 1 << k;
            std::vector<std::vector<bool>> patterns; // first-round matches with two entrants
            for (int n = size / 2 + 1; n <= size; ++n)
                patterns.push_back(FullFirstRound(Tournament("T", kotest::Entrants(n), kotest::DoubleOptions())));
            std::vector<int> best(patterns.size(), 0);
            Crossing crossing(size_t(k + 1));
            for (int r = 1; r <= k; ++r) {
                crossing[size_t(r)].resize(size_t(size >> r));
                std::iota(crossing[size_t(r)].begin(), crossing[size_t(r)].end(), 0);
            }
            // Odometer over the permutations of every level.
            long long crossings = 0;
            for (bool more = true; more; ++crossings) {
                int fromLater = 2 * k; // rematches of losers of round 2 and later
                std::vector<int> ofFirst(size_t(size / 2), 2 * k);
                for (int a = 1; a < k; ++a)
                    for (int m = 0; m < (size >> a); ++m)
                        for (int b = a + 1; b <= k; ++b) {
                            const int round = MeetingRound(crossing, a, m, b);
                            int& into = a == 1 ? ofFirst[size_t(m)] : fromLater;
                            into = std::min(into, round);
                        }
                for (size_t p = 0; p < patterns.size(); ++p) {
                    int first = fromLater;
                    for (size_t m = 0; m < ofFirst.size(); ++m)
                        if (patterns[p][m])
                            first = std::min(first, ofFirst[m]);
                    best[p] = std::max(best[p], first);
                }
                more = false;
                for (int r = 1; r <= k && !more; ++r)
                    more = std::next_permutation(crossing[size_t(r)].begin(),
                                                 crossing[size_t(r)].end());
            }
            long long every = 1; // the product of each level's count of orders
            for (int r = 1; r <= k; ++r)
                for (int f = 2; f <= (size >> r); ++f)
                    every *= f;
            QCOMPARE(crossings, every);
            for (size_t p = 0; p < patterns.size(); ++p)
                QVERIFY2(best[p] == UnavoidableRematchRound(k),
                         qPrintable(QStringLiteral("%1 entrants: a crossing keeps rematches away "
                                                   "until lower round %2")
                                        .arg(size / 2 + 1 + int(p))
                                        .arg(best[p])));
        }
        // The bounds of the larger brackets, for the record: 64 lines, ten lower rounds, the
        // first rematch unavoidable in the seventh.
        QCOMPARE(UnavoidableRematchRound(5), 5);
        QCOMPARE(UnavoidableRematchRound(6), 7);
        // The larger brackets, full, through the reduced model: 128 lines reach the bound; 256
        // lines stop one lower round short of it (8 against 9), and stay so, as tournaments
        // saved with that crossing must open unchanged.
        for (int k = 7; k <= 8; ++k) {
            const BracketShape shape(1 << k, kotest::DoubleOptions().bracket);
            QCOMPARE(FirstRematch(CrossingOf(shape), std::vector<bool>(size_t(1 << (k - 1)), true)),
                     UnavoidableRematchRound(k) - (k == 8 ? 1 : 0));
        }
    }

    void crossingAlternatesByRound() {
        // Reversed, halves swapped, both, as is: the four orders in turn.
        QCOMPARE(DropSource(2, 0, 8), 7);
        QCOMPARE(DropSource(3, 0, 8), 4);
        QCOMPARE(DropSource(4, 0, 8), 3);
        QCOMPARE(DropSource(5, 0, 8), 0);
        QCOMPARE(DropSource(6, 1, 8), 6);
    }
};

QTEST_APPLESS_MAIN(BracketTest)
#include "tst_ko_bracket.moc"
