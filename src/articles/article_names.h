#pragma once
// The names the store makes and accepts: article ids, stored image names and snapshot ids.
// Anything else is refused before it comes near a path.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvel::articles {

// Lower-case letters, digits and '-', 1 to 64 characters.
bool IsArticleId(std::string_view id);

// A fresh id: the time in base 36 and a random part, e.g. "mkq3z1a8-4fz0".
std::string MakeArticleId(std::int64_t nowMs, std::uint32_t random);

// "<64 hex digits>.<png|jpg|gif|webp|bmp>".
bool IsImageName(std::string_view name);

// Snapshots are named "<time, 15 digits>-<reason>-<chars>", so the folder itself is the index.
bool IsSnapshotReason(std::string_view reason);
std::string MakeSnapshotId(std::int64_t timeMs, std::string_view reason, std::int64_t chars);
struct SnapshotName {
    std::int64_t time = 0;
    std::string reason;
    std::int64_t chars = 0;
};
bool ParseSnapshotId(std::string_view sid, SnapshotName& out);

}  // namespace corvel::articles
