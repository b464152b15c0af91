// Random option files built from awkward pieces: loading, writing and loading again keeps every
// lookup, no line with content is lost, and a second write gives the same bytes as the first.
#include <gtest/gtest.h>

#include <random>

#include "option_file_test.h"
#include "option_format.h"
#include "option_store.h"
#include "utf8_file.h"

namespace {

using namespace corvel::options;

// clang-format off
const std::vector<std::string> kPieces = {
    " ", "  ", "[", "]", "=", ";", "_K_", "\r", "\n", "\r\n", "\r\n", "\r\n", "\t", "中", "设置",
    "\u3000", "\xFF", "\xE4\xB8", "\xC0\x80", "\xEF\xBB\xBF", "a", "k", "s", "[s]", "k=v",
    "[ueditor]", "initialFrameHeight=400"};
// clang-format on

std::string RandomText(std::mt19937& random, std::size_t maxPieces) {
    std::uniform_int_distribution<std::size_t> count(0, maxPieces), pick(0, kPieces.size() - 1);
    std::string text;
    for (std::size_t n = count(random); n > 0; --n) text += kPieces[pick(random)];
    return text;
}

std::vector<LineKind> ContentKinds(std::string_view text) {
    std::vector<LineKind> kinds;
    ForEachLine(text, [&](const LineInfo& line) {
        if (line.kind != LineKind::Blank) kinds.push_back(line.kind);
    });
    return kinds;
}

using OptionRoundTrip = FileTest;

TEST_F(OptionRoundTrip, RandomFilesKeepEveryLookupAndWriteStably) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        WriteBytes(file, RandomText(random, 40));
        Class_Option first(file);
        const std::string text = first.readOptionFile();

        // Every (section, key) of the file, plus pairs that may or may not exist.
        std::vector<std::pair<std::string, std::string>> queries;
        ForEachLine(text, [&](const LineInfo& line) {
            if (line.kind == LineKind::Key) queries.emplace_back(line.section, line.key);
        });
        for (int i = 0; i < 5; ++i)
            queries.emplace_back(RandomText(random, 3), RandomText(random, 3));
        for (const auto& [section, key] : queries) {
            if (random() % 3 != 0) continue;
            // A value holding a line break is written as it is and splits its line. In a file
            // without a CR LF pair, an LF is one, and a CR before an LF is left out so that the
            // file never turns into CR LF lines.
            std::string value = RandomText(random, 4);
            const bool crlf = text.find("\r\n") != std::string::npos;
            const bool breaks = crlf ? value.find("\r\n") != std::string::npos
                                     : value.find_first_of("\r\n") != std::string::npos;
            if (breaks) continue;
            first.SetOption(section, key, value);
        }

        first.writeOptionFile();
        const std::string written = ReadUtf8File(file);
        ASSERT_EQ(ContentKinds(written), ContentKinds(text)) << "round " << round;
        Class_Option reloaded(file);
        for (const auto& [section, key] : queries)
            ASSERT_EQ(reloaded.GetOption(section, key), first.GetOption(section, key)) << round;
        reloaded.writeOptionFile();
        ASSERT_EQ(ReadBytes(file), "\xEF\xBB\xBF" + written) << "round " << round;
    }
}

}  // namespace
