// libFuzzer target: the TRF reader on any bytes; whatever it accepts is written back, read
// again (it must be accepted again) and paired. A refusal must say why.
#include "Dutch.h"
#include "Trf.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velmora::swiss::TrfReadResult r = velmora::swiss::readTrf(text);
    if (!r.ok) {
        if (r.error.empty())
            __builtin_trap();
        return 0;
    }
    const velmora::swiss::TrfReadResult again = velmora::swiss::readTrf(velmora::swiss::writeTrf(r.tournament));
    if (!again.ok)
        __builtin_trap();
    if (r.tournament.players.size() <= 40) {
        const velmora::swiss::PairingResult p = velmora::swiss::pairDutch(r.tournament);
        if (!p.ok && p.error.empty())
            __builtin_trap();
    }
    return 0;
}
