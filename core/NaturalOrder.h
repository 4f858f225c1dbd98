#pragma once

#include <QString>

// The order of every sorted list of the program (matches, systems, skins): runs of digits
// compare by their value, so "2 тур" comes before "10 тур", and the rest compares without
// regard to case. Numbers of equal value ("02", "2") compare equal, so that a stable sort
// keeps such lines in the order they came.
int NaturalCompare(const QString& a, const QString& b);

inline bool NaturalLess(const QString& a, const QString& b) {
    return NaturalCompare(a, b) < 0;
}
