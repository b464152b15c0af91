// Which .docx files reach the page: real documents do; broken archives, misstated sizes and parts
// past the limits are refused with their reason.
#include <gtest/gtest.h>

#include "article_cases.h"
#include "article_error.h"
#include "docx_limits.h"
#include "test_files.h"

namespace {

using corvel::articles::ArticleError;
using corvel::articles::Refusal;

std::string refusalName(Refusal refusal) {
    switch (refusal) {
        case Refusal::BrokenDocx: return "BrokenDocx";
        case Refusal::DocxTooLarge: return "DocxTooLarge";
        case Refusal::DocxTooManyEntries: return "DocxTooManyEntries";
        case Refusal::DocxBomb: return "DocxBomb";
        default: return "other";
    }
}

TEST(DocxLimits, RealDocumentsPassAndBrokenOrOversizedArchivesAreRefused) {
    for (const Json& c : ArticleCases("docxLimits")) {
        const std::string bytes = ReadBytes(fs::path(CORVEL_TEST_DATA_DIR "/docx-limits") / c[0]);
        corvel::articles::DocxLimits limits;
        if (c.size() > 2) {
            limits.maxUnpacked = c[2].value("maxUnpacked", limits.maxUnpacked);
            limits.maxEntries = c[2].value("maxEntries", limits.maxEntries);
        }
        std::string refused;
        try {
            corvel::articles::CheckDocxLimits(bytes, limits);
        } catch (const ArticleError& error) {
            refused = refusalName(error.refusal());
        }
        EXPECT_EQ(refused, c[1]) << c[0] << " " << c.dump();
    }
}

}  // namespace
