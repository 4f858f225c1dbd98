#include "Handles.h"

namespace kit {

std::uintptr_t NextHandle() {
    // Start away from small numbers, which are the likeliest to be passed by mistake.
    static std::uintptr_t next = 0x1000;
    return ++next;
}

} // namespace kit
