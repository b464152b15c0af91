#include "docx_limits.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <new>
#include <utility>
#include <vector>

#include "article_error.h"

namespace corvel::articles {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint64_t kEndSize = 22;
constexpr std::uint64_t kLocatorSize = 20;
constexpr std::uint64_t kZip64EndSize = 56;
constexpr std::uint64_t kCentralSize = 46;
constexpr std::uint64_t kLocalSize = 30;
constexpr std::uint64_t kMax16 = 0xffff;
constexpr std::uint64_t kMax32 = 0xffffffff;
constexpr std::uint16_t kZip64Extra = 1;
constexpr unsigned kEncrypted = 1;
constexpr unsigned kSizesAfterData = 8;
constexpr unsigned kStored = 0;
constexpr unsigned kDeflated = 8;

[[noreturn]] void broken(const char* what) { throw ArticleError(Refusal::BrokenDocx, what); }

// Little-endian fields, every read checked against the archive's end.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() const { return bytes_.size(); }
    std::string_view span(std::uint64_t offset, std::uint64_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) broken("truncated zip");
        return bytes_.substr(offset, length);
    }
    std::uint64_t number(std::uint64_t offset, unsigned width) const {
        const std::string_view field = span(offset, width);
        std::uint64_t value = 0;
        for (unsigned i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(field[i]);
        return value;
    }

private:
    std::string_view bytes_;
};

struct Directory {
    std::uint64_t entries = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t end = 0;  // where the records after the central directory start
};

struct Entry {
    unsigned flags = 0;
    unsigned method = 0;
    std::uint64_t packed = 0;
    std::uint64_t unpacked = 0;
    std::uint64_t local = 0;
};

// The end record is the last 22 bytes but for a comment of up to 64 KiB after it.
std::uint64_t findEnd(const Bytes& zip) {
    if (zip.size() < kEndSize) broken("no end record");
    const std::uint64_t last = zip.size() - kEndSize;
    const std::uint64_t first = last > kMax16 ? last - kMax16 : 0;
    for (std::uint64_t at = last + 1; at-- > first;) {
        if (zip.number(at, 4) == kEndSignature && at + kEndSize + zip.number(at + 20, 2) <= zip.size())
            return at;
    }
    broken("no end record");
}

Directory readDirectory(const Bytes& zip) {
    const std::uint64_t end = findEnd(zip);
    if (zip.number(end + 4, 2) != 0 || zip.number(end + 6, 2) != 0) broken("split archive");
    Directory directory{zip.number(end + 10, 2), zip.number(end + 16, 4), zip.number(end + 12, 4),
                        end};
    if (directory.entries == kMax16 || directory.offset == kMax32 || directory.size == kMax32) {
        if (end < kLocatorSize || zip.number(end - kLocatorSize, 4) != kZip64LocatorSignature)
            broken("no zip64 locator");
        const std::uint64_t at = zip.number(end - kLocatorSize + 8, 8);
        if (zip.number(at, 4) != kZip64EndSignature || at + kZip64EndSize > end - kLocatorSize)
            broken("bad zip64 end record");
        directory = {zip.number(at + 32, 8), zip.number(at + 48, 8), zip.number(at + 40, 8), at};
    }
    if (directory.offset > directory.end || directory.size > directory.end - directory.offset)
        broken("central directory out of place");
    return directory;
}

// Sizes and offset that do not fit 32 bits are in the zip64 extra field, in this order.
void readZip64Extra(std::string_view extra, Entry& entry) {
    const Bytes fields(extra);
    for (std::uint64_t at = 0; at + 4 <= extra.size();) {
        const std::uint64_t id = fields.number(at, 2), length = fields.number(at + 2, 2);
        const Bytes data(fields.span(at + 4, length));
        at += 4 + length;
        if (id != kZip64Extra) continue;
        std::uint64_t next = 0;
        for (std::uint64_t* value : {&entry.unpacked, &entry.packed, &entry.local}) {
            if (*value != kMax32) continue;
            *value = data.number(next, 8);
            next += 8;
        }
        return;
    }
}

