// The life cycle every option dialog shares, driven through the menu facade and real widgets.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "dialog_fixture.h"

namespace {
struct OptionDialogCase {
    DialogKind kind;
    QSize size;
    // An option button that the settings select, and the other button of its pair.
    const char* selected;
    const char* unselected;
    // Every control that takes focus, in tab order.
    std::vector<const char*> tabs;
};

const OptionDialogCase kCases[] = {
    {kUeditor,
     {520, 441},
     "Option_wordCount_1",
     "Option_wordCount_0",
     {"Combo_toolbars", "Text_initialFrameHeight", "Text_pageBreakTag", "Text_initialStyle",
      "Command_Save", "Command_Cancel", "Option_wordCount_1", "Option_wordCount_0",
      "Option_elementPathEnabled_0", "Option_elementPathEnabled_1"}},
    {kAutoFormat,
     {485, 320},
     "Option_format_0",
     "Option_format_1",
     {"Option_format_0", "Option_format_1", "Option_Conversion_0", "Option_Conversion_1",
      "Option_redundant_0", "Option_redundant_1", "Command_Cancel", "Command_Save",
      "Option_Conversion_2"}},
    {kFormat,
     {643, 508},
     "Option_retainBold_0",
     "Option_retainBold_1",
     {"Text_paragraphBeforeBlank", "Combo_imageJustify", "Combo_imageCaptionText",
      "Text_imageCaptionText_EndSign", "Text_imageCaptionText_MaxLength", "Option_retainBold_0",
      "Option_retainBold_1", "Text_dateline", "Text_editorname", "Command_Cancel", "Command_Save"}},
};
}  // namespace

class OptionDialogProtocol : public DialogTest,
                             public ::testing::WithParamInterface<OptionDialogCase> {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        start(kWebIni);
        d = open(GetParam().kind);
        ASSERT_NE(d, nullptr);
        ASSERT_TRUE(d->isVisible());
    }
    QDialog* d = nullptr;
};

TEST_P(OptionDialogProtocol, IsAFixedOwnedWindowWithItsTabOrder) {
    EXPECT_EQ(d->parentWidget(), host_->ownerWindow());
    EXPECT_TRUE(d->isWindow());
    EXPECT_EQ(d->minimumSize(), GetParam().size);
    EXPECT_EQ(d->maximumSize(), GetParam().size);
    const auto flags = d->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPoint offCentre =
        d->frameGeometry().center() - host_->ownerWindow()->frameGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()), 1);
    EXPECT_LE(std::abs(offCentre.y()), 1);
    for (auto* button : d->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault() || button->isDefault());
    }
    for (auto* label : d->findChildren<QLabel*>()) {
        EXPECT_NE(label->buddy(), nullptr) << label->objectName().toStdString();
    }
    // As on Windows, Tab enters a group of option buttons at its selected button only.
    std::vector<std::string> stops;
    for (const char* name : GetParam().tabs) {
        auto* radio = qobject_cast<QRadioButton*>(control(name));
        if (!radio || radio->isChecked()) stops.emplace_back(name);
    }
    QApplication::setActiveWindow(d);
    control(stops.front().c_str())->setFocus();
    for (std::size_t i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), stops[i % stops.size()]);
    }
    // The arrow keys still move the selection within a group.
    auto* selected = control<QRadioButton>(GetParam().selected);
    selected->setFocus();
    QTest::keyClick(selected, selected->objectName().endsWith("_0") ? Qt::Key_Right : Qt::Key_Left);
    EXPECT_TRUE(control<QRadioButton>(GetParam().unselected)->isChecked());
}

TEST_P(OptionDialogProtocol, ReopeningCloseBoxCancelEscAndEnter) {
    // Reopening an open dialog keeps the one instance and its unsaved changes.
    auto* button = control<QRadioButton>(GetParam().unselected);
    click(GetParam().unselected);
    open(GetParam().kind);
    EXPECT_EQ(host_->ownerWindow()->findChildren<QDialog*>(GetParam().kind.name).size(), 1);
    EXPECT_TRUE(button->isChecked());
    // Enter and Esc after changes in every one-line box (the auto-format dialog has none).
    for (auto* box : d->findChildren<QLineEdit*>()) QTest::keyClicks(box, "9");
    auto* target = control(GetParam().tabs.front());
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(host_->editorEnabled);

    // The close box stores nothing; the next opening loads anew from the store.
    EXPECT_TRUE(d->close());
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(host_->editorEnabled);
    open(GetParam().kind);
    EXPECT_FALSE(button->isChecked());
    click("Command_Cancel");
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(fileBytes("web.ini"), kBom + kWebIni);
    EXPECT_EQ(host_->refreshes, 0);
}

TEST_P(OptionDialogProtocol, SaveRewritesEveryValueOrReportsAFailedWrite) {
    // web.ini turns into a folder: the file cannot be replaced, even by root. That is a change
    // made outside, which the user chooses to overwrite.
    host_->choiceAnswer = MessageBoxes::Choice::Save;
    std::filesystem::remove(folder_ / "web.ini");
    std::filesystem::create_directory(folder_ / "web.ini");
    click("Command_Save");
    ASSERT_EQ(host_->errors.size(), 1);
    EXPECT_TRUE(host_->errors[0].contains("web.ini"));
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(host_->editorEnabled);
    EXPECT_EQ(host_->refreshes, 0);
    // Once the file can be written again, Save without changes writes every value back.
    std::filesystem::remove(folder_ / "web.ini");
    click("Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), kBom + kWebIni);
    EXPECT_EQ(host_->refreshes, 1);
    EXPECT_TRUE(host_->editorEnabled);
    EXPECT_FALSE(d->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, OptionDialogProtocol, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.kind.name); });

TEST_F(DialogTest, ClosingOneOfTwoOpenDialogsEnablesTheEditor) {
    start(kWebIni);
    open(kUeditor);
    open(kFormat);
    click("Command_Cancel");
    EXPECT_TRUE(host_->editorEnabled);
    EXPECT_TRUE(dialog(kUeditor.name)->isVisible());
    dialogs_->closeAll();
    EXPECT_FALSE(dialog(kUeditor.name)->isVisible());
}
