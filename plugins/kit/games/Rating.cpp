#include "Rating.h"

#include <array>
#include <cmath>

namespace kit {

namespace {

// FIDE B.02 table 8.1(a), p = 50 % ... 100 %; below 50 % the values are mirrored.
constexpr std::array<int, 51> kDifference{
    0,   7,   14,  21,  29,  36,  43,  50,  57,  65,  72,  80,  87,  95,  102, 110, 117,
    125, 133, 141, 149, 158, 166, 175, 184, 193, 202, 211, 220, 230, 240, 251, 262, 273,
    284, 296, 309, 322, 336, 351, 366, 383, 401, 422, 444, 470, 501, 538, 589, 677, 800};

// Rounds halves up; the small margin keeps 0.5 that arrived as 0.4999… from going down.
int RoundHalfUp(double value) {
    return int(std::floor(value + 0.5 + 1e-9));
}

} // namespace

int RatingDifference(double fraction) {
    int percent = RoundHalfUp(fraction * 100.0);
    percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    return percent >= 50 ? kDifference[size_t(percent - 50)] : -kDifference[size_t(50 - percent)];
}

int AverageRating(const std::vector<int>& ratings) {
    if (ratings.empty())
        return 0;
    long long sum = 0;
    for (int r : ratings)
        sum += r;
    return RoundHalfUp(double(sum) / double(ratings.size()));
}

int PerformanceRating(double score, const std::vector<int>& ratings) {
    if (ratings.empty())
        return 0;
    return AverageRating(ratings) + RatingDifference(score / double(ratings.size()));
}

} // namespace kit
