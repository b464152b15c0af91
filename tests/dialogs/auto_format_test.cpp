// Form_Option_auto_format: section "auto_format", on (automatic) button on the left.
#include <QRadioButton>

#include "dialog_fixture.h"

namespace {
constexpr const char* kDialog = "Form_Option_auto_format";
}

struct ConversionCase {
    const char* stored;
    int shown;
    const char* saved;
};
class AutoFormatConversion : public DialogTest,
                             public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(AutoFormatConversion, SelectsTheExactWordAndStoresSameWithoutAChoice) {
    start(IniWith({{"conversion", GetParam().stored}}));
    dialogs_->openAutoFormat();
    for (int i = 0; i < 3; ++i) {
        const auto name = "Option_Conversion_" + std::to_string(i);
        EXPECT_EQ(control<QRadioButton>(kDialog, name.c_str())->isChecked(), i == GetParam().shown);
    }
    click(kDialog, "Command_Save");
    EXPECT_EQ(stored("auto_format", "conversion"), GetParam().saved);
}
INSTANTIATE_TEST_SUITE_P(Words, AutoFormatConversion,
                         ::testing::Values(ConversionCase{"traditional", 1, "traditional"},
                                           ConversionCase{"simplified", 0, "simplified"},
                                           ConversionCase{"Simplified", -1, "same"},
                                           ConversionCase{"", -1, "same"}));

TEST_F(DialogTest, AutoFormatStoresTheChosenButtons) {
    start(IniWith({{"format", "yes"}, {"conversion", "unknown"}}));
    dialogs_->openAutoFormat();
    EXPECT_TRUE(control<QRadioButton>(kDialog, "Option_format_1")->isChecked());
    click(kDialog, "Option_redundant_0");
    click(kDialog, "Option_Conversion_0");
    click(kDialog, "Command_Save");
    EXPECT_EQ(stored("auto_format", "format"), "false");
    EXPECT_EQ(stored("auto_format", "conversion"), "simplified");
    EXPECT_EQ(stored("auto_format", "redundant"), "true");
}

TEST_F(DialogTest, AutoFormatStaysOnTopOnlyWhenAlwaysTopIsTrue) {
    for (const char* value : {"true", "True", "false"}) {
        writeFile("web.ini", std::string(kBom) + IniWith({{"alwaysTop", value}}));
        host_ = std::make_unique<FakeHost>(folder_);
        dialogs_ = std::make_unique<SettingsDialogs>(*host_);
        dialogs_->openAutoFormat();
        EXPECT_EQ(dialog(kDialog)->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                  std::string_view(value) == "true")
            << value;
        EXPECT_TRUE(dialog(kDialog)->isVisible());
        click(kDialog, "Command_Save");
        EXPECT_EQ(stored("system", "alwaysTop"), value);
    }
}
