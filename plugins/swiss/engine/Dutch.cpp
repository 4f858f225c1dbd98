// The Dutch system as a sequence of weighted matchings, one bracket at a time.
//
// For a bracket, every quality criterion (pairs, score differences, the next bracket, colours,
// floats) is a field of one exact integer edge weight, the most important field highest, so a
// maximum weight matching is a best candidate. Among the best candidates the rules take the
// one generated first (MDP exchange, MDP transposition, remainder exchange, remainder
// transposition); that one is found by fixing pairs in generation order and asking the
// matching whether the best value can still be reached.
#include "Dutch.h"

#include "MaxWeightMatching.h"
#include "WarmMatching.h"
#include "WideInt.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
#include <cstdio>

namespace velmora::swiss {

namespace {

enum class Pref : unsigned char { None = 0, Mild = 1, Strong = 2, Absolute = 3 };

struct PState {
    int id = 0;
    int score = 0;     // pairing score in tenths (with acceleration)
    int realScore = 0; // points actually scored
    std::vector<Colour> colours; // colours of played games, oldest first
    int cd = 0;
    Pref strength = Pref::None;
    Colour pref = Colour::None;
    bool df1 = false, uf1 = false, df2 = false, uf2 = false;
    bool pabOk = true;
    int played = 0; // games played so far
    bool topscorer = false;
    int rank = 0; // position in the order of score and pairing number
    int pairingNo = 0; // E.5: position by starting number among the players paired this round
};

struct Ctx {
    std::vector<PState> ps; // participants of the round
    std::set<std::pair<int, int>> met; // by index into ps, smaller first
    Colour initial = Colour::White;
    bool anyTopscorer = false;

    bool compatible(int a, int b) const {
        if (a == b)
            return false;
        if (met.count({std::min(a, b), std::max(a, b)}))
            return false;
        const PState& x = ps[a];
        const PState& y = ps[b];
        if (x.strength == Pref::Absolute && y.strength == Pref::Absolute && x.pref == y.pref &&
            !x.topscorer && !y.topscorer)
            return false;
        return true;
    }

    // E.1-E.5: true when `a` gets white.
    bool whiteFor(int a, int b) const {
        const PState& x = ps[a];
        const PState& y = ps[b];
        const bool xHigher = x.rank < y.rank;
        if (x.pref != Colour::None && y.pref != Colour::None && x.pref != y.pref)
            return x.pref == Colour::White;
        if (x.pref != Colour::None && y.pref == Colour::None)
            return x.pref == Colour::White;
        if (y.pref != Colour::None && x.pref == Colour::None)
            return y.pref == Colour::Black;
        if (x.pref != Colour::None) { // same preference for both
            if (x.strength != y.strength)
                return (x.strength > y.strength) == (x.pref == Colour::White);
            if (x.strength == Pref::Absolute && std::abs(x.cd) != std::abs(y.cd))
                return (std::abs(x.cd) > std::abs(y.cd)) == (x.pref == Colour::White);
        }
        // E.3: alternate to the most recent round in which their colours differed.
        for (size_t i = 1; i <= x.colours.size() && i <= y.colours.size(); ++i) {
            const Colour cx = x.colours[x.colours.size() - i];
            const Colour cy = y.colours[y.colours.size() - i];
            if (cx != cy)
                return cx == Colour::Black;
        }
        // E.4: the higher ranked player's preference.
        const PState& hi = xHigher ? x : y;
        if (hi.pref != Colour::None)
            return (hi.pref == Colour::White) == xHigher;
        // E.5
        const Colour hiColour = (hi.pairingNo % 2 == 1) ? initial : opposite(initial);
        return (hiColour == Colour::White) == xHigher;
    }

    struct ColourCounts {
        int c8 = 0, c9 = 0, c10 = 0, c11 = 0;
    };
    ColourCounts colourCounts(int a, int b) const {
        ColourCounts r;
        const bool aw = whiteFor(a, b);
        const PState* xs[2] = {&ps[a], &ps[b]};
        const Colour cs[2] = {aw ? Colour::White : Colour::Black, aw ? Colour::Black : Colour::White};
        const bool top = xs[0]->topscorer || xs[1]->topscorer;
        for (int i = 0; i < 2; ++i) {
            const PState& x = *xs[i];
            const Colour c = cs[i];
            if (x.strength != Pref::None && x.pref != c) {
                ++r.c10;
                if (x.strength >= Pref::Strong)
                    ++r.c11;
            }
            if (top) {
                const int ncd = x.cd + (c == Colour::White ? 1 : -1);
                if (ncd > 2 || ncd < -2)
                    ++r.c8;
                const size_t n = x.colours.size();
                if (n >= 2 && x.colours[n - 1] == c && x.colours[n - 2] == c)
                    ++r.c9;
            }
        }
        return r;
    }
};

// Pairs the players not yet taken, each with the first new opponent below him, and returns how
// many are left over. A cheap yes to "can they all be paired?": when it leaves no one over
// (or one, where one may float or take the bye), no matching needs to be asked.
int pairGreedily(const Ctx& ctx, const std::vector<int>& players, std::vector<char>& taken) {
    int left = 0;
    for (size_t a = 0; a < players.size(); ++a) {
        if (taken[a])
            continue;
        size_t b = a + 1;
        while (b < players.size() && (taken[b] || !ctx.compatible(players[a], players[b])))
            ++b;
        if (b < players.size())
            taken[a] = taken[b] = 1;
        else
            ++left;
    }
    return left;
}

enum class Role : unsigned char { Mdp, Res, Next, Lower, Bye };

struct BracketInput {
    std::vector<int> mdps;      // participant indices, in rank order
    std::vector<int> residents; // in rank order
    std::vector<int> extra;     // next bracket (C.7) or all lower players (completion)
    bool completion = false;    // every vertex must be matched (with a bye vertex if odd)
    bool c7 = false;            // extra is the next bracket
};

struct BracketOutput {
    bool ok = false;
    std::vector<std::pair<int, int>> pairs; // participant indices
    std::vector<int> downfloaters;          // unpaired bracket players, rank order
    int bye = -1;                           // participant given the pairing-allocated bye
};

// One field of the edge weight.
struct Field {
    std::int64_t maxAbs = 1; // largest |value| on one edge
};

constexpr int kByeVertex = -1;
// Games played that still tell bye candidates apart (far beyond any Swiss).
constexpr int kMostGames = 1000;
// From this many vertices on, a bracket's matchings start from the solution before them.
constexpr int kWarmFrom = 100;

class BracketPairer {
public:
    BracketPairer(const Ctx& ctx, const BracketInput& in) : ctx_(ctx), in_(in) {
        for (int i : in.mdps)
            add(i, Role::Mdp);
        for (int i : in.residents)
            add(i, Role::Res);
        for (int i : in.extra)
            add(i, in.c7 ? Role::Next : Role::Lower);
        if (in.completion && verts_.size() % 2 == 1)
            add(kByeVertex, Role::Bye);
        mdpIndex_.assign(verts_.size(), -1);
        for (size_t k = 0; k < in.mdps.size(); ++k)
            mdpIndex_[k] = int(k);
        bsn_.assign(verts_.size(), 0);
        for (size_t v = 0; v < in.mdps.size() + in.residents.size(); ++v)
            bsn_[v] = int(v) + 1;
        nBracket_ = int(in.mdps.size() + in.residents.size());
        int minB = 1 << 30;
        for (int v = 0; v < nBracket_; ++v)
            minB = std::min(minB, score(v));
        artificial_ = minB - 10;
        if (in.c7 && !in.extra.empty()) {
            int minN = 1 << 30;
            for (int i : in.extra)
                minN = std::min(minN, ctx.ps[i].score);
            artificialNext_ = minN - 10;
        }
        buildLevels();
    }

