#pragma once

#include <vector>

// Rating arithmetic as FIDE's rating regulations (B.02) and tie-break regulations (C.07 10)
// round it.
namespace kit {

// The rating difference for a fraction scored, from FIDE's table 8.1(a): the percentage is
// rounded to a whole per cent first (0.675 → 68 %). 100 % gives +800 and 0 % −800.
int RatingDifference(double fraction);

// The average of the ratings, rounded to the nearest whole number, halves up (C.07 10.1).
// 0 for no ratings.
int AverageRating(const std::vector<int>& ratings);

// Average rating of the opponents plus the difference for the score against them (C.07 10.2).
// `score` counts 1 for a win and ½ for a draw whatever the tournament's point system. 0 for no
// opponents.
int PerformanceRating(double score, const std::vector<int>& ratings);

} // namespace kit
