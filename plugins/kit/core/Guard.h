#pragma once

namespace kit {

// Runs an export's body so that nothing thrown inside ever crosses into the host, which is
// C and could not catch it: a failure answers `fallback` instead.
template <class R, class F> R Guard(R fallback, F f) noexcept {
    try {
        return f();
    } catch (...) {
        return fallback;
    }
}

} // namespace kit
