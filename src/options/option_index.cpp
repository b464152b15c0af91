// The lookup index of the option store: entries grouped by composite key in one pass, found in
// constant average time, with the same results as scanning all entries for the last match.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "option_format.h"

namespace corvel::options {
namespace {

constexpr std::string_view kKeySeparator = "_K_";

// The bytes of a word as they stand in memory, first byte lowest.
static_assert(std::endian::native == std::endian::little, "words are read little-endian");

// A 64-bit hash of a byte string that arrives in pieces, eight bytes at a time, with
// MurmurHash3's final avalanche. The words are read straight from the pieces and joined in
// registers, so that however a string is split, it hashes the same.
class PieceHash {
public:
    explicit PieceHash(std::size_t size) : h_(0x243F6A8885A308D3ull ^ size) {}

    void add(std::string_view piece) {
        const char* bytes = piece.data();
        std::size_t size = piece.size();
        for (; size >= 8; bytes += 8, size -= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes, 8);
            push(word, 8);
        }
        // The last few bytes one at a time: copying them into a word through memory would make
        // the following read of the whole word wait for the separate stores.
        std::uint64_t tail = 0;
        for (std::size_t i = 0; i < size; ++i) {
            tail |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
        }
        if (size > 0) push(tail, static_cast<unsigned>(size));
    }

    std::uint64_t finish() {
        mix(pending_);
        std::uint64_t h = h_;
        h = (h ^ (h >> 33)) * 0xff51afd7ed558ccdull;
        h = (h ^ (h >> 33)) * 0xc4ceb9fe1a85ec53ull;
        return h ^ (h >> 33);
    }

private:
    void mix(std::uint64_t word) { h_ = std::rotl((h_ ^ word) * 0x9E3779B97F4A7C15ull, 27); }

    // Appends the low `count` bytes of `word` (the rest zero) to the stream.
    void push(std::uint64_t word, unsigned count) {
        pending_ |= word << (8 * pendingCount_);
        pendingCount_ += count;
        if (pendingCount_ < 8) return;
        mix(pending_);
        pendingCount_ -= 8;
        // The bytes of `word` that did not fit; none when the pending word was empty.
        pending_ = pendingCount_ == 0 ? 0 : word >> (8 * (count - pendingCount_));
    }

    std::uint64_t h_;
    std::uint64_t pending_ = 0;  // the stream's bytes past the last whole word
    unsigned pendingCount_ = 0;
};

// Hashes section + "_K_" + key as one string, so that pairs with the same composite key meet.
// The fixed "A_" in front adds nothing to tell keys apart and is left out.
std::uint64_t CompositeHash(std::string_view section, std::string_view key) {
    PieceHash hash(section.size() + kKeySeparator.size() + key.size());
    hash.add(section);
    hash.add(kKeySeparator);
    hash.add(key);
    return hash.finish();
}

// Whether section1 + "_K_" + key1 equals section2 + "_K_" + key2, byte for byte.
bool SameComposite(std::string_view section1, std::string_view key1, std::string_view section2,
                   std::string_view key2) {
    if (section1.size() + key1.size() != section2.size() + key2.size()) return false;
    if (section1.size() == section2.size()) return section1 == section2 && key1 == key2;
    // The split points differ ("a_K_b" + "c" against "a" + "b_K_c"): walk both as byte streams.
    const std::array<std::string_view, 3> a{section1, kKeySeparator, key1};
    const std::array<std::string_view, 3> b{section2, kKeySeparator, key2};
    std::size_t ia = 0, oa = 0, ib = 0, ob = 0;
    while (ia < a.size() && ib < b.size()) {
        if (oa == a[ia].size()) {
            ++ia, oa = 0;
        } else if (ob == b[ib].size()) {
            ++ib, ob = 0;
        } else {
            const std::size_t n = std::min(a[ia].size() - oa, b[ib].size() - ob);
            if (a[ia].substr(oa, n) != b[ib].substr(ob, n)) return false;
            oa += n, ob += n;
        }
    }
    return true;
}

// A bucket holds (tag << 32) | (group + 1), 0 when free. The tag is the upper half of the hash and
// also picks the bucket, so that a growing table can move entries without hashing them again.
std::uint64_t BucketValue(std::uint64_t hash, std::size_t group) {
    return (hash >> 32) << 32 | (group + 1);
}
std::uint32_t GroupOf(std::uint64_t bucketValue) {
    return static_cast<std::uint32_t>(bucketValue) - 1;
}

// The bucket holding the group of (section, key), or the free bucket where it would go.
std::size_t Probe(const ParsedOptions& parsed, std::string_view text, std::uint64_t hash,
                  std::string_view section, std::string_view key) {
    const std::size_t mask = parsed.buckets.size() - 1;
    const std::uint64_t tag = hash >> 32;
    for (std::size_t bucket = tag & mask;; bucket = (bucket + 1) & mask) {
        const std::uint64_t stored = parsed.buckets[bucket];
        if (stored == 0) return bucket;
        if ((stored >> 32) != tag) continue;
        const Group& group = parsed.groups[GroupOf(stored)];
        const std::string_view groupKey = parsed.entries[group.lastEntry].key.in(text);
        if (SameComposite(group.section.in(text), groupKey, section, key)) return bucket;
    }
}

// Doubles the table. The tag in each bucket picks its new place, so no key is hashed again.
void Grow(std::vector<std::uint64_t>& buckets) {
    std::vector<std::uint64_t> grown(2 * buckets.size(), 0);
    const std::size_t mask = grown.size() - 1;
    for (const std::uint64_t stored : buckets) {
        if (stored == 0) continue;
        std::size_t bucket = (stored >> 32) & mask;
        while (grown[bucket] != 0) bucket = (bucket + 1) & mask;
        grown[bucket] = stored;
    }
    buckets.swap(grown);
}

Span SpanOf(std::string_view text, std::string_view piece) {
    if (piece.empty()) return Span{};  // an empty view may point anywhere, even nowhere
    return Span{static_cast<std::uint32_t>(piece.data() - text.data()),
                static_cast<std::uint32_t>(piece.size())};
}

void Prefetch([[maybe_unused]] const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#endif
}

}  // namespace

