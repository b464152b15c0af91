#include "flat_json.h"

#include <charconv>

namespace corvel::articles {
namespace {

void AppendString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    std::optional<FlatObject> object() {
        FlatObject result;
        if (!take('{')) return std::nullopt;
        if (take('}')) return end(std::move(result));
        do {
            std::optional<std::string> key = string();
            if (!key || !take(':')) return std::nullopt;
            std::optional<FlatValue> v = value();
            if (!v) return std::nullopt;
            result.insert_or_assign(std::move(*key), std::move(*v));
        } while (take(','));
        if (!take('}')) return std::nullopt;
        return end(std::move(result));
    }

private:
    std::optional<FlatObject> end(FlatObject result) {
        skipBlanks();
        if (at_ != text_.size()) return std::nullopt;
        return result;
    }
    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t')) {
            ++at_;
        }
    }
    bool take(char c) {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool takeWord(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }
    std::optional<std::uint32_t> hex4() {
        if (at_ + 4 > text_.size()) return std::nullopt;
        std::uint32_t code = 0;
        const auto [end, error] =
            std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
        if (error != std::errc() || end != text_.data() + at_ + 4) return std::nullopt;
        at_ += 4;
        return code;
    }
    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::optional<std::uint32_t> code = hex4();
                    if (!code) return std::nullopt;
                    if (*code >= 0xD800 && *code < 0xDC00 && takeWord("\\u")) {
                        const std::optional<std::uint32_t> low = hex4();
                        if (!low || *low < 0xDC00 || *low >= 0xE000) return std::nullopt;
                        *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                    }
                    AppendUtf8(out, *code);
                    break;
                }
                default:
                    return std::nullopt;
            }
        }
        return std::nullopt;
    }
    std::optional<FlatValue> value() {
        skipBlanks();
        if (at_ >= text_.size()) return std::nullopt;
        if (text_[at_] == '"') {
            std::optional<std::string> s = string();
            if (!s) return std::nullopt;
            return FlatValue(std::move(*s));
        }
        if (takeWord("true")) return FlatValue(true);
        if (takeWord("false")) return FlatValue(false);
        std::int64_t number = 0;
        const auto [end, error] =
            std::from_chars(text_.data() + at_, text_.data() + text_.size(), number);
        if (error != std::errc()) return std::nullopt;
        at_ = static_cast<std::size_t>(end - text_.data());
        return FlatValue(number);
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

template <typename T>
T Field(const FlatObject& object, std::string_view key, T fallback) {
    const auto found = object.find(key);
    if (found == object.end()) return fallback;
    const T* value = std::get_if<T>(&found->second);
    return value ? *value : fallback;
}

}  // namespace

std::string WriteFlatJson(const FlatObject& object) {
    std::string out = "{";
    for (const auto& [key, value] : object) {
        if (out.size() > 1) out += ',';
        AppendString(out, key);
        out += ':';
        if (const auto* s = std::get_if<std::string>(&value)) {
            AppendString(out, *s);
        } else if (const auto* n = std::get_if<std::int64_t>(&value)) {
            out += std::to_string(*n);
        } else {
            out += std::get<bool>(value) ? "true" : "false";
        }
    }
    out += "}\n";
    return out;
}

std::optional<FlatObject> ReadFlatJson(std::string_view text) { return Reader(text).object(); }

std::string FlatString(const FlatObject& object, std::string_view key) {
    return Field<std::string>(object, key, {});
}
std::int64_t FlatNumber(const FlatObject& object, std::string_view key) {
    return Field<std::int64_t>(object, key, 0);
}
bool FlatBool(const FlatObject& object, std::string_view key) {
    return Field<bool>(object, key, false);
}

}  // namespace corvel::articles
