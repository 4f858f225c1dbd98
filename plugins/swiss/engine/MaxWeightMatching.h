// Maximum weight matching in a general graph: Edmonds' blossom algorithm with dual variables,
// O(n^3). Weights are exact integers of any width (see WideInt.h); the algorithm keeps every
// dual even-sized by working with doubled weights, so no rounding ever happens.
#pragma once

#include <algorithm>
#include <cassert>
#include <functional>
#include <vector>

namespace velmora::swiss {

template <class Wt>
struct WeightedEdge {
    int u, v;
    Wt w;
};

// The optimal dual solution the matching ends with: vertex duals, blossom duals and the
// blossoms that are left. It bounds what any matching holding a given edge can weigh.
template <class Wt>
struct MatchingDuals {
    std::vector<Wt> dualvar;     // 2n entries: vertices, then blossoms
    std::vector<int> parent;     // blossom containing each vertex or blossom, -1 at the top
    // Per vertex: its dual plus those of the blossoms around it. With blossoms dissolved into
    // these, every edge keeps a non-negative slack and the edges inside a blossom stay tight.
    std::vector<Wt> flat;
    // Twice the weight any matching containing edge (i, j) of weight w loses against the
    // optimum: 0 for an edge an optimal matching may use.
    Wt reducedCost(int i, int j, const Wt& w) const {
        Wt s = dualvar[i] + dualvar[j] - w.twice();
        std::vector<int> bi, bj;
        for (int b = parent[i]; b != -1; b = parent[b])
            bi.push_back(b);
        for (int b = parent[j]; b != -1; b = parent[b])
            bj.push_back(b);
        auto a = bi.rbegin();
        auto c = bj.rbegin();
        for (; a != bi.rend() && c != bj.rend() && *a == *c; ++a, ++c)
            s += dualvar[*a].twice();
        return s;
    }
};

// Returns mate[v] (the matched vertex, or -1) for a matching of maximum total weight.
// Edges of non-positive weight are never worth taking; callers give every useful edge a
// positive weight.
//
// `initial` may hold a starting matching (mate indices) made only of edges of the largest
// weight; with all duals at that weight it is already optimal for its vertices, which saves
// most of the work when a greedy matching is nearly complete.
//
// With `startDual` (vertex duals, in the units of doubled weights: the slack of an edge is
// dual[u] + dual[v] - 2w) the call solves for a perfect matching of maximum weight instead,
// starting from those duals and from the edges of `initial` that they make tight. The duals
// must leave no edge a negative slack, and the unmatched vertices must all have duals of the
// same parity, so that every slack the algorithm halves is even. This is how a solution is
// carried over to a graph whose weights changed in a few places (see WarmMatching.h).
template <class Wt>
std::vector<int> maxWeightMatching(int n, const std::vector<WeightedEdge<Wt>>& edges,
                                   const std::vector<int>* initial = nullptr,
                                   MatchingDuals<Wt>* duals = nullptr,
                                   const std::vector<Wt>* startDual = nullptr) {
    const int nedge = int(edges.size());
    const bool perfect = startDual != nullptr;
    std::vector<int> mate(n, -1);
    if (n == 0 || nedge == 0) {
        if (duals) {
            duals->dualvar.assign(2 * n, Wt::fromInt(0));
            duals->parent.assign(2 * n, -1);
            duals->flat = perfect ? *startDual : duals->dualvar;
            duals->flat.resize(n);
        }
        return mate;
    }

    Wt maxw = Wt::fromInt(0);
    for (const auto& e : edges)
        if (e.w > maxw)
            maxw = e.w;
    std::vector<Wt> w2(nedge); // doubled weights
    for (int k = 0; k < nedge; ++k)
        w2[k] = edges[k].w.twice();

    std::vector<int> endpoint(2 * nedge);
    for (int k = 0; k < nedge; ++k) {
        endpoint[2 * k] = edges[k].u;
        endpoint[2 * k + 1] = edges[k].v;
    }
    std::vector<std::vector<int>> neighbend(n);
    for (int k = 0; k < nedge; ++k) {
        neighbend[edges[k].u].push_back(2 * k + 1);
        neighbend[edges[k].v].push_back(2 * k);
    }
    std::vector<int> mt(n, -1); // remote endpoint index
    std::vector<int> label(2 * n, 0), labelend(2 * n, -1), inblossom(n), blossomparent(2 * n, -1);
    std::vector<std::vector<int>> blossomchilds(2 * n), blossomendps(2 * n);
    std::vector<int> blossombase(2 * n, -1), bestedge(2 * n, -1);
    std::vector<std::vector<int>> blossombestedges(2 * n);
    std::vector<char> hasBestEdges(2 * n, 0);
    std::vector<int> unusedblossoms;
    for (int v = 0; v < n; ++v) {
        inblossom[v] = v;
        blossombase[v] = v;
    }
    for (int b = 2 * n - 1; b >= n; --b)
        unusedblossoms.push_back(b);
    std::vector<Wt> dualvar(2 * n, Wt::fromInt(0));
    for (int v = 0; v < n; ++v)
        dualvar[v] = perfect ? (*startDual)[v] : maxw;
    std::vector<char> allowedge(nedge, 0);
    std::vector<int> queue;
    if (initial) {
        for (int k = 0; k < nedge; ++k) {
            const int a = edges[k].u, b = edges[k].v;
            const bool tight = perfect ? (dualvar[a] + dualvar[b]) == w2[k] : edges[k].w == maxw;
            if ((*initial)[a] == b && (*initial)[b] == a && mt[a] == -1 && mt[b] == -1 && tight) {
                mt[a] = 2 * k + 1;
                mt[b] = 2 * k;
            }
        }
    }

    // From the compact endpoint list rather than the edges: the search reads slacks of edges
    // all over the graph, and this keeps what it touches small.
    auto slack = [&](int k) {
        return dualvar[endpoint[2 * k]] + dualvar[endpoint[2 * k + 1]] - w2[k];
    };

    auto leaves = [&](int b, auto&& fn) {
        std::vector<int> stack{b};
        while (!stack.empty()) {
            const int x = stack.back();
            stack.pop_back();
            if (x < n)
                fn(x);
            else
                for (int c : blossomchilds[x])
                    stack.push_back(c);
        }
    };

    auto at = [](const std::vector<int>& vec, int j) {
        const int L = int(vec.size());
        return vec[((j % L) + L) % L];
    };

    std::function<void(int, int, int)> assignLabel = [&](int w, int t, int p) {
        const int b = inblossom[w];
        label[w] = label[b] = t;
        labelend[w] = labelend[b] = p;
        bestedge[w] = bestedge[b] = -1;
        if (t == 1) {
            leaves(b, [&](int x) { queue.push_back(x); });
        } else if (t == 2) {
            const int base = blossombase[b];
            assignLabel(endpoint[mt[base]], 1, mt[base] ^ 1);
        }
    };

    auto scanBlossom = [&](int v, int w) {
        std::vector<int> path;
        int base = -1;
        while (v != -1 || w != -1) {
            int b = inblossom[v];
            if (label[b] & 4) {
                base = blossombase[b];
                break;
            }
            path.push_back(b);
            label[b] = 5;
            if (labelend[b] == -1) {
                v = -1;
            } else {
                v = endpoint[labelend[b]];
                b = inblossom[v];
                v = endpoint[labelend[b]];
            }
            if (w != -1)
                std::swap(v, w);
        }
        for (int b : path)
            label[b] = 1;
        return base;
    };

    auto addBlossom = [&](int base, int k) {
        int v = edges[k].u, w = edges[k].v;
        const int bb = inblossom[base];
        int bv = inblossom[v], bw = inblossom[w];
        const int b = unusedblossoms.back();
        unusedblossoms.pop_back();
        blossombase[b] = base;
        blossomparent[b] = -1;
        blossomparent[bb] = b;
        std::vector<int> path, endps;
        while (bv != bb) {
            blossomparent[bv] = b;
            path.push_back(bv);
            endps.push_back(labelend[bv]);
            v = endpoint[labelend[bv]];
            bv = inblossom[v];
        }
        path.push_back(bb);
        std::reverse(path.begin(), path.end());
        std::reverse(endps.begin(), endps.end());
        endps.push_back(2 * k);
        while (bw != bb) {
            blossomparent[bw] = b;
            path.push_back(bw);
            endps.push_back(labelend[bw] ^ 1);
            w = endpoint[labelend[bw]];
            bw = inblossom[w];
        }
        blossomchilds[b] = path;
        blossomendps[b] = endps;
        label[b] = 1;
        labelend[b] = labelend[bb];
        dualvar[b] = Wt::fromInt(0);
        leaves(b, [&](int x) {
            if (label[inblossom[x]] == 2)
                queue.push_back(x);
            inblossom[x] = b;
        });
        std::vector<int> bestedgeto(2 * n, -1);
        auto consider = [&](int kk) {
            int i = edges[kk].u, j = edges[kk].v;
            if (inblossom[j] == b)
                std::swap(i, j);
            const int bj = inblossom[j];
            if (bj != b && label[bj] == 1 &&
                (bestedgeto[bj] == -1 || slack(kk) < slack(bestedgeto[bj])))
                bestedgeto[bj] = kk;
        };
        for (int sub : path) {
            if (!hasBestEdges[sub]) {
                leaves(sub, [&](int x) {
                    for (int p : neighbend[x])
                        consider(p / 2);
                });
            } else {
                for (int kk : blossombestedges[sub])
                    consider(kk);
            }
            blossombestedges[sub].clear();
            hasBestEdges[sub] = 0;
            bestedge[sub] = -1;
        }
        blossombestedges[b].clear();
        for (int kk : bestedgeto)
            if (kk != -1)
                blossombestedges[b].push_back(kk);
        hasBestEdges[b] = 1;
        bestedge[b] = -1;
        for (int kk : blossombestedges[b])
            if (bestedge[b] == -1 || slack(kk) < slack(bestedge[b]))
                bestedge[b] = kk;
    };

    std::function<void(int, bool)> expandBlossom = [&](int b, bool endstage) {
        for (int s : blossomchilds[b]) {
            blossomparent[s] = -1;
            if (s < n)
                inblossom[s] = s;
            else if (endstage && dualvar[s].isZero())
                expandBlossom(s, endstage);
            else
                leaves(s, [&](int x) { inblossom[x] = s; });
        }
        if (!endstage && label[b] == 2) {
            const auto& childs = blossomchilds[b];
            const auto& endps = blossomendps[b];
            const int entrychild = inblossom[endpoint[labelend[b] ^ 1]];
            int j = int(std::find(childs.begin(), childs.end(), entrychild) - childs.begin());
            int jstep, endptrick;
            if (j & 1) {
                j -= int(childs.size());
                jstep = 1;
                endptrick = 0;
            } else {
                jstep = -1;
                endptrick = 1;
            }
            int p = labelend[b];
            while (j != 0) {
                label[endpoint[p ^ 1]] = 0;
                label[endpoint[at(endps, j - endptrick) ^ endptrick ^ 1]] = 0;
                assignLabel(endpoint[p ^ 1], 2, p);
                allowedge[at(endps, j - endptrick) / 2] = 1;
                j += jstep;
                p = at(endps, j - endptrick) ^ endptrick;
                allowedge[p / 2] = 1;
                j += jstep;
            }
            int bv = at(childs, j);
            label[endpoint[p ^ 1]] = label[bv] = 2;
            labelend[endpoint[p ^ 1]] = labelend[bv] = p;
            bestedge[bv] = -1;
            j += jstep;
            while (at(childs, j) != entrychild) {
                bv = at(childs, j);
                if (label[bv] == 1) {
                    j += jstep;
                    continue;
                }
                int found = -1;
                leaves(bv, [&](int x) {
                    if (found == -1 && label[x] != 0)
                        found = x;
                });
                if (found != -1) {
                    label[found] = 0;
                    label[endpoint[mt[blossombase[bv]]]] = 0;
                    assignLabel(found, 2, labelend[found]);
                }
                j += jstep;
            }
        }
        label[b] = labelend[b] = -1;
        blossomchilds[b].clear();
        blossomendps[b].clear();
        blossombase[b] = -1;
        blossombestedges[b].clear();
        hasBestEdges[b] = 0;
        bestedge[b] = -1;
        unusedblossoms.push_back(b);
    };

    std::function<void(int, int)> augmentBlossom = [&](int b, int v) {
        int t = v;
        while (blossomparent[t] != b)
            t = blossomparent[t];
        if (t >= n)
            augmentBlossom(t, v);
        auto& childs = blossomchilds[b];
        auto& endps = blossomendps[b];
        const int i = int(std::find(childs.begin(), childs.end(), t) - childs.begin());
        int j = i, jstep, endptrick;
        if (i & 1) {
            j -= int(childs.size());
            jstep = 1;
            endptrick = 0;
        } else {
            jstep = -1;
            endptrick = 1;
        }
        while (j != 0) {
            j += jstep;
            t = at(childs, j);
            const int p = at(endps, j - endptrick) ^ endptrick;
            if (t >= n)
                augmentBlossom(t, endpoint[p]);
            j += jstep;
            t = at(childs, j);
            if (t >= n)
                augmentBlossom(t, endpoint[p ^ 1]);
            mt[endpoint[p]] = p ^ 1;
            mt[endpoint[p ^ 1]] = p;
        }
        std::rotate(childs.begin(), childs.begin() + i, childs.end());
        std::rotate(endps.begin(), endps.begin() + i, endps.end());
        blossombase[b] = blossombase[childs[0]];
    };

    auto augmentMatching = [&](int k) {
        const int ends[2][2] = {{edges[k].u, 2 * k + 1}, {edges[k].v, 2 * k}};
        for (const auto& sp : ends) {
            int s = sp[0], p = sp[1];
            while (true) {
                const int bs = inblossom[s];
                if (bs >= n)
                    augmentBlossom(bs, s);
                mt[s] = p;
                if (labelend[bs] == -1)
                    break;
                const int t = endpoint[labelend[bs]];
                const int bt = inblossom[t];
                s = endpoint[labelend[bt]];
                const int j = endpoint[labelend[bt] ^ 1];
                if (bt >= n)
                    augmentBlossom(bt, j);
                mt[j] = labelend[bt];
                p = labelend[bt] ^ 1;
            }
        }
    };

    for (int stage = 0; stage < n; ++stage) {
        std::fill(label.begin(), label.end(), 0);
        std::fill(bestedge.begin(), bestedge.end(), -1);
        for (int b = n; b < 2 * n; ++b) {
            blossombestedges[b].clear();
            hasBestEdges[b] = 0;
        }
        std::fill(allowedge.begin(), allowedge.end(), 0);
        queue.clear();
        for (int v = 0; v < n; ++v)
            if (mt[v] == -1 && label[inblossom[v]] == 0)
                assignLabel(v, 1, -1);
        bool augmented = false;
        while (true) {
            while (!queue.empty() && !augmented) {
                const int v = queue.back();
                queue.pop_back();
                for (int p : neighbend[v]) {
                    const int k = p / 2;
                    const int w = endpoint[p];
                    if (inblossom[v] == inblossom[w])
                        continue;
                    Wt kslack;
                    if (!allowedge[k]) {
                        kslack = dualvar[v] + dualvar[w] - w2[k];
                        if (!kslack.isPositive())
                            allowedge[k] = 1;
                    }
                    if (allowedge[k]) {
                        if (label[inblossom[w]] == 0) {
                            assignLabel(w, 2, p ^ 1);
                        } else if (label[inblossom[w]] == 1) {
                            const int base = scanBlossom(v, w);
                            if (base >= 0) {
                                addBlossom(base, k);
                            } else {
                                augmentMatching(k);
                                augmented = true;
                                break;
                            }
                        } else if (label[w] == 0) {
                            label[w] = 2;
                            labelend[w] = p ^ 1;
                        }
                    } else if (label[inblossom[w]] == 1) {
                        const int b = inblossom[v];
                        if (bestedge[b] == -1 || kslack < slack(bestedge[b]))
                            bestedge[b] = k;
                    } else if (label[w] == 0) {
                        if (bestedge[w] == -1 || kslack < slack(bestedge[w]))
                            bestedge[w] = k;
                    }
                }
            }
            if (augmented)
                break;
            // A perfect matching has no use for a vertex whose dual reaches zero (type 1).
            int deltatype = perfect ? -1 : 1, deltaedge = -1, deltablossom = -1;
            Wt delta = dualvar[0];
            for (int v = 1; v < n; ++v)
                if (dualvar[v] < delta)
                    delta = dualvar[v];
            for (int v = 0; v < n; ++v) {
                if (label[inblossom[v]] == 0 && bestedge[v] != -1) {
                    const Wt d = slack(bestedge[v]);
                    if (deltatype == -1 || d < delta) {
                        delta = d;
                        deltatype = 2;
                        deltaedge = bestedge[v];
                    }
                }
            }
            for (int b = 0; b < 2 * n; ++b) {
                if (blossomparent[b] == -1 && label[b] == 1 && bestedge[b] != -1) {
                    const Wt d = slack(bestedge[b]).half();
                    if (deltatype == -1 || d < delta) {
                        delta = d;
                        deltatype = 3;
                        deltaedge = bestedge[b];
                    }
                }
            }
            for (int b = n; b < 2 * n; ++b) {
                if (blossombase[b] >= 0 && blossomparent[b] == -1 && label[b] == 2 &&
                    (deltatype == -1 || dualvar[b] < delta)) {
                    delta = dualvar[b];
                    deltatype = 4;
                    deltablossom = b;
                }
            }
            if (deltatype == -1)
                break; // no perfect matching: nothing left to grow
            for (int v = 0; v < n; ++v) {
                if (label[inblossom[v]] == 1)
                    dualvar[v] -= delta;
                else if (label[inblossom[v]] == 2)
                    dualvar[v] += delta;
            }
            for (int b = n; b < 2 * n; ++b) {
                if (blossombase[b] >= 0 && blossomparent[b] == -1) {
                    if (label[b] == 1)
                        dualvar[b] += delta;
                    else if (label[b] == 2)
                        dualvar[b] -= delta;
                }
            }
            if (deltatype == 1) {
                break;
            } else if (deltatype == 2) {
                allowedge[deltaedge] = 1;
                int i = edges[deltaedge].u, j = edges[deltaedge].v;
                if (label[inblossom[i]] == 0)
                    std::swap(i, j);
                queue.push_back(i);
            } else if (deltatype == 3) {
                allowedge[deltaedge] = 1;
                queue.push_back(edges[deltaedge].u);
            } else {
                expandBlossom(deltablossom, false);
            }
        }
        if (!augmented)
            break;
        for (int b = n; b < 2 * n; ++b)
            if (blossomparent[b] == -1 && blossombase[b] >= 0 && label[b] == 1 &&
                dualvar[b].isZero())
                expandBlossom(b, true);
    }
    for (int v = 0; v < n; ++v)
        if (mt[v] >= 0)
            mate[v] = endpoint[mt[v]];
    if (duals) {
        duals->dualvar = dualvar;
        duals->parent = blossomparent;
        duals->flat.assign(dualvar.begin(), dualvar.begin() + n);
        for (int v = 0; v < n; ++v)
            for (int b = blossomparent[v]; b != -1; b = blossomparent[b])
                duals->flat[v] += dualvar[b];
    }
    return mate;
}

} // namespace velmora::swiss
