#include "image_type.h"

#include <array>

namespace corvel::articles {
namespace {

struct Signature {
    ImageType type;
    std::string_view magic;
    std::size_t offset = 0;
    std::string_view extra = {};  // further bytes required at offset 8 (WebP's "WEBP")
};

constexpr std::array<Signature, 6> kSignatures = {{
    {{"png", "image/png"}, "\x89PNG\r\n\x1a\n"},
    {{"jpg", "image/jpeg"}, "\xFF\xD8\xFF"},
    {{"gif", "image/gif"}, "GIF87a"},
    {{"gif", "image/gif"}, "GIF89a"},
    {{"webp", "image/webp"}, "RIFF", 0, "WEBP"},
    {{"bmp", "image/bmp"}, "BM"},
}};

// The bytes at `offset`, or fewer (none) when the data is shorter.
std::string_view At(std::string_view bytes, std::size_t offset, std::size_t size) {
    return offset >= bytes.size() ? std::string_view() : bytes.substr(offset, size);
}

}  // namespace

std::optional<ImageType> SniffImage(std::string_view bytes) {
    for (const Signature& s : kSignatures) {
        if (At(bytes, s.offset, s.magic.size()) != s.magic) continue;
        if (!s.extra.empty() && At(bytes, 8, s.extra.size()) != s.extra) continue;
        // A bare "BM" is too weak on its own: a bitmap's header is at least 26 bytes.
        if (s.type.extension == "bmp" && bytes.size() < 26) continue;
        return s.type;
    }
    return std::nullopt;
}

std::optional<ImageType> ImageTypeForExtension(std::string_view extension) {
    for (const Signature& s : kSignatures) {
        if (s.type.extension == extension) return s.type;
    }
    return std::nullopt;
}

}  // namespace corvel::articles
