// Maximum weight matchings of one vertex set solved again and again while the weights change
// in a few places: the Dutch pairing asks dozens of them per bracket, each differing from the
// last by a handful of edges or vertices. Solving each from scratch is cubic; carrying the
// optimal duals over and re-augmenting only where they no longer fit is close to linear.
//
// A maximum weight matching of G is half a maximum weight perfect matching of G doubled (each
// vertex v and a twin v' joined by an edge of weight 0, the twins carrying a copy of G's
// edges), and a perfect matching can be restarted from any duals that leave no edge a
// negative slack together with the tight edges of the last matching. So the state kept
// between solves is the doubled graph's duals, with blossoms dissolved into their vertices,
// and its matching. Before a solve, a vertex whose edges the duals no longer cover has its
// dual raised until they do, and loses its partner if that edge is no longer tight; only the
// vertices left unmatched are augmented again.
#pragma once

#include "MaxWeightMatching.h"

#include <vector>

namespace velmora::swiss {

template <class Wt>
class WarmMatching {
public:
    explicit WarmMatching(int n) : n_(n), y_(2 * size_t(n), Wt::fromInt(0)), mate_(2 * size_t(n), -1) {}

    // The best matching (mate per vertex, -1 unmatched) of the vertices marked in `live`
    // over `edges`; edges touching other vertices are left out.
    std::vector<int> solve(const std::vector<WeightedEdge<Wt>>& edges, const std::vector<char>& live) {
        std::vector<int> at(n_, -1), of;
        for (int v = 0; v < n_; ++v)
            if (live[v]) {
                at[v] = int(of.size());
                of.push_back(v);
            }
        const int L = int(of.size());
        std::vector<WeightedEdge<Wt>> single;
        for (const auto& e : edges)
            if (at[e.u] >= 0 && at[e.v] >= 0)
                single.push_back({at[e.u], at[e.v], e.w});
        if (!warm_) {
            // The first solve from scratch, in the plain graph (half the size).
            MatchingDuals<Wt> d;
            const std::vector<int> m = maxWeightMatching<Wt>(L, single, nullptr, &d);
            for (int i = 0; i < L; ++i) {
                y_[of[i]] = y_[n_ + of[i]] = d.flat[i];
                mate_[of[i]] = m[i] < 0 ? -1 : of[m[i]];
                mate_[n_ + of[i]] = m[i] < 0 ? -1 : n_ + of[m[i]];
            }
            warm_ = true;
        }
        // The doubled graph of the live vertices: i, its twin L + i.
        std::vector<WeightedEdge<Wt>> doubled;
        doubled.reserve(2 * single.size() + L);
        for (const auto& e : single) {
            doubled.push_back(e);
            doubled.push_back({L + e.u, L + e.v, e.w});
        }
        for (int i = 0; i < L; ++i)
            doubled.push_back({i, L + i, Wt::fromInt(0)});
        auto global = [&](int i) { return i < L ? of[i] : n_ + of[i - L]; };
        std::vector<Wt> y(2 * size_t(L));
        std::vector<int> m(2 * size_t(L), -1);
        for (int i = 0; i < 2 * L; ++i) {
            y[i] = y_[global(i)];
            const int g = mate_[global(i)];
            if (g >= 0 && mate_[g] == global(i)) {
                const int v = g < n_ ? g : g - n_;
                if (at[v] >= 0)
                    m[i] = g < n_ ? at[v] : L + at[v];
            }
        }
        // Cover every edge; a raised vertex gives up a partner it is no longer tight with.
        for (const auto& e : doubled) {
            const Wt s = y[e.u] + y[e.v] - e.w.twice();
            if (s.isNegative())
                y[(m[e.u] < 0 || m[e.v] >= 0) ? e.u : e.v] -= s;
        }
        std::vector<char> tight(2 * size_t(L), 0);
        for (const auto& e : doubled)
            if (m[e.u] == e.v && (y[e.u] + y[e.v]) == e.w.twice())
                tight[e.u] = tight[e.v] = 1;
        const Wt one = Wt::fromInt(1);
        for (int i = 0; i < 2 * L; ++i) {
            if (!tight[i])
                m[i] = -1;
            // Unmatched vertices start the search together: their duals share one parity.
            if (m[i] < 0 && (y[i].w[0] & 1))
                y[i] += one;
        }
        MatchingDuals<Wt>& d = last_;
        m = maxWeightMatching<Wt>(2 * L, doubled, &m, &d, &y);
        at_ = std::move(at);
        L_ = L;
        // Depth and the duals summed from the top for every blossom, so that the blossoms
        // two vertices share are found by walking up from their lowest common one.
        const int nodes = int(d.parent.size());
        depth_.assign(nodes, -1);
        above_.assign(nodes, Wt::fromInt(0));
        std::vector<int> chain;
        for (int x = 0; x < nodes; ++x) {
            chain.clear();
            for (int b = x; b != -1 && depth_[b] < 0; b = d.parent[b])
                chain.push_back(b);
            for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
                const int b = *it, p = d.parent[b];
                depth_[b] = p == -1 ? 0 : depth_[p] + 1;
                above_[b] = p == -1 ? Wt::fromInt(0) : above_[p];
                if (b >= 2 * L)
                    above_[b] += d.dualvar[b].twice();
            }
        }
        std::vector<int> mate(n_, -1);
        for (int i = 0; i < 2 * L; ++i) {
            y_[global(i)] = d.flat[i];
            mate_[global(i)] = m[i] < 0 ? -1 : global(m[i]);
        }
        for (int i = 0; i < L; ++i)
            if (m[i] >= 0 && m[i] < L)
                mate[of[i]] = of[m[i]];
        return mate;
    }

