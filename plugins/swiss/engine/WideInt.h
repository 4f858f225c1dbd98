// Fixed-width two's complement integers for matching weights. A pairing weight packs many
// criteria, each in a field of its own, so it needs more bits than a machine word; the
// matching only adds, subtracts, compares and halves, which is all this type offers.
#pragma once

#include <array>
#include <cstdint>

namespace velmora::swiss {

template <int Words>
struct WideInt {
    std::array<std::uint64_t, Words> w{}; // least significant word first

    WideInt() = default;
    static WideInt fromInt(std::int64_t v) {
        WideInt r;
        r.w[0] = std::uint64_t(v);
        for (int i = 1; i < Words; ++i)
            r.w[i] = v < 0 ? ~std::uint64_t(0) : 0;
        return r;
    }
    bool isNegative() const { return (w[Words - 1] >> 63) != 0; }
    bool isPositive() const { return !isNegative() && !isZero(); }
    bool isZero() const {
        for (auto x : w)
            if (x)
                return false;
        return true;
    }
    WideInt& operator+=(const WideInt& o) {
        unsigned __int128 carry = 0;
        for (int i = 0; i < Words; ++i) {
            carry += (unsigned __int128)w[i] + o.w[i];
            w[i] = std::uint64_t(carry);
            carry >>= 64;
        }
        return *this;
    }
    WideInt& operator-=(const WideInt& o) {
        // A difference that goes below zero wraps round in 128 bits: bit 64 is the borrow.
        std::uint64_t borrow = 0;
        for (int i = 0; i < Words; ++i) {
            const unsigned __int128 d = (unsigned __int128)w[i] - o.w[i] - borrow;
            w[i] = std::uint64_t(d);
            borrow = std::uint64_t(d >> 64) & 1;
        }
        return *this;
    }
    friend WideInt operator+(WideInt a, const WideInt& b) { return a += b; }
    friend WideInt operator-(WideInt a, const WideInt& b) { return a -= b; }
    // Arithmetic shift right by one: the matching halves slacks that are known to be even.
    WideInt half() const {
        WideInt r;
        for (int i = 0; i < Words; ++i) {
            r.w[i] = w[i] >> 1;
            if (i + 1 < Words)
                r.w[i] |= w[i + 1] << 63;
        }
        if (isNegative())
            r.w[Words - 1] |= std::uint64_t(1) << 63;
        return r;
    }
    WideInt twice() const {
        WideInt r;
        for (int i = Words - 1; i >= 0; --i) {
            r.w[i] = w[i] << 1;
            if (i > 0)
                r.w[i] |= w[i - 1] >> 63;
        }
        return r;
    }
    // Adds v << bit (v non-negative, bit + 64 within the width).
    void addShifted(std::uint64_t v, int bit) {
        WideInt t;
        const int word = bit / 64, off = bit % 64;
        if (word < Words)
            t.w[word] = v << off;
        if (off && word + 1 < Words)
            t.w[word + 1] = v >> (64 - off);
        *this += t;
    }
    // The value with the lowest `bits` bits cleared (for non-negative values).
    WideInt dropLow(int bits) const {
        WideInt r = *this;
        for (int i = 0; i < Words; ++i) {
            const int lo = i * 64;
            if (bits >= lo + 64)
                r.w[i] = 0;
            else if (bits > lo)
                r.w[i] &= ~((std::uint64_t(1) << (bits - lo)) - 1);
        }
        return r;
    }
    friend bool operator==(const WideInt& a, const WideInt& b) { return a.w == b.w; }
    friend bool operator!=(const WideInt& a, const WideInt& b) { return !(a == b); }
    friend bool operator<(const WideInt& a, const WideInt& b) {
        const bool na = a.isNegative(), nb = b.isNegative();
        if (na != nb)
            return na;
        for (int i = Words - 1; i >= 0; --i)
            if (a.w[i] != b.w[i])
                return a.w[i] < b.w[i];
        return false;
    }
    friend bool operator>(const WideInt& a, const WideInt& b) { return b < a; }
    friend bool operator<=(const WideInt& a, const WideInt& b) { return !(b < a); }
    friend bool operator>=(const WideInt& a, const WideInt& b) { return !(a < b); }
};

} // namespace velmora::swiss
