#include "text_rules.h"

namespace {
constexpr std::string_view kItemSeparator = " - ";
constexpr std::string_view kListSeparator = "|-|";
constexpr std::string_view kCrLf = "\r\n";
}  // namespace

bool IsOn(std::string_view stored) { return stored == "true"; }

std::string OnOff(bool on) { return on ? "true" : "false"; }

std::string_view ItemWord(std::string_view item) {
    const auto first = item.find(kItemSeparator);
    if (first == std::string_view::npos) return {};
    const auto rest = item.substr(first + kItemSeparator.size());
    return rest.substr(0, rest.find(kItemSeparator));
}

int FindItemByWord(const std::vector<std::string>& items, std::string_view stored) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (ItemWord(items[i]) == stored) return static_cast<int>(i);
    }
    return -1;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (auto hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, pos)) {
        out.append(text.substr(pos, hit - pos)).append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string StoredListToBox(std::string_view stored) {
    return ReplaceAll(stored, kListSeparator, kCrLf);
}

std::string BoxToStoredList(std::string_view boxText) {
    return ReplaceAll(boxText, kCrLf, kListSeparator);
}

std::string WithLineEnding(std::string_view lfText, std::string_view ending) {
    return ending == "\n" ? std::string(lfText) : ReplaceAll(lfText, "\n", ending);
}
