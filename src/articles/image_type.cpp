#include "image_type.h"

#include <array>
#include <cstdint>

namespace corvel::articles {
namespace {

constexpr ImageType kPng{"png", "image/png"};
constexpr ImageType kJpeg{"jpg", "image/jpeg"};
constexpr ImageType kGif{"gif", "image/gif"};
constexpr ImageType kWebp{"webp", "image/webp"};
constexpr ImageType kBmp{"bmp", "image/bmp"};
constexpr std::array<ImageType, 5> kTypes = {kPng, kJpeg, kGif, kWebp, kBmp};

// The bytes at `offset`, or fewer (none) when the data is shorter.
std::string_view At(std::string_view bytes, std::size_t offset, std::size_t size) {
    return offset >= bytes.size() ? std::string_view() : bytes.substr(offset, size);
}

std::uint8_t Byte(std::string_view bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes[offset]);
}
std::uint32_t BigEndian(std::string_view bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | Byte(bytes, offset + std::size_t(i));
    return value;
}
std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | Byte(bytes, offset + std::size_t(i));
    return value;
}

// Signature, then the IHDR chunk first with a size, depth and colour type that exist.
bool IsPng(std::string_view b) {
    if (b.size() < 33 || At(b, 0, 8) != "\x89PNG\r\n\x1a\n") return false;
    if (BigEndian(b, 8, 4) != 13 || At(b, 12, 4) != "IHDR") return false;
    if (BigEndian(b, 16, 4) == 0 || BigEndian(b, 20, 4) == 0) return false;
    const std::uint8_t depth = Byte(b, 24), colour = Byte(b, 25);
    const bool depthExists = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    return depthExists && (colour == 0 || colour == 2 || colour == 3 || colour == 4 || colour == 6);
}

// Start of image, then segments up to a start-of-frame marker before the scan.
bool IsJpeg(std::string_view b) {
    if (At(b, 0, 3) != "\xFF\xD8\xFF") return false;
    std::size_t at = 2;
    while (at + 1 < b.size()) {
        if (Byte(b, at) != 0xFF) return false;
        const std::uint8_t marker = Byte(b, at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC)
            return at + 9 < b.size();
        if (marker == 0xDA || marker == 0xD9 || marker == 0xD8 || marker == 0x00) return false;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {  // no length
            at += 2;
            continue;
        }
        if (at + 3 >= b.size()) return false;
        const std::uint32_t length = BigEndian(b, at + 2, 2);
        if (length < 2) return false;
        at += 2 + length;
    }
    return false;
}

// Either version, a screen of some size, and the global colour table it announces.
bool IsGif(std::string_view b) {
    if (At(b, 0, 6) != "GIF87a" && At(b, 0, 6) != "GIF89a") return false;
    if (b.size() < 13 || LittleEndian(b, 6, 2) == 0 || LittleEndian(b, 8, 2) == 0) return false;
    const std::uint8_t flags = Byte(b, 10);
    const std::size_t table = (flags & 0x80) != 0 ? 3u << ((flags & 7) + 1) : 0;
    return b.size() >= 13 + table;
}

// The file header's size is the file's, and the bitmap header is one that exists and fits.
bool IsBmp(std::string_view b) {
    if (b.size() < 26 || At(b, 0, 2) != "BM" || LittleEndian(b, 2, 4) != b.size()) return false;
    const std::uint32_t pixels = LittleEndian(b, 10, 4), header = LittleEndian(b, 14, 4);
    if (header != 12 && header != 40 && header != 52 && header != 56 && header != 64 &&
        header != 108 && header != 124)
        return false;
    if (b.size() < 14 + std::size_t(header) || pixels < 14 + header || pixels > b.size())
        return false;
    const bool core = header == 12;
    const std::uint32_t width = LittleEndian(b, 18, core ? 2 : 4);
    const std::uint32_t height = LittleEndian(b, core ? 20 : 22, core ? 2 : 4);
    const std::size_t planesAt = core ? 22 : 26;
    const std::uint32_t bits = LittleEndian(b, planesAt + 2, 2);
    const bool bitsExist = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
                           bits == 32;
    return width != 0 && height != 0 && LittleEndian(b, planesAt, 2) == 1 && bitsExist;
}

// RIFF holding WEBP whose first chunk is a VP8 picture, inside the file.
bool IsWebp(std::string_view b) {
    if (b.size() < 20 || At(b, 0, 4) != "RIFF" || At(b, 8, 4) != "WEBP") return false;
    const std::uint64_t riffEnd = std::uint64_t(LittleEndian(b, 4, 4)) + 8;
    const std::string_view chunk = At(b, 12, 4);
    return riffEnd >= 20 && riffEnd <= b.size() &&
           (chunk == "VP8 " || chunk == "VP8L" || chunk == "VP8X");
}

}  // namespace

std::optional<ImageType> SniffImage(std::string_view bytes) {
    if (IsPng(bytes)) return kPng;
    if (IsJpeg(bytes)) return kJpeg;
    if (IsGif(bytes)) return kGif;
    if (IsWebp(bytes)) return kWebp;
    if (IsBmp(bytes)) return kBmp;
    return std::nullopt;
}

std::optional<ImageType> ImageTypeForExtension(std::string_view extension) {
    for (const ImageType& type : kTypes) {
        if (type.extension == extension) return type;
    }
    return std::nullopt;
}

}  // namespace corvel::articles
