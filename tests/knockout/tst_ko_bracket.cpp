// The bracket's structure: round names, match counts, and the lower bracket's crossing,
// which must keep players who have met apart for as long as the structure allows.
#include "KoTestUtil.h"

#include <QTest>

#include <bit>
#include <set>
#include <utility>

using namespace ko;

namespace {

int MeetRound(int lineA, int lineB) { return std::bit_width(unsigned(lineA ^ lineB)); }

// The first lower round in which a rematch can happen, if the crossing is as good as any:
// found by searching crossing orders for each bracket size (every order that XORs match
// numbers with a fixed pattern, and thousands of random ones); none reaches later.
int BestFirstRematchRound(int upperRounds) {
    static const int best[] = {0, 0, 2, 3, 4, 5, 7};
    return best[upperRounds];
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

    // Over every size 3–64: no rematch is possible before the round where the best crossing
    // makes it unavoidable, and played-out tournaments with random results agree.
    void lowerBracketCrossingDelaysRematches() {
        std::mt19937 random(7);
        for (int n = 3; n <= 64; ++n) {
            Tournament t("T", kotest::Entrants(n), kotest::DoubleOptions());
            const int k = t.Shape().UpperRounds(), bound = BestFirstRematchRound(k);
            const int first = FirstPossibleRematch(t);
            QVERIFY2(first == 0 || first >= bound,
                     qPrintable(QStringLiteral("n=%1: rematch possible in lower round %2").arg(n).arg(first)));
            if (n == (1 << k))
                QCOMPARE(first, bound); // and the bound is met, not merely passed
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