    BracketOutput run();

private:
    int score(int v) const { return verts_[v] >= 0 ? ctx_.ps[verts_[v]].score : -(1 << 29); }
    bool inBracket(int v) const { return v < nBracket_; }
    // With partner m in the remainder: an original S1 player stays in S1 unless paired with a
    // lower BSN of S1; an original S2 player moves up when paired with a higher BSN of S2.
    bool stays(int v, int m) const { return !s1r_[m] || bsn_[m] > bsn_[v]; }
    bool movesUp(int v, int m) const { return !s1r_[m] && bsn_[m] > bsn_[v]; }
    void add(int idx, Role r) {
        verts_.push_back(idx);
        roles_.push_back(r);
    }

    void buildLevels() {
        std::set<int> lv, scores;
        for (int v = 0; v < nBracket_; ++v) {
            lv.insert(score(v) - artificial_);
            scores.insert(score(v));
        }
        for (int x : scores)
            for (int y : scores)
                lv.insert(std::abs(x - y));
        lv.erase(0);
        levels_.assign(lv.rbegin(), lv.rend());
        if (in_.c7 && !in_.extra.empty()) {
            std::set<int> ln;
            for (int v = 0; v < int(verts_.size()); ++v) {
                if (roles_[v] == Role::Bye)
                    continue;
                ln.insert(score(v) - artificialNext_);
                if (inBracket(v))
                    ln.insert(score(v) - ctx_.ps[in_.extra[0]].score);
            }
            ln.erase(0);
            nextLevels_.assign(ln.rbegin(), ln.rend());
        }
    }

    int levelOf(int d) const {
        for (size_t i = 0; i < levels_.size(); ++i)
            if (levels_[i] == d)
                return int(i);
        return -1;
    }
    int nextLevelOf(int d) const {
        for (size_t i = 0; i < nextLevels_.size(); ++i)
            if (nextLevels_[i] == d)
                return int(i);
        return -1;
    }

    bool edgeAllowed(int a, int b) const {
        const Role ra = roles_[a], rb = roles_[b];
        if (phase_ >= 3 && (fixedOut_[a] || fixedOut_[b]))
            return false;
        if (ra == Role::Bye || rb == Role::Bye) {
            const int p = ra == Role::Bye ? b : a;
            return ctx_.ps[verts_[p]].pabOk;
        }
        if (ra == Role::Mdp && rb == Role::Mdp)
            return false; // moved-down players are paired with residents only
        if (phase_ >= 3) {
            if (fixedOut_[a] || fixedOut_[b])
                return false;
            // Players in the Limbo float on; they cannot be paired in this bracket.
            if ((ra == Role::Mdp && inBracket(b)) || (rb == Role::Mdp && inBracket(a)))
                return false;
            if (phase_ == 4 && inBracket(a) && inBracket(b) && side_[a] == side_[b])
                return false;
        }
        if ((ra == Role::Next || ra == Role::Lower) && (rb == Role::Next || rb == Role::Lower) && in_.c7 == false &&
            !in_.completion)
            return false;
        return ctx_.compatible(verts_[a], verts_[b]);
    }

    // Field values of edge (a, b), most significant first.
    void fields(int a, int b, std::vector<std::int64_t>& f, bool fixedOnly = false) const;
    void findUnusedFields();
    void lowerFields(int a, int b, std::vector<std::int64_t>& f) const;
    // Where a field sits: above everything, in the block of D.2, among the transposition
    // fields, or among D.2 c and d's window fields, from the top down.
    enum class Group : unsigned char { Upper, Exchange, Order, Window };
    struct FieldSpec {
        std::int64_t maxAbs = 1; // largest |value| on one edge
        bool single = false;     // at most one edge of a matching has a value here
        Group group = Group::Upper;
    };
    std::vector<FieldSpec> fieldBounds() const;
    int fieldWidth(size_t i, const FieldSpec& spec) const;

    template <int W>
    BracketOutput runT();
    bool firstCandidateIdeal(BracketOutput& out) const;
    bool greedyPairsAll() const {
        std::vector<char> taken(nBracket_, 0);
        return pairGreedily(ctx_, std::vector<int>(verts_.begin(), verts_.begin() + nBracket_), taken) <= 1;
    }

