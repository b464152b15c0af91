#include "utf8_text.h"

std::size_t WellFormedUtf8Length(std::string_view s) {
    auto inRange = [&](std::size_t i, unsigned lo, unsigned hi) {
        const unsigned byte = static_cast<unsigned char>(s[i]);
        return byte >= lo && byte <= hi;
    };
    if (s.empty()) return 0;
    const unsigned lead = static_cast<unsigned char>(s[0]);
    if (lead < 0x80) return 1;
    // Bounds of the second byte rule out overlong forms, surrogates and values past U+10FFFF.
    unsigned lo = 0x80, hi = 0xBF;
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || !inRange(1, lo, hi)) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!inRange(i, 0x80, 0xBF)) return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t length = WellFormedUtf8Length(bytes);
        if (length == 0) return false;
        bytes.remove_prefix(length);
    }
    return true;
}
