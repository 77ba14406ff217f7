// Avatar file reader on arbitrary bytes, with every load selection; what is
// loaded whole must serialize back to the bytes it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "AvatarFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (uint32_t flags : {0u, 1u, 2u, 6u, 7u}) {
        CAvatarFile file;
        if (!file.LoadBytes(data, size, flags)) {
            continue;
        }
        size_t held = file.GetStill().size() + file.GetStrip().size() + file.GetSound().size();
        if (held > size) {
            std::abort();
        }
    }
    return 0;
}
