// The small pieces the store trusts: name checks, the content hash, the metadata format and
// image recognition. Each is what stands between the page's input and a path or a file.
#include <gtest/gtest.h>

#include <string>

#include "article_cases.h"
#include "article_names.h"
#include "article_store.h"
#include "flat_json.h"
#include "image_type.h"
#include "sha256.h"

namespace {

using namespace corvel::articles;

TEST(ArticleNames, OnlyNamesTheStoreMakesAreAccepted) {
    for (const Json& c : ArticleCases("names")) {
        const std::string name = c[0];
        EXPECT_EQ(IsArticleId(name), c[1]) << name;
        EXPECT_EQ(IsImageName(name), c[2]) << name;
    }
    // Made ids pass the check.
    EXPECT_TRUE(IsArticleId(MakeArticleId(1733540000000, 0xFFFFFFFF)));
    EXPECT_TRUE(IsArticleId(MakeArticleId(0, 0)));
}

TEST(ArticleNames, SnapshotIdsRoundTripAndRejectEverythingElse) {
    SnapshotName parsed;
    const std::string sid = MakeSnapshotId(1733540000123, "format", 4321);
    EXPECT_TRUE(IsArticleId(sid));
    ASSERT_TRUE(ParseSnapshotId(sid, parsed));
    EXPECT_EQ(std::tie(parsed.time, parsed.reason, parsed.chars),
              std::tuple(1733540000123, "format", 4321));
    for (const std::string bad : ArticleCases("badSnapshotIds"))
        EXPECT_FALSE(ParseSnapshotId(bad, parsed)) << bad;
}

TEST(ContentHash, MatchesPublishedSha256Vectors) {
    for (const Json& c : ArticleCases("sha256"))
        EXPECT_EQ(Sha256Hex(c[0].get<std::string>()), c[1]);
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(FlatJson, TextSurvivesByteExactAndTornFilesAreRejected) {
    const std::string tricky = "引号\"反斜杠\\ 换行\n\r\t 控制\x01 表情😀 /斜杠";
    const FlatObject object{{"title", tricky},
                            {"time", std::int64_t{1733540000123}},
                            {"negative", std::int64_t{-5}},
                            {"flag", true}};
    const std::string text = WriteFlatJson(object);
    EXPECT_EQ(ReadFlatJson(text), object);
    // Escapes written by other tools.
    const FlatObject escaped =
        ReadFlatJson(R"({"a":"\u4e2d\ud83d\ude00\/", "b" : false })").value_or(FlatObject());
    // A wrong type gives the default.
    EXPECT_EQ(
        std::tuple(FlatString(escaped, "a"), FlatBool(escaped, "b"), FlatNumber(escaped, "a")),
        std::tuple("中😀/", false, 0));

    for (std::size_t cut = 0; cut + 1 < text.size(); ++cut) {
        EXPECT_FALSE(ReadFlatJson(text.substr(0, cut))) << "torn at " << cut;
    }
    for (const std::string bad : ArticleCases("notFlatJson"))
        EXPECT_FALSE(ReadFlatJson(bad)) << bad;
}

TEST(ImageSniffing, GoesByWholeHeadersNotByNameOrFirstBytes) {
    for (const Json& c : ArticleCases("sniffedImages")) {
        const std::optional<ImageType> type = SniffImage(Latin1Bytes(c[0]));
        EXPECT_EQ(type ? type->extension : "", c[1].get<std::string>()) << c[0];
    }
}

}  // namespace
