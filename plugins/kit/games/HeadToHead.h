#pragma once

#include "Ledger.h"
#include "TieBreak.h"

#include <vector>

namespace kit {

// The tie-breaks computed among the tied players only: direct encounter (C.07 6) and the
// league's head-to-head goal difference and goals. Each is applied again to every sub-group
// that is still level, until nothing changes.
class HeadToHead {
public:
    HeadToHead(const Ledger& ledger, TieBreak tieBreak) : m_ledger(ledger), m_tieBreak(tieBreak) {}

    // `group` (player indexes, at least two) split into sub-groups, best first. `values`
    // (indexed by player) receives each member's value among the whole group.
    std::vector<std::vector<int>> Separate(const std::vector<int>& group,
                                           std::vector<double>* values) const;

private:
    struct Mini {
        double value = 0;
        double most = 0; // the value if every encounter still missing were won
    };
    std::vector<Mini> Score(const std::vector<int>& group) const;
    std::vector<std::vector<int>> Split(const std::vector<int>& group) const;

    const Ledger& m_ledger;
    TieBreak m_tieBreak;
};

} // namespace kit