std::vector<Entry> readEntries(const Bytes& zip, const Directory& directory) {
    std::vector<Entry> entries;
    entries.reserve(directory.entries);
    const Bytes records(zip.span(directory.offset, directory.size));
    std::uint64_t at = 0;
    for (std::uint64_t i = 0; i < directory.entries; ++i) {
        if (records.number(at, 4) != kCentralSignature) broken("bad central record");
        Entry entry{unsigned(records.number(at + 8, 2)), unsigned(records.number(at + 10, 2)),
                    records.number(at + 20, 4), records.number(at + 24, 4),
                    records.number(at + 42, 4)};
        const std::uint64_t name = records.number(at + 28, 2);
        const std::uint64_t extra = records.number(at + 30, 2);
        const std::uint64_t comment = records.number(at + 32, 2);
        readZip64Extra(records.span(at + kCentralSize + name, extra), entry);
        records.span(at, kCentralSize + name + extra + comment);
        at += kCentralSize + name + extra + comment;
        entries.push_back(entry);
    }
    return entries;
}

void checkDeclared(const std::vector<Entry>& entries, const DocxLimits& limits) {
    std::uint64_t total = 0;
    for (const Entry& entry : entries) {
        if (entry.flags & kEncrypted) broken("encrypted part");
        if (entry.method != kStored && entry.method != kDeflated) broken("unknown compression");
        if (entry.method == kStored && entry.packed != entry.unpacked) broken("stored size differs");
        if (entry.unpacked > limits.maxUnpacked - total)
            throw ArticleError(Refusal::DocxTooLarge, "unpacks too large");
        total += entry.unpacked;
        if (entry.unpacked > limits.ratioCheckedFrom &&
            (entry.packed == 0 || entry.unpacked / entry.packed >= limits.maxRatio))
            throw ArticleError(Refusal::DocxBomb, "absurd compression ratio");
    }
}

// Where the part's data starts behind its local header, which must agree with the central
// record.
std::uint64_t localData(const Bytes& zip, const Entry& entry) {
    if (zip.number(entry.local, 4) != kLocalSignature) broken("bad local header");
    if (zip.number(entry.local + 8, 2) != entry.method) broken("local method differs");
    if (!(entry.flags & kSizesAfterData)) {
        const std::uint64_t packed = zip.number(entry.local + 18, 4);
        const std::uint64_t unpacked = zip.number(entry.local + 22, 4);
        if ((packed != kMax32 && packed != entry.packed) ||
            (unpacked != kMax32 && unpacked != entry.unpacked))
            broken("local sizes differ");
    }
    const std::uint64_t start = entry.local + kLocalSize + zip.number(entry.local + 26, 2) +
                                zip.number(entry.local + 28, 2);
    zip.span(start, entry.packed);
    return start;
}

// Inflates the part into a scratch buffer: it must end within its data and give exactly the
// declared size, which was checked against the limits.
void checkInflated(std::string_view packed, std::uint64_t unpacked) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) throw std::bad_alloc();
    std::array<Bytef, 1 << 16> scratch;
    std::uint64_t produced = 0;
    int status = Z_OK;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    while (status == Z_OK) {
        if (stream.avail_in == 0) {
            const std::uint64_t used =
                std::uint64_t(reinterpret_cast<const char*>(stream.next_in) - packed.data());
            const std::uint64_t left = packed.size() - used;
            if (left == 0) break;
            stream.avail_in = uInt(std::min<std::uint64_t>(left, 1u << 30));
        }
        stream.next_out = scratch.data();
        stream.avail_out = uInt(scratch.size());
        status = inflate(&stream, Z_NO_FLUSH);
        produced += scratch.size() - stream.avail_out;
        if (produced > unpacked) break;
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END || produced != unpacked) broken("part does not inflate to its size");
}

}  // namespace

void CheckDocxLimits(std::string_view bytes, const DocxLimits& limits) {
    const Bytes zip(bytes);
    const Directory directory = readDirectory(zip);
    if (directory.entries > limits.maxEntries)
        throw ArticleError(Refusal::DocxTooManyEntries, "too many parts");
    const std::vector<Entry> entries = readEntries(zip, directory);
    checkDeclared(entries, limits);
    // Parts that share bytes would let a few bytes stand for many parts.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;  // local header to data end
    spans.reserve(entries.size());
    for (const Entry& entry : entries) {
        const std::uint64_t data = localData(zip, entry);
        spans.emplace_back(entry.local, data + entry.packed);
        if (entry.method == kDeflated) checkInflated(zip.span(data, entry.packed), entry.unpacked);
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (spans[i].second > directory.offset || (i > 0 && spans[i].first < spans[i - 1].second))
            broken("parts overlap");
    }
}

}  // namespace corvel::articles