ParsedOptions ParseOptionText(std::string_view text) {
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("an option text must be smaller than 4 GiB");
    }
    // Room for a guessed entry per 32 bytes of text (typical lines are longer), so that a large
    // file seldom grows anything. The table is kept at most half full and doubles when needed.
    const std::size_t guess = text.size() / 32 + 8;
    ParsedOptions parsed;
    parsed.entries.reserve(guess);
    parsed.groups.reserve(guess);
    parsed.buckets.assign(std::bit_ceil(guess), 0);

    // Entries are inserted in small batches whose buckets are fetched ahead, so that the random
    // accesses to a large table overlap instead of stalling one after another.
    struct Pending {
        std::string_view section, key;
        std::uint32_t lineEnd;
        std::uint64_t hash;
    };
    std::array<Pending, 16> batch;
    std::size_t pending = 0;
    auto insertBatch = [&] {
        for (std::size_t i = 0; i < pending; ++i) {
            const Pending& p = batch[i];
            if (2 * (parsed.groups.size() + 1) > parsed.buckets.size()) Grow(parsed.buckets);
            const std::size_t bucket = Probe(parsed, text, p.hash, p.section, p.key);
            if (parsed.buckets[bucket] == 0) {
                parsed.buckets[bucket] = BucketValue(p.hash, parsed.groups.size());
                parsed.groups.emplace_back();
            }
            const std::uint32_t group = GroupOf(parsed.buckets[bucket]);
            // The last duplicate wins: the group moves on to this entry and its section.
            parsed.groups[group].section = SpanOf(text, p.section);
            parsed.groups[group].lastEntry = static_cast<std::uint32_t>(parsed.entries.size());
            // The key's position is kept even when it is empty: the value follows it.
            parsed.entries.push_back(
                Entry{Span{static_cast<std::uint32_t>(p.key.data() - text.data()),
                           static_cast<std::uint32_t>(p.key.size())},
                      p.lineEnd, group});
        }
        pending = 0;
    };
    ForEachLine(text, [&](const LineInfo& line) {
        if (line.kind != LineKind::Key) return;
        const std::uint64_t hash = CompositeHash(line.section, line.key);
        Prefetch(&parsed.buckets[(hash >> 32) & (parsed.buckets.size() - 1)]);
        const auto lineEnd =
            static_cast<std::uint32_t>(line.line.data() + line.line.size() - text.data());
        batch[pending++] = Pending{line.section, line.key, lineEnd, hash};
        if (pending == batch.size()) insertBatch();
    });
    insertBatch();
    return parsed;
}

std::optional<std::uint32_t> FindGroup(const ParsedOptions& parsed, std::string_view text,
                                       std::string_view section, std::string_view key) {
    const std::uint64_t stored =
        parsed.buckets[Probe(parsed, text, CompositeHash(section, key), section, key)];
    if (stored == 0) return std::nullopt;
    return GroupOf(stored);
}

std::string_view ValueOf(const ParsedOptions& parsed, std::string_view text, std::uint32_t group) {
    const Group& g = parsed.groups[group];
    return g.setIndex != 0 ? std::string_view(parsed.setValues[g.setIndex - 1])
                           : parsed.entries[g.lastEntry].value().in(text);
}

void SetValue(ParsedOptions& parsed, std::uint32_t group, std::string_view value) {
    Group& g = parsed.groups[group];
    if (g.setIndex == 0) {
        parsed.setValues.emplace_back(value);
        g.setIndex = static_cast<std::uint32_t>(parsed.setValues.size());
    } else {
        parsed.setValues[g.setIndex - 1] = value;
    }
}

}  // namespace corvel::options
