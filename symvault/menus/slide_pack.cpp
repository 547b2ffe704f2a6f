// The slide library file's header and directory.
#include "menus/slide_pack.h"

#include <cstring>

namespace symvault {

std::vector<uint8_t> slide_library_head(const std::vector<std::string>& names, const std::vector<uint32_t>& sizes) {
    static const char kSignature[] = "AutoCAD Slide Library 1.0\r\n\x1a";
    std::vector<uint8_t> out(kSlideHeaderBytes, 0);
    std::memcpy(out.data(), kSignature, sizeof kSignature - 1);
    uint32_t address = static_cast<uint32_t>(kSlideHeaderBytes + kSlideEntryBytes * names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        uint8_t entry[kSlideEntryBytes] = {};
        // A name is at most 16 characters; the field keeps room to spare.
        std::memcpy(entry, names[i].data(), std::min(names[i].size(), kSlideNameBytes - 1));
        for (int b = 0; b < 4; ++b) entry[kSlideNameBytes + b] = static_cast<uint8_t>(address >> (8 * b));
        out.insert(out.end(), entry, entry + kSlideEntryBytes);
        address += i < sizes.size() ? sizes[i] : 0;
    }
    return out;
}

}  // namespace symvault