    const Ctx& ctx_;
    const BracketInput& in_;
    std::vector<int> verts_;
    std::vector<Role> roles_;
    std::vector<int> mdpIndex_;
    std::vector<int> bsn_;
    int nBracket_ = 0;
    int artificial_ = 0;
    int artificialNext_ = 0;
    std::vector<int> levels_, nextLevels_;
    int phase_ = 1;
    std::vector<char> fixedOut_; // vertices already paired with an MDP (phase 3 on)
    std::vector<char> side_;     // phase 4: 1 for S1 of the remainder, 2 for S2
    std::vector<int> s1r_;       // phase 3: 1 when in the original S1 of the remainder
    // Phases 2 and 4 rank candidates in transposition order (D.1): the S1 players of the
    // current window weigh their partner's place in S2, the first of them most.
    std::vector<int> lexS1Pos_; // position in the window, or -1
    std::vector<int> lexS2Idx_; // place in S2, or -1
    int lexK_ = 0;
    // Phase 3 settles D.2 c and d the same way, one window of the remainder at a time: original
    // S1 by falling BSN (is he moved to S2?), then original S2 by rising BSN (moved to S1?).
    // A window's answers are kept as pins, which later solves must honour.
    // Moved down means not staying, paired lower in S1 or not paired at all: the pins say no
    // more than the exchange does, so that the transposition is still free.
    enum class Pin : unsigned char { None, Stays, MovesDown, MovesUp, StaysDown };
    std::vector<int> exPos_; // position in the current window, or -1
    std::vector<Pin> pin_;
    int exK_ = 0;
    int lexS2Size_ = 0;
    int lexBits_ = 150; // room for the transposition fields
    int exBits_ = 48;   // room for D.2 c and d's window fields
    std::vector<char> unused_; // per field that never changes: no edge sets it
    std::vector<std::int64_t> reach_; // per such field: a bound on its sum over a matching
};

std::vector<BracketPairer::FieldSpec> BracketPairer::fieldBounds() const {
    std::vector<FieldSpec> b;
    auto add = [&](std::int64_t m, int times = 1) {
        for (int i = 0; i < times; ++i)
            b.push_back({m, false});
    };
    const int L = int(levels_.size());
    if (in_.completion)
        add(1);
    add(1);    // C.5
    add(2, L); // C.6
    if (in_.c7 && !in_.extra.empty()) {
        add(1);
        add(2, int(nextLevels_.size()));
    }
    if (ctx_.anyTopscorer)
        add(2, 2); // C.8, C.9
    add(2, 2);     // C.10, C.11
    add(2, 4);     // C.12-C.15
    add(2, 4 * L); // C.16-C.19
    if (in_.completion)
        b.push_back({kMostGames + 1, true}); // the bye to a player with more games
    if (!in_.mdps.empty()) {
        const int m = int(in_.mdps.size());
        // D.3: the sum over a matching stays below 2^m.
        b.push_back({m >= 62 ? std::int64_t(1) << 62 : (std::int64_t(1) << m), true});
    }
    b.push_back({1, false, Group::Exchange});                 // D.2.a
    b.push_back({2 * nBracket_ + 4, false, Group::Exchange}); // D.2.b
    b.push_back({2, false, Group::Exchange});                 // pins of D.2 c and d
    if ((phase_ == 2 || phase_ == 4) && lexK_ > 0)
        for (int i = 0; i < lexK_; ++i)
            b.push_back({lexS2Size_ + 1, true, Group::Order});
    if (phase_ == 3)
        for (int i = 0; i < exK_; ++i)
            b.push_back({1, true, Group::Window});
    return b;
}

void BracketPairer::fields(int a, int b, std::vector<std::int64_t>& f, bool fixedOnly) const {
    f.clear();
    const bool inA = inBracket(a), inB = inBracket(b);
    const bool both = inA && inB;
    if (in_.completion)
        f.push_back(1);
    f.push_back(both ? 1 : 0);
    const int sa = score(a), sb = score(b);
    const int hi = sa >= sb ? a : b, lo = sa >= sb ? b : a;
    const int diff = std::abs(sa - sb);
    // C.6: downfloater SDs are given up, the pair's SD is taken.
    {
        std::vector<std::int64_t> lv(levels_.size(), 0);
        if (both) {
            lv[levelOf(sa - artificial_)] += 1;
            lv[levelOf(sb - artificial_)] += 1;
            if (diff > 0)
                lv[levelOf(diff)] -= 1;
        }
        f.insert(f.end(), lv.begin(), lv.end());
    }
    if (in_.c7 && !in_.extra.empty()) {
        const bool nextPair = !both && roles_[a] != Role::Bye && roles_[b] != Role::Bye;
        f.push_back(nextPair ? 1 : 0);
        std::vector<std::int64_t> lv(nextLevels_.size(), 0);
        if (roles_[a] != Role::Bye && roles_[b] != Role::Bye) {
            int la = nextLevelOf(sa - artificialNext_), lb = nextLevelOf(sb - artificialNext_);
            if (la >= 0)
                lv[la] += 1;
            if (lb >= 0)
                lv[lb] += 1;
            if (!both && diff > 0) {
                const int l = nextLevelOf(diff);
                if (l >= 0)
                    lv[l] -= 1;
            }
        }
        f.insert(f.end(), lv.begin(), lv.end());
    }
    Ctx::ColourCounts cc;
    if (both)
        cc = ctx_.colourCounts(verts_[a], verts_[b]);
    if (ctx_.anyTopscorer) {
        f.push_back(both ? 2 - cc.c8 : 0);
        f.push_back(both ? 2 - cc.c9 : 0);
    }
    f.push_back(both ? 2 - cc.c10 : 0);
    f.push_back(both ? 2 - cc.c11 : 0);
    const PState* pa = verts_[a] >= 0 ? &ctx_.ps[verts_[a]] : nullptr;
    const PState* pb = verts_[b] >= 0 ? &ctx_.ps[verts_[b]] : nullptr;
    const PState* phi = hi == a ? pa : pb;
    const PState* plo = hi == a ? pb : pa;
    (void)lo;
    auto dfCount = [&](bool PState::*flag) -> std::int64_t {
        if (!both)
            return 0;
        std::int64_t v = (pa->*flag ? 1 : 0) + (pb->*flag ? 1 : 0);
        if (diff > 0 && phi->*flag)
            v -= 1;
        return v;
    };
    auto ufCount = [&](bool PState::*flag) -> std::int64_t {
        if (!both)
            return 0;
        return (diff > 0 && plo->*flag) ? 1 : 2;
    };
    f.push_back(dfCount(&PState::df1));
    f.push_back(ufCount(&PState::uf1));
    f.push_back(dfCount(&PState::df2));
    f.push_back(ufCount(&PState::uf2));
    auto dfLevels = [&](bool PState::*flag) {
        std::vector<std::int64_t> lv(levels_.size(), 0);
        if (both) {
            for (int v : {a, b}) {
                const PState* p = v == a ? pa : pb;
                if (!(p->*flag))
                    continue;
                lv[levelOf(score(v) - artificial_)] += 1;
                if (diff > 0 && v == hi)
                    lv[levelOf(diff)] -= 1;
            }
        }
        f.insert(f.end(), lv.begin(), lv.end());
    };
    auto ufLevels = [&](bool PState::*flag) {
        std::vector<std::int64_t> lv(levels_.size(), 0);
        if (both && diff > 0 && plo->*flag)
            lv[levelOf(diff)] -= 1;
        f.insert(f.end(), lv.begin(), lv.end());
    };
    dfLevels(&PState::df1);
    ufLevels(&PState::uf1);
    dfLevels(&PState::df2);
    ufLevels(&PState::uf2);
    // Among players the criteria above leave equal, the pairing bye goes to one who has played
    // more games: those with fewer are no longer its candidates (the 2025 text's change to the
    // bye), so a forfeit loss or a round sat out keeps a player from it.
    if (in_.completion) {
        std::int64_t v = 0;
        if (roles_[a] == Role::Bye || roles_[b] == Role::Bye)
            v = std::min(kMostGames, ctx_.ps[verts_[roles_[a] == Role::Bye ? b : a]].played) + 1;
        f.push_back(v);
    }
    if (!in_.mdps.empty()) {
        const int m = int(in_.mdps.size());
        std::int64_t v = 0;
        if (both) {
            // The higher an MDP ranks, the more his being paired weighs; past 62 of them only
            // the first 62 count, the rest being beyond any real bracket.
            for (int x : {a, b}) {
                const int bit = m <= 62 ? m - 1 - mdpIndex_[x] : 61 - mdpIndex_[x];
                if (roles_[x] == Role::Mdp && bit >= 0)
                    v += std::int64_t(1) << bit;
            }
        }
        f.push_back(v);
    }
    if (!fixedOnly)
        lowerFields(a, b, f);
}

// The fields that change from one solve of a bracket to the next: D.2's block and the windows.
void BracketPairer::lowerFields(int a, int b, std::vector<std::int64_t>& f) const {
    const bool both = inBracket(a) && inBracket(b);
    if (phase_ == 4) {
        // The sides hold the exchange: every pair has its S1 player, and the sums are the
        // same for every transposition.
        f.push_back(both ? 1 : 0);
        f.push_back(both ? 2 * nBracket_ + 2 - bsn_[side_[a] == 1 ? a : b] : 0);
        f.push_back(0);
    } else {
        if (both) {
            const bool s1a = s1r_[a], s1b = s1r_[b];
            f.push_back((!s1a && !s1b) ? 0 : 1);
            int stay;
            if (s1a && !s1b)
                stay = bsn_[a];
            else if (s1b && !s1a)
                stay = bsn_[b];
            else
                stay = std::min(bsn_[a], bsn_[b]);
            f.push_back(2 * nBracket_ + 2 - stay);
            std::int64_t pinned = 0;
            for (int v : {a, b}) {
                const int m = v == a ? b : a;
                switch (pin_[v]) {
                case Pin::None: break;
                case Pin::Stays: pinned += stays(v, m) ? 1 : 0; break;
                case Pin::MovesDown: pinned -= stays(v, m) ? 1 : 0; break;
                case Pin::MovesUp: pinned += movesUp(v, m) ? 1 : 0; break;
                case Pin::StaysDown: pinned -= movesUp(v, m) ? 1 : 0; break;
                }
            }
            f.push_back(pinned);
        } else {
            f.push_back(0);
            f.push_back(0);
            f.push_back(0);
        }
    }
    if ((phase_ == 2 || phase_ == 4) && lexK_ > 0) {
        const size_t at = f.size();
        f.resize(at + lexK_, 0);
        if (both) {
            int s1 = a, s2 = b;
            if (lexS1Pos_[s1] < 0)
                std::swap(s1, s2);
            if (lexS1Pos_[s1] >= 0 && lexS2Idx_[s2] >= 0)
                f[at + lexS1Pos_[s1]] = lexS2Size_ - lexS2Idx_[s2];
        }
    }
    if (phase_ == 3 && exK_ > 0) {
        const size_t at = f.size();
        f.resize(at + exK_, 0);
        if (both) {
            for (int v : {a, b}) {
                const int m = v == a ? b : a;
                if (exPos_[v] < 0)
                    continue;
                // c: a higher BSN moved down is better; d: a lower BSN moved up is better.
                if (s1r_[v])
                    f[at + exPos_[v]] = stays(v, m) ? -1 : 0;
                else
                    f[at + exPos_[v]] = movesUp(v, m) ? 1 : 0;
            }
        }
    }
}

int bitsFor(std::uint64_t v) {
    int b = 0;
    while (v) {
        ++b;
        v >>= 1;
    }
    return b;
}

// Bits a field takes in the weights: none for one that no edge of the bracket sets.
int BracketPairer::fieldWidth(size_t i, const FieldSpec& spec) const {
    if (i < unused_.size() && unused_[i])
        return 0;
    const std::uint64_t maxEdges = std::uint64_t(verts_.size() / 2 + 2);
    std::uint64_t bound = std::uint64_t(spec.maxAbs) * (spec.single ? 1 : maxEdges);
    if (i < reach_.size())
        bound = std::min(bound, std::uint64_t(reach_[i]));
    return bitsFor(bound) + 2;
}

template <int W>
BracketOutput BracketPairer::runT() {
    using Wt = WideInt<W>;
    const int n = int(verts_.size());
    BracketOutput out;

    // One edge list for every solve of the bracket: the first build takes in every pair it
    // allows (later phases allow fewer) with the fields that never change; later builds only
    // weigh the fields that do, and mark the edges they no longer allow.
    struct Graph {
        std::vector<WeightedEdge<Wt>> edges;
        std::vector<char> alive;  // allowed, with a positive weight, in this solve
        std::vector<Wt> fixedPart; // the weight of the fields that never change
        std::vector<int> index; // n*n, -1 where there is no edge
        std::vector<std::vector<int>> best; // per vertex: its heaviest edges, heaviest first
    };
    Graph graph;
    bool built = false;
    int lastPhase = 0;
    std::vector<int> lastLex; // lexS1Pos_ of the last build

    auto build = [&]() -> const Graph& {
        Graph& g = graph;
        const std::vector<FieldSpec> bounds = fieldBounds();
        std::vector<int> width(bounds.size());
        for (size_t i = 0; i < bounds.size(); ++i)
            width[i] = fieldWidth(i, bounds[i]);
        // Every group of fields starts at the same bit in every phase, whether the fields
        // below it are in use or not: from the bottom, D.2 c and d's window, D.2's block, the
        // transposition window, then the rest. So all phases share one layout, and a solve
        // starts from duals that still fit its weights wherever they did not change. The
        // transpositions of MDPs (phase 2) come before any exchange in the remainder; those
        // of the remainder (phase 4) follow its exchange, which the sides then hold fixed.
        std::vector<int> offset(bounds.size());
        auto place = [&](Group group, int base, int limit) {
            int off = base;
            for (int i = int(bounds.size()) - 1; i >= 0; --i) {
                if (bounds[i].group != group)
                    continue;
                offset[i] = off;
                off += width[i];
            }
            if (off > limit)
                throw std::length_error("weight too wide");
            return off;
        };
        place(Group::Window, 0, exBits_);
        const int exchangeTop = place(Group::Exchange, exBits_, 64 * W);
        place(Group::Order, exchangeTop, exchangeTop + lexBits_);
        if (place(Group::Upper, exchangeTop + lexBits_, 64 * W - 4) > 64 * W - 4)
            throw std::length_error("weight too wide");
        size_t nUpper = 0;
        while (nUpper < bounds.size() && bounds[nUpper].group == Group::Upper)
            ++nUpper;
        auto pack = [&](const std::vector<std::int64_t>& f, size_t from, size_t to, size_t first) {
            Wt w;
            for (size_t i = from; i < to; ++i) {
                const std::int64_t x = f[i - from + first];
                if (x > 0) {
                    w.addShifted(std::uint64_t(x), offset[i]);
                } else if (x < 0) {
                    Wt t;
                    t.addShifted(std::uint64_t(-x), offset[i]);
                    w -= t;
                }
            }
            return w;
        };
        std::vector<std::int64_t> f;
        if (!built) {
            built = true;
            g.index.assign(size_t(n) * n, -1);
            for (int a = 0; a < n; ++a) {
                for (int b = a + 1; b < n; ++b) {
                    if (!edgeAllowed(a, b))
                        continue;
                    fields(a, b, f);
                    const Wt fixedPart = pack(f, 0, nUpper, 0);
                    const Wt w = fixedPart + pack(f, nUpper, bounds.size(), nUpper);
                    g.index[size_t(a) * n + b] = g.index[size_t(b) * n + a] = int(g.edges.size());
                    g.edges.push_back({a, b, w});
                    g.fixedPart.push_back(fixedPart);
                    g.alive.push_back(Wt::fromInt(0) < w);
                }
            }
            // A matching of a big bracket almost only uses each player's heaviest edges: the
            // matching starts from those and the duals tell which others it must look at.
            g.best.assign(n, {});
            for (int k = 0; k < int(g.edges.size()); ++k) {
                g.best[g.edges[k].u].push_back(k);
                g.best[g.edges[k].v].push_back(k);
            }
            for (int v = 0; v < n; ++v)
                std::sort(g.best[v].begin(), g.best[v].end(),
                          [&](int x, int y) { return g.edges[y].w < g.edges[x].w; });
            lastPhase = phase_;
            lastLex = lexS1Pos_;
            return g;
        }
        auto weigh = [&](size_t k) {
            auto& e = g.edges[k];
            g.alive[k] = edgeAllowed(e.u, e.v);
            if (!g.alive[k])
                return;
            f.clear();
            lowerFields(e.u, e.v, f);
            e.w = g.fixedPart[k] + pack(f, nUpper, bounds.size(), 0);
            g.alive[k] = Wt::fromInt(0) < e.w;
        };
        // From one window of phase 4 to the next only the edges of the players in either
        // window change.
        if (phase_ == 4 && lastPhase == 4 && lastLex.size() == lexS1Pos_.size()) {
            for (int v = 0; v < n; ++v)
                if (lexS1Pos_[v] != lastLex[v])
                    for (int k : g.best[v])
                        weigh(size_t(k));
        } else {
            for (size_t k = 0; k < g.edges.size(); ++k)
                weigh(k);
        }
        lastPhase = phase_;
        lastLex = lexS1Pos_;
        return g;
    };

    auto total = [&](const Graph& g, const std::vector<int>& mate) {
        Wt s = Wt::fromInt(0);
        for (int v = 0; v < n; ++v)
            if (mate[v] > v)
                s += g.edges[g.index[size_t(v) * n + mate[v]]].w;
        return s;
    };

    // Pairs an earlier solve of the bracket found worth looking at: later solves start with
    // them, so that they seldom need a second round of adding edges.
    std::vector<char> relevant(size_t(n) * n, 0);
    // Best matching with the given pairs forced. Every solve of a big bracket starts from the
    // duals of the one before; small brackets, and the first solve of a big one, solve from
    // scratch: with only a few edges per player to start from, the first takes in thousands
    // more, and each round of them would undo much of a warm solution. Ties between equally
    // good matchings never reach the result: every choice is settled by the windows' fields.
    WarmMatching<Wt> warm(n);
    auto solveForced = [&](const Graph& g, const std::vector<std::pair<int, int>>& forced, Wt& value) {
        const bool cold = n < kWarmFrom || !warm.started();
        std::vector<char> gone(n, 0);
        for (auto [a, b] : forced)
            gone[a] = gone[b] = 1;
        // Start from the heaviest edges of every vertex; add every edge the duals of the
        // result do not cover and solve again, until none is left: then the duals prove the
        // matching best in the whole graph.
        constexpr int kStart = 32, kAdd = 200;
        std::vector<char> in(g.edges.size(), 0);
        std::vector<WeightedEdge<Wt>> es;
        for (int v = 0; v < n; ++v) {
            if (gone[v])
                continue;
            int taken = 0;
            for (int k : g.best[v]) {
                if (taken >= kStart)
                    break;
                if (!g.alive[k] || gone[g.edges[k].u] || gone[g.edges[k].v])
                    continue;
                ++taken;
                if (!in[k]) {
                    in[k] = 1;
                    es.push_back(g.edges[k]);
                }
            }
        }
        for (int k = 0; k < int(g.edges.size()); ++k) {
            const auto& e = g.edges[k];
            if (!cold && !in[k] && g.alive[k] && relevant[size_t(e.u) * n + e.v] && !gone[e.u] && !gone[e.v]) {
                in[k] = 1;
                es.push_back(e);
            }
        }
        std::vector<int> mate;
        std::vector<char> live(n);
        for (int v = 0; v < n; ++v)
            live[v] = !gone[v];
        MatchingDuals<Wt> d;
        for (int iteration = 0;; ++iteration) {
            if (cold)
                mate = maxWeightMatching<Wt>(n, es, nullptr, &d);
            else
                mate = warm.solve(es, live);
            size_t added = 0;
            for (int v = 0; v < n; ++v) {
                if (gone[v])
                    continue;
                int taken = 0;
                for (int k : g.best[v]) {
                    if (taken >= kAdd)
                        break;
                    const auto& e = g.edges[k];
                    if (in[k] || !g.alive[k] || gone[e.u] || gone[e.v])
                        continue;
                    if (cold ? d.reducedCost(e.u, e.v, e.w).isNegative() : warm.uncovered(e.u, e.v, e.w)) {
                        in[k] = 1;
                        relevant[size_t(e.u) * n + e.v] = 1;
                        es.push_back(e);
                        ++added;
                        ++taken;
                    }
                }
            }
            if (added == 0)
                break;
        }
        if (cold && n >= kWarmFrom)
            warm.adopt(mate, d, live); // the next solve starts from this one
        for (auto [a, b] : forced) {
            mate[a] = b;
            mate[b] = a;
        }
        value = total(g, mate);
        return mate;
    };

    auto perfect = [&](const std::vector<int>& mate) {
        for (int v = 0; v < n; ++v)
            if (mate[v] < 0)
                return false;
        return true;
    };

    // D.2's fields are in the weights from the start, with the remainder's S1 as it most
    // likely turns out (each MDP paired with a resident from the top, every player paired).
    // They are too low to sway phases 1 and 2, and when the guess holds, phase 3 starts
    // from a solution that is already best.
    {
        const int m = int(in_.mdps.size());
        s1r_.assign(n, 0);
        for (int v = 2 * m; v < nBracket_ / 2 + m && v < nBracket_; ++v)
            s1r_[v] = 1;
        pin_.assign(n, Pin::None);
        exPos_.assign(n, -1);
    }
    // Phase 1: the best value, and with it the set of MDPs that are paired (D.3). Without
    // MDPs all it tells is how many pairs the bracket makes; when a greedy pass pairs all
    // but at most one, that is known, and the remainder's phases start at once.
    // With MDPs, the first solve of phase 2 finds the same (D.3 stands above the order of
    // transpositions), so that one is not made twice either.
    const bool pairsKnown = in_.mdps.empty() && (in_.extra.empty() || !in_.completion) && greedyPairsAll();
    const bool firstInPhase2 = !in_.mdps.empty();
    std::vector<int> mate(n, -1);
    if (!pairsKnown && !firstInPhase2) {
        phase_ = 1;
        const Graph& g1 = build();
        Wt best;
        mate = solveForced(g1, {}, best);
        if (in_.completion && !perfect(mate))
            return out; // the round cannot be completed from here
    }

    std::vector<std::pair<int, int>> fixed;
    std::vector<char> used(n, 0);
    // Solves with the transposition order as the last field, window after window of S1, and
    // fixes the window's pairs: the first transposition among the best candidates.
    bool incomplete = false;
    auto pairInOrder = [&](int phase, const std::vector<int>& s1, const std::vector<int>& s2,
                           std::vector<std::pair<int, int>>& forced) {
        lexS1Pos_.assign(n, -1);
        lexS2Idx_.assign(n, -1);
        lexS2Size_ = int(s2.size());
        for (size_t j = 0; j < s2.size(); ++j)
            lexS2Idx_[s2[j]] = int(j);
        const int perField = bitsFor(std::uint64_t(lexS2Size_ + 1)) + 2;
        const int window = std::max(1, lexBits_ / perField);
        for (size_t w = 0; w < s1.size(); w += window) {
            std::fill(lexS1Pos_.begin(), lexS1Pos_.end(), -1);
            lexK_ = int(std::min(s1.size() - w, size_t(window)));
            for (int i = 0; i < lexK_; ++i)
                lexS1Pos_[s1[w + i]] = i;
            phase_ = phase;
            const Graph& g = build();
            Wt value;
            mate = solveForced(g, forced, value);
            if (phase == 2 && w == 0 && in_.completion && !perfect(mate)) {
                incomplete = true;
                break;
            }
            for (int i = 0; i < lexK_; ++i) {
                const int a = s1[w + i];
                const int b = mate[a];
                if (b < 0 || !inBracket(b) || used[b])
                    continue;
                used[a] = used[b] = 1;
                forced.push_back({std::min(a, b), std::max(a, b)});
                fixed.push_back({std::min(a, b), std::max(a, b)});
            }
        }
        lexK_ = 0;
    };

    // Phase 2: MDP pairs in transposition order.
    {
        std::vector<int> s1, s2;
        for (int v = 0; v < int(in_.mdps.size()); ++v)
            if (firstInPhase2 || (mate[v] >= 0 && inBracket(mate[v])))
                s1.push_back(v);
        for (int v = int(in_.mdps.size()); v < nBracket_; ++v)
            s2.push_back(v);
        if (!s1.empty()) {
            std::vector<std::pair<int, int>> forced;
            pairInOrder(2, s1, s2, forced);
            if (incomplete)
                return out; // the round cannot be completed from here
        }
    }

    // Phase 3: the remainder's exchange (D.2) among the best candidates.
    phase_ = 3;
    fixedOut_.assign(n, 0);
    for (auto [a, b] : fixed)
        fixedOut_[a] = fixedOut_[b] = 1;
    std::vector<int> rem;
    for (int v = int(in_.mdps.size()); v < nBracket_; ++v)
        if (!fixedOut_[v])
            rem.push_back(v);
    int remPairs = 0;
    for (int v : rem)
        if (mate[v] >= 0 && inBracket(mate[v]) && !fixedOut_[mate[v]] && roles_[mate[v]] == Role::Res)
            ++remPairs;
    remPairs = pairsKnown ? nBracket_ / 2 : remPairs / 2;
    s1r_.assign(n, 0);
    for (int i = 0; i < remPairs && i < int(rem.size()); ++i)
        s1r_[rem[i]] = 1;
    pin_.assign(n, Pin::None);
    exPos_.assign(n, -1);
    exK_ = 0;
    auto pinOf = [&](int v) {
        const int m = mate[v];
        const bool paired = m >= 0 && inBracket(m);
        if (s1r_[v])
            return paired && stays(v, m) ? Pin::Stays : Pin::MovesDown;
        return paired && movesUp(v, m) ? Pin::MovesUp : Pin::StaysDown;
    };
    {
        const Graph& g3 = build();
        Wt best3;
        mate = solveForced(g3, {}, best3);
        if (pairsKnown && in_.completion && !perfect(mate))
            return out;
    }
    // D.2 a and b leave ties (5 for 7 against 4 for 6); c and d settle them, so the exchange
    // taken never depends on which of the tied matchings the solver happened to reach.
    int moved = 0;
    for (int v : rem)
        if (s1r_[v] && pinOf(v) != Pin::Stays)
            ++moved;
    if (moved > 0) {
        std::vector<int> order;
        for (auto it = rem.rbegin(); it != rem.rend(); ++it)
            if (s1r_[*it])
                order.push_back(*it);
        for (int v : rem)
            if (!s1r_[v])
                order.push_back(v);
        const int window = std::max(1, exBits_ / (bitsFor(1) + 2));
        int down = 0, up = 0;
        for (size_t w = 0; w < order.size();) {
            // Once as many are settled as move, everyone after them stays where he is.
            std::vector<int> open;
            for (; w < order.size() && int(open.size()) < window; ++w) {
                const int v = order[w];
                if (s1r_[v] ? down == moved : up == moved)
                    pin_[v] = s1r_[v] ? Pin::Stays : Pin::StaysDown;
                else
                    open.push_back(v);
            }
            if (open.empty())
                continue;
            exK_ = int(open.size());
            for (int i = 0; i < exK_; ++i)
                exPos_[open[i]] = i;
            const Graph& g = build();
            Wt value;
            mate = solveForced(g, {}, value);
            for (int v : open) {
                pin_[v] = pinOf(v);
                exPos_[v] = -1;
                if (pin_[v] == Pin::MovesDown)
                    ++down;
                else if (pin_[v] == Pin::MovesUp)
                    ++up;
            }
            exK_ = 0;
        }
    }
    // The new S1: the original one less the players moved down, with those moved up.
    std::vector<int> newS1, newS2;
    side_.assign(n, 0);
    for (int v : rem) {
        const Pin p = pin_[v] == Pin::None ? pinOf(v) : pin_[v];
        side_[v] = (p == Pin::Stays || p == Pin::MovesUp) ? 1 : 2;
    }
    for (int v : rem)
        (side_[v] == 1 ? newS1 : newS2).push_back(v);
    // The sides hold the exchange from here on; the pins would misread pairs across them.
    pin_.assign(n, Pin::None);

    // Phase 4: the first transposition of S2 among the best candidates.
    {
        std::vector<std::pair<int, int>> forced;
        pairInOrder(4, newS1, newS2, forced);
    }

    out.ok = true;
    for (auto [a, b] : fixed)
        out.pairs.push_back({verts_[a], verts_[b]});
    std::vector<char> paired(n, 0);
    for (auto [a, b] : fixed)
        paired[a] = paired[b] = 1;
    for (int v = 0; v < nBracket_; ++v) {
        if (paired[v])
            continue;
        if (in_.completion && mate[v] >= 0 && roles_[mate[v]] == Role::Bye)
            out.bye = verts_[v];
        else
            out.downfloaters.push_back(verts_[v]);
    }
    return out;
}

// A homogeneous bracket whose first candidate (S1 against S2 in order, the last of S2 left for
// the bye) pairs everyone, gives every player his colour and the bye to a player who may take
// it and did not float down lately, has every criterion at the best any candidate can reach:
// it is the pairing, and no matching is needed. Round 1 of a big open is such a bracket.
bool BracketPairer::firstCandidateIdeal(BracketOutput& out) const {
    if (!in_.mdps.empty() || !in_.extra.empty())
        return false;
    const std::vector<int>& r = in_.residents;
    const int n = int(r.size());
    for (int v : r)
        if (ctx_.ps[v].score != ctx_.ps[r.front()].score)
            return false; // a collapsed bracket: its score differences are for the matching to weigh
    if (n % 2 == 1 && !in_.completion)
        return false;
    const int half = n / 2;
    for (int i = 0; i < half; ++i) {
        const int a = r[i], b = r[half + i];
        if (!ctx_.compatible(a, b))
            return false;
        const Ctx::ColourCounts cc = ctx_.colourCounts(a, b);
        if (cc.c8 || cc.c9 || cc.c10 || cc.c11)
            return false;
    }
    if (n % 2 == 1) {
        const PState& last = ctx_.ps[r[n - 1]];
        if (!last.pabOk || last.df1 || last.df2)
            return false;
        for (int v : r)
            if (ctx_.ps[v].played > last.played)
                return false; // someone with more games should have the bye
        out.bye = r[n - 1];
    }
    out.ok = true;
    for (int i = 0; i < half; ++i)
        out.pairs.push_back({r[i], r[half + i]});
    return true;
}

BracketOutput BracketPairer::run() {
    {
        BracketOutput quick;
        if (firstCandidateIdeal(quick))
            return quick;
    }
    // Wide enough for the fields of every phase of this bracket.
    phase_ = 1;
    findUnusedFields();
    int bits = 0;
    {
        const std::vector<FieldSpec> bounds = fieldBounds();
        for (size_t i = 0; i < bounds.size(); ++i)
            bits += fieldWidth(i, bounds[i]);
    }
    // The windows take what is left of the chosen width: the transposition window 24 bits at
    // least, D.2 c and d's (seldom needed) a few players' worth.
    for (int width : {256, 512, 1024, 2048}) {
        const int avail = width - bits - 8 - 16;
        if (avail >= 24 + 12 || width == 2048) {
            exBits_ = std::clamp(avail / 6, 12, 24);
            lexBits_ = std::clamp(avail - exBits_, 24, 200);
            return width == 256 ? runT<4>() : width == 512 ? runT<8>() : width == 1024 ? runT<16>() : runT<32>();
        }
    }
    return {};
}

// Most score levels are set by no edge at all (a level of floats nobody in the bracket has,
// the difference of two scores nobody pairs): such fields take no bits, which keeps the
// weights narrow and the matching's arithmetic short. Later phases allow fewer edges, so
// what no edge sets now no edge sets then.
void BracketPairer::findUnusedFields() {
    const std::vector<FieldSpec> bounds = fieldBounds();
    size_t nFixed = 0;
    while (nFixed < bounds.size() && bounds[nFixed].group == Group::Upper)
        ++nFixed;
    unused_.assign(nFixed, 1);
    // A matching's sum of a field is at most, over its edges, the largest value at either
    // end; so at most the sum over all vertices of the largest value each one sees. A
    // field only a few players can set (a float two rounds back) needs few bits.
    const int n = int(verts_.size());
    std::vector<std::int64_t> most(size_t(n) * nFixed, 0);
    std::vector<std::int64_t> f;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            if (!edgeAllowed(a, b))
                continue;
            fields(a, b, f, true);
            for (size_t i = 0; i < nFixed; ++i) {
                if (f[i] == 0)
                    continue;
                unused_[i] = 0;
                const std::int64_t x = f[i] < 0 ? -f[i] : f[i];
                std::int64_t& ma = most[size_t(a) * nFixed + i];
                std::int64_t& mb = most[size_t(b) * nFixed + i];
                ma = std::max(ma, x);
                mb = std::max(mb, x);
            }
        }
    reach_.assign(nFixed, 0);
    for (int v = 0; v < n; ++v)
        for (size_t i = 0; i < nFixed; ++i)
            reach_[i] = std::min<std::int64_t>(reach_[i] + most[size_t(v) * nFixed + i], std::int64_t(1) << 62);
}

// Whether the given players can all be paired (one bye at most, to an eligible player).
bool completable(const Ctx& ctx, const std::vector<int>& players) {
    using Wt = WideInt<1>;
    const int m = int(players.size());
    const int n = m + (m % 2);
    {
        // Nearly every round pairs greedily, the lowest player who may take the bye taking
        // it. Only when that fails is the question put to a matching (over all pairs, which
        // is slow for a big field).
        std::vector<char> taken(m, 0);
        int bye = -1;
        for (int a = m - 1; a >= 0 && m % 2 == 1 && bye < 0; --a)
            if (ctx.ps[players[a]].pabOk)
                taken[bye = a] = 1;
        if ((m % 2 == 0 || bye >= 0) && pairGreedily(ctx, players, taken) == 0)
            return true;
    }
    std::vector<WeightedEdge<Wt>> es;
    std::vector<int> greedy(n, -1);
    for (int a = 0; a < m; ++a)
        for (int b = a + 1; b < m; ++b)
            if (ctx.compatible(players[a], players[b]))
                es.push_back({a, b, Wt::fromInt(1)});
    if (n > m)
        for (int a = 0; a < m; ++a)
            if (ctx.ps[players[a]].pabOk)
                es.push_back({a, m, Wt::fromInt(1)});
    for (const auto& e : es)
        if (greedy[e.u] < 0 && greedy[e.v] < 0) {
            greedy[e.u] = e.v;
            greedy[e.v] = e.u;
        }
    const std::vector<int> mate = maxWeightMatching<Wt>(n, es, &greedy);
    for (int v = 0; v < n; ++v)
        if (mate[v] < 0)
            return false;
    return true;
}

// Whether the downfloaters can all be paired in the next bracket, and its residents among
// themselves as far as their number allows, found greedily (a no is no proof of the opposite).
// The downfloaters must share one score, so that whoever floats the next bracket's score
// differences come out the same.
bool nextBracketTakes(const Ctx& ctx, const std::vector<int>& floaters, const std::vector<int>& next) {
    for (int f : floaters)
        if (ctx.ps[f].score != ctx.ps[floaters.front()].score)
            return false;
    if (floaters.size() > next.size())
        return false;
    std::vector<char> taken(next.size(), 0);
    for (int f : floaters) {
        bool found = false;
        for (size_t j = 0; j < next.size() && !found; ++j)
            if (!taken[j] && ctx.compatible(f, next[j]))
                taken[j] = found = true;
        if (!found)
            return false;
    }
    return pairGreedily(ctx, next, taken) <= 1;
}

} // namespace

