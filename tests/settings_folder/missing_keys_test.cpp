#include <gtest/gtest.h>

#include <string>

#include "missing_keys.h"

namespace {

using corvel::settings::AddMissingKeys;

struct MergeCase {
    const char* name;
    std::string user;
    std::string shipped;
    std::string expected;
};

const std::string kBom = "\xEF\xBB\xBF";

class AddMissingKeysTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(AddMissingKeysTest, AddsExactlyTheMissingKeys) {
    const MergeCase& c = GetParam();
    EXPECT_EQ(AddMissingKeys(c.user, c.shipped), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddMissingKeysTest,
    ::testing::Values(
        MergeCase{"nothing_missing_changes_no_byte", kBom + ";c\r\n[a]\r\n  x=user value \r\n\r\n",
                  kBom + "[a]\r\nx=shipped\r\n", kBom + ";c\r\n[a]\r\n  x=user value \r\n\r\n"},
        MergeCase{"key_goes_after_the_sections_last_key_not_after_its_comments",
                  kBom + "[a]\r\nx=1\r\n;about b\r\n\r\n[b]\r\ny=2\r\n",
                  kBom + "[a]\r\nx=9\r\nz=new\r\n[b]\r\ny=9\r\n",
                  kBom + "[a]\r\nx=1\r\nz=new\r\n;about b\r\n\r\n[b]\r\ny=2\r\n"},
        MergeCase{"several_keys_keep_the_shipped_order_and_lines", "[a]\r\nb=1\r\n",
                  "[a]\r\n  c=3\r\nb=2\r\nd=x=y\r\n", "[a]\r\nb=1\r\nc=3\r\nd=x=y\r\n"},
        MergeCase{"section_without_keys_gets_them_after_its_header",
                  "[a]\r\n;nothing yet\r\n[b]\r\n", "[a]\r\nk=v\r\n",
                  "[a]\r\nk=v\r\n;nothing yet\r\n[b]\r\n"},
        MergeCase{"missing_section_is_appended_after_a_blank_line", "[a]\r\nx=1\r\n",
                  "[a]\r\nx=1\r\n[system]\r\nalwaysTop=false\r\n",
                  "[a]\r\nx=1\r\n\r\n[system]\r\nalwaysTop=false\r\n"},
        MergeCase{"last_line_without_break_keeps_its_bytes", "[a]\r\nx=1",
                  "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3", "[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n"},
        MergeCase{"keys_compare_with_case_and_sections_apart", "[a]\r\nKey=1\r\n[b]\r\nkey=2\r\n",
                  "[a]\r\nkey=s\r\n[b]\r\nkey=t\r\n", "[a]\r\nKey=1\r\nkey=s\r\n[b]\r\nkey=2\r\n"},
        MergeCase{"repeated_section_gains_the_key_in_its_last_part",
                  "[a]\r\nx=1\r\n[b]\r\n[a]\r\ny=2\r\n", "[a]\r\nz=3\r\n",
                  "[a]\r\nx=1\r\n[b]\r\n[a]\r\ny=2\r\nz=3\r\n"},
        MergeCase{"key_without_equals_counts_as_present", "[a]\r\nx\r\n", "[a]\r\nx=shipped\r\n",
                  "[a]\r\nx\r\n"},
        MergeCase{"keys_before_any_header_stay_before_it", kBom + ";c\r\n[a]\r\n",
                  "top=1\r\n[a]\r\n", kBom + "top=1\r\n;c\r\n[a]\r\n"},
        MergeCase{"empty_user_file_gets_the_whole_shipped_section", kBom,
                  kBom + ";comment\r\n[a]\r\nx=1\r\n", kBom + "[a]\r\nx=1\r\n"},
        // A file from a Unix editor: added lines end at LF too, and nothing else moves.
        MergeCase{"lf_file_gains_lf_lines_and_keeps_every_other_byte",
                  kBom + ";c\n[a]\nx=1\n;about b\n[b]\n",
                  "top=1\r\n[a]\r\nx=9\r\nz=new\r\n[b]\r\ny=2\r\n[system]\r\nalwaysTop=false\r\n",
                  kBom + "top=1\n;c\n[a]\nx=1\nz=new\n;about b\n[b]\ny=2\n\n[system]\nalwaysTop=false\n"},
        MergeCase{
            "chinese_values_are_copied_byte_for_byte", "[format]\r\nretainBold=false\r\n",
            "[format]\r\nparagraphBeforeBlank=\xE3\x80\x80\xE3\x80\x80\r\nretainBold=true\r\n",
            "[format]\r\nretainBold=false\r\nparagraphBeforeBlank=\xE3\x80\x80\xE3\x80\x80\r\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(AddMissingKeys, IsIdempotent) {
    const std::string user = "[a]\r\nx=1\r\n";
    const std::string shipped = "[a]\r\nx=2\r\ny=3\r\n[b]\r\nz=4\r\n";
    const std::string once = AddMissingKeys(user, shipped);
    EXPECT_EQ(AddMissingKeys(once, shipped), once);
}

}  // namespace
