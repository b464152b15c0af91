#include "article_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "image_type.h"

namespace corvel::articles {
namespace {

constexpr std::array<std::string_view, 5> kReasons = {"auto", "format", "convert", "correct",
                                                      "restore"};

std::string Base36(std::uint64_t value) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value % 36]);
        value /= 36;
    } while (value != 0);
    return text;
}

bool ParseWhole(std::string_view text, std::int64_t& out) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool IsArticleId(std::string_view id) {
    return !id.empty() && id.size() <= 64 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

std::string MakeArticleId(std::int64_t nowMs, std::uint32_t random) {
    std::string suffix = Base36(random % (36u * 36 * 36 * 36));
    suffix.insert(0, 4 - suffix.size(), '0');
    return Base36(static_cast<std::uint64_t>(std::max<std::int64_t>(nowMs, 0))) + "-" + suffix;
}

bool IsImageName(std::string_view name) {
    const std::size_t dot = name.find('.');
    if (dot != 64) return false;
    const std::string_view hash = name.substr(0, 64);
    return std::all_of(hash.begin(), hash.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }) &&
           ImageTypeForExtension(name.substr(65)).has_value();
}

bool IsSnapshotReason(std::string_view reason) {
    return std::find(kReasons.begin(), kReasons.end(), reason) != kReasons.end();
}

std::string MakeSnapshotId(std::int64_t timeMs, std::string_view reason, std::int64_t chars) {
    char time[32];
    std::snprintf(time, sizeof time, "%015lld",
                  static_cast<long long>(std::max<std::int64_t>(timeMs, 0)));
    return std::string(time) + "-" + std::string(reason) + "-" +
           std::to_string(std::max<std::int64_t>(chars, 0));
}

bool ParseSnapshotId(std::string_view sid, SnapshotName& out) {
    const std::size_t first = sid.find('-');
    const std::size_t last = sid.rfind('-');
    if (first != 15 || last == first) return false;
    SnapshotName name;
    name.reason = std::string(sid.substr(first + 1, last - first - 1));
    if (!ParseWhole(sid.substr(0, first), name.time) || !IsSnapshotReason(name.reason) ||
        !ParseWhole(sid.substr(last + 1), name.chars)) {
        return false;
    }
    // Only the form the store makes: a count with leading zeros would name the same snapshot
    // twice, and could pass the length of an id.
    if (MakeSnapshotId(name.time, name.reason, name.chars) != sid) return false;
    out = std::move(name);
    return true;
}

}  // namespace corvel::articles