    bool started() const { return warm_; }

    // Takes over a solution found from scratch (`duals` of maxWeightMatching over the same
    // vertex numbers), so that the next solve starts from it.
    void adopt(const std::vector<int>& mate, const MatchingDuals<Wt>& duals, const std::vector<char>& live) {
        for (int v = 0; v < n_; ++v) {
            if (!live[v])
                continue;
            y_[v] = y_[n_ + v] = duals.flat[v];
            const int m = mate[v] >= 0 && live[mate[v]] ? mate[v] : -1;
            mate_[v] = m;
            mate_[n_ + v] = m < 0 ? -1 : n_ + m;
        }
        warm_ = true;
    }

    // Whether an edge left out of the last solve could improve it: the duals do not cover it
    // on one side of the doubled graph. When no left-out edge can, the matching is best in
    // the graph with every edge.
    // The blossoms' duals count here: dissolved into their vertices they would overstate the
    // slack of an edge leaving a blossom.
    bool uncovered(int a, int b, const Wt& w) const {
        const int i = at_[a], j = at_[b];
        return reducedCost(i, j, w).isNegative() || reducedCost(L_ + i, L_ + j, w).isNegative();
    }

private:
    Wt reducedCost(int i, int j, const Wt& w) const {
        Wt s = last_.dualvar[i] + last_.dualvar[j] - w.twice();
        int x = last_.parent[i], y = last_.parent[j];
        if (x == -1 || y == -1)
            return s;
        while (depth_[x] > depth_[y])
            x = last_.parent[x];
        while (depth_[y] > depth_[x])
            y = last_.parent[y];
        while (x != y && x != -1) {
            x = last_.parent[x];
            y = last_.parent[y];
        }
        if (x != -1)
            s += above_[x];
        return s;
    }

    int n_;
    bool warm_ = false;
    std::vector<Wt> y_;    // duals: vertex v, then its twin n + v
    std::vector<int> mate_; // doubled matching over the same indices
    MatchingDuals<Wt> last_; // of the last solve, over its doubled graph
    std::vector<int> at_;    // vertex -> its index in that graph
    int L_ = 0;
    std::vector<int> depth_; // of every vertex and blossom in the last solve's nesting
    std::vector<Wt> above_;  // twice the duals of a blossom and of those around it
};

} // namespace velmora::swiss