void applyBakuAcceleration(Tournament& t) {
    const int n = int(t.players.size());
    const int rounds = t.totalRounds > 0 ? t.totalRounds : 1;
    // Group A: the first half of the players, rounded up to an even number.
    int groupA = (n + 1) / 2;
    if (groupA % 2)
        ++groupA;
    const int accelerated = (rounds + 1) / 2;   // rounds with virtual points
    const int fullPoint = (accelerated + 1) / 2; // of which with a whole point
    std::vector<int> ids;
    for (const auto& p : t.players)
        ids.push_back(p.id);
    std::sort(ids.begin(), ids.end());
    std::set<int> a(ids.begin(), ids.begin() + std::min<int>(groupA, n));
    for (auto& p : t.players) {
        p.accel.assign(rounds, 0);
        if (!a.count(p.id))
            continue;
        for (int r = 0; r < accelerated; ++r)
            p.accel[r] = r < fullPoint ? t.points.win : t.points.win / 2;
    }
}

PairingResult pairDutch(const Tournament& t, int round) {
    PairingResult res;
    if (round <= 0)
        round = t.pairedRounds() + 1;
    res.round = round;
    if (t.totalRounds > 0 && round > t.totalRounds) {
        res.error = "all " + std::to_string(t.totalRounds) + " rounds are already paired";
        return res;
    }
    std::map<int, int> indexOfId;
    std::set<int> requested;
    for (const auto& q : t.byeRequests)
        if (q.round == round)
            requested.insert(q.player);

    Ctx ctx;
    ctx.initial = t.initialColour;
    const bool lastRound = t.totalRounds > 0 && round == t.totalRounds;
    // Scores before every round, for floats.
    std::map<int, std::vector<int>> scoreBefore; // id -> score before round k (k = 1..round)
    for (const Player& p : t.players) {
        std::vector<int> s(round + 1, 0);
        int acc = 0;
        for (int k = 1; k <= round; ++k) {
            s[k] = acc;
            if (k - 1 < int(p.rounds.size()) && k < round)
                acc += t.points.points(p.rounds[k - 1].outcome);
        }
        scoreBefore[p.id] = s;
    }
    auto accelOf = [&](const Player& p, int r) { return r - 1 < int(p.accel.size()) ? p.accel[r - 1] : 0; };

    for (const Player& p : t.players) {
        if (p.withdrawn || requested.count(p.id))
            continue;
        if (int(p.rounds.size()) >= round) {
            const RoundEntry& e = p.rounds[round - 1];
            (void)e;
            continue; // this round is already settled for the player (a bye, an absence)
        }
        PState s;
        s.id = p.id;
        int sc = 0;
        for (int k = 1; k < round; ++k) {
            if (k - 1 >= int(p.rounds.size()))
                continue;
            const RoundEntry& e = p.rounds[k - 1];
            sc += t.points.points(e.outcome);
            if (e.played()) {
                s.colours.push_back(e.colour);
                ++s.played;
            }
            if (e.outcome == Outcome::PairingBye || e.outcome == Outcome::ForfeitWin)
                s.pabOk = false;
        }
        s.realScore = sc;
        s.score = sc + accelOf(p, round);
        for (Colour c : s.colours)
            s.cd += c == Colour::White ? 1 : -1;
        const size_t nc = s.colours.size();
        if (nc > 0) {
            if (s.cd > 1 || s.cd < -1) {
                s.strength = Pref::Absolute;
                s.pref = s.cd > 1 ? Colour::Black : Colour::White;
            } else if (nc >= 2 && s.colours[nc - 1] == s.colours[nc - 2]) {
                s.strength = Pref::Absolute;
                s.pref = opposite(s.colours[nc - 1]);
            } else if (s.cd != 0) {
                s.strength = Pref::Strong;
                s.pref = s.cd > 0 ? Colour::Black : Colour::White;
            } else {
                s.strength = Pref::Mild;
                s.pref = opposite(s.colours[nc - 1]);
            }
        }
        // Floats of the last two rounds (1.4.2, 1.4.3): a player who had the pairing bye, or
        // scored without playing more than a loss brings (a half-point bye, a forfeit win),
        // floated down; one who lost by forfeit or was absent for nothing did not float at all.
        auto floatIn = [&](int k, bool& df, bool& uf) {
            if (k < 1 || k - 1 >= int(p.rounds.size()))
                return;
            const RoundEntry& e = p.rounds[k - 1];
            if (!e.played()) {
                df = e.outcome == Outcome::PairingBye ||
                     t.points.points(e.outcome) > t.points.points(Outcome::Loss);
                return;
            }
            const Player* o = t.find(e.opponent);
            const int mine = scoreBefore[p.id][k] + accelOf(p, k);
            const int theirs = o ? scoreBefore[o->id][k] + accelOf(*o, k) : mine;
            if (mine > theirs)
                df = true;
            else if (mine < theirs)
                uf = true;
        };
        floatIn(round - 1, s.df1, s.uf1);
        floatIn(round - 2, s.df2, s.uf2);
        if (lastRound && t.points.win > 0)
            s.topscorer = 2 * s.realScore > (round - 1) * t.points.win;
        indexOfId[p.id] = int(ctx.ps.size());
        ctx.ps.push_back(std::move(s));
    }
    if (ctx.ps.empty()) {
        res.error = "no players to pair in round " + std::to_string(round);
        return res;
    }
    for (const PState& s : ctx.ps)
        ctx.anyTopscorer = ctx.anyTopscorer || s.topscorer;
    for (const Player& p : t.players) {
        auto it = indexOfId.find(p.id);
        if (it == indexOfId.end())
            continue;
        for (int k = 0; k < round - 1 && k < int(p.rounds.size()); ++k) {
            const RoundEntry& e = p.rounds[k];
            if (e.opponent == 0 || !e.played())
                continue;
            auto jt = indexOfId.find(e.opponent);
            if (jt != indexOfId.end())
                ctx.met.insert({std::min(it->second, jt->second), std::max(it->second, jt->second)});
        }
    }
    for (auto [a, b] : t.forbidden) {
        auto ia = indexOfId.find(a), ib = indexOfId.find(b);
        if (ia != indexOfId.end() && ib != indexOfId.end())
            ctx.met.insert({std::min(ia->second, ib->second), std::max(ia->second, ib->second)});
    }

    std::vector<int> order(ctx.ps.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (ctx.ps[a].score != ctx.ps[b].score)
            return ctx.ps[a].score > ctx.ps[b].score;
        return ctx.ps[a].id < ctx.ps[b].id;
    });
    for (size_t i = 0; i < order.size(); ++i)
        ctx.ps[order[i]].rank = int(i);
    // E.5 counts pairing numbers among the players who take part: those paired now or in an
    // earlier round. A player who never took part yet does not shift the numbers below him.
    {
        int no = 0;
        for (const Player& p : t.players) {
            bool takesPart = indexOfId.count(p.id) > 0;
            for (int k = 0; k < round - 1 && k < int(p.rounds.size()) && !takesPart; ++k)
                takesPart = p.rounds[k].opponent != 0 || p.rounds[k].outcome == Outcome::PairingBye;
            if (!takesPart)
                continue;
            ++no;
            auto it = indexOfId.find(p.id);
            if (it != indexOfId.end())
                ctx.ps[it->second].pairingNo = no;
        }
    }

    if (!completable(ctx, order)) {
        res.error = "round " + std::to_string(round) +
                    " cannot be paired: no pairing lets every player meet a new opponent";
        return res;
    }

    std::vector<std::vector<int>> groups;
    for (int i : order) {
        if (groups.empty() || ctx.ps[groups.back().front()].score != ctx.ps[i].score)
            groups.emplace_back();
        groups.back().push_back(i);
    }
    auto byRank = [&](std::vector<int>& v) {
        std::sort(v.begin(), v.end(), [&](int a, int b) { return ctx.ps[a].rank < ctx.ps[b].rank; });
    };

    std::vector<std::pair<int, int>> pairs;
    int bye = -1;
    std::vector<int> mdps;
    try {
        for (size_t gi = 0; gi < groups.size(); ++gi) {
            BracketInput in;
            in.mdps = mdps;
            in.residents = groups[gi];
            const bool last = gi + 1 == groups.size();
            BracketOutput out;
            if (last) {
                in.completion = true;
                out = BracketPairer(ctx, in).run();
            } else {
                // C.7 only tells downfloaters apart: a bracket that pairs everyone without
                // looking at the next one has none, whatever the next bracket holds.
                // Nor does it change anything when the downfloaters of the bracket paired alone
                // can all be paired in the next bracket with no one there left over: no other
                // choice of them pairs more there (the bracket, twice as big with the next one,
                // is the slowest part of a big round).
                out = BracketPairer(ctx, in).run();
                bool done = out.ok && (out.downfloaters.empty() || nextBracketTakes(ctx, out.downfloaters, groups[gi + 1]));
                if (!done) {
                    in.c7 = true;
                    in.extra = groups[gi + 1];
                    out = BracketPairer(ctx, in).run();
                }
                std::vector<int> rest = out.downfloaters;
                for (size_t gj = gi + 1; gj < groups.size(); ++gj)
                    rest.insert(rest.end(), groups[gj].begin(), groups[gj].end());
                if (!out.ok || !completable(ctx, rest)) {
                    // This bracket is the penultimate one (A.9): pair it so that the round
                    // can be completed, then everyone below forms the collapsed last bracket.
                    BracketInput ppb;
                    ppb.mdps = mdps;
                    ppb.residents = groups[gi];
                    ppb.completion = true;
                    for (size_t gj = gi + 1; gj < groups.size(); ++gj)
                        ppb.extra.insert(ppb.extra.end(), groups[gj].begin(), groups[gj].end());
                    out = BracketPairer(ctx, ppb).run();
                    if (!out.ok)
                        throw std::runtime_error("the round cannot be completed");
                    pairs.insert(pairs.end(), out.pairs.begin(), out.pairs.end());
                    if (out.bye >= 0) {
                        out.downfloaters.push_back(out.bye);
                        byRank(out.downfloaters);
                    }
                    BracketInput clb;
                    clb.mdps = out.downfloaters;
                    clb.residents = ppb.extra;
                    byRank(clb.residents);
                    clb.completion = true;
                    out = BracketPairer(ctx, clb).run();
                    if (!out.ok)
                        throw std::runtime_error("the round cannot be completed");
                    pairs.insert(pairs.end(), out.pairs.begin(), out.pairs.end());
                    bye = out.bye;
                    break;
                }
            }
            if (!out.ok)
                throw std::runtime_error("the round cannot be completed");
            pairs.insert(pairs.end(), out.pairs.begin(), out.pairs.end());
            if (last)
                bye = out.bye;
            mdps = out.downfloaters;
            byRank(mdps);
        }
    } catch (const std::length_error&) {
        res.error = std::string("round ") + std::to_string(round) +
                    ": a score bracket is too large for the criteria to be weighed exactly";
        return res;
    } catch (const std::exception& e) {
        res.error = std::string("round ") + std::to_string(round) + ": " + e.what();
        return res;
    }

    // Boards: the pair with the higher-ranked better player first.
    std::sort(pairs.begin(), pairs.end(), [&](auto x, auto y) {
        const PState* xa = &ctx.ps[x.first];
        const PState* xb = &ctx.ps[x.second];
        const PState* ya = &ctx.ps[y.first];
        const PState* yb = &ctx.ps[y.second];
        const int xs = std::max(xa->score, xb->score), ys = std::max(ya->score, yb->score);
        if (xs != ys)
            return xs > ys;
        const int xsum = xa->score + xb->score, ysum = ya->score + yb->score;
        if (xsum != ysum)
            return xsum > ysum;
        return std::min(xa->rank, xb->rank) < std::min(ya->rank, yb->rank);
    });
    for (auto [a, b] : pairs) {
        const bool aw = ctx.whiteFor(a, b);
        res.pairs.push_back(aw ? Pair{ctx.ps[a].id, ctx.ps[b].id} : Pair{ctx.ps[b].id, ctx.ps[a].id});
    }
    if (bye >= 0)
        res.pairs.push_back({ctx.ps[bye].id, 0});
    res.ok = true;
    return res;
}

} // namespace velmora::swiss
