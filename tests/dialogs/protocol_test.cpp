// The life cycle every option dialog shares, driven through the menu facade and real widgets.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <set>

#include "dialog_fixture.h"

namespace {
struct OptionDialogCase {
    DialogKind kind;
    // An option button that the settings select, and the other button of its pair.
    const char* selected;
    const char* unselected;
};

const OptionDialogCase kCases[] = {
    {kUeditor, "Option_wordCount_1", "Option_wordCount_0"},
    {kAutoFormat, "Option_format_0", "Option_format_1"},
    {kFormat, "Option_retainBold_0", "Option_retainBold_1"},
};
}  // namespace

class OptionDialogProtocol : public DialogTest,
                             public ::testing::WithParamInterface<OptionDialogCase> {
protected:
    void SetUp() override {
        start();
        d = open(GetParam().kind);
        ASSERT_NE(d, nullptr);
    }
    QDialog* d = nullptr;
};

TEST_P(OptionDialogProtocol, IsAFixedOwnedWindowThatTabsLikeWindows) {
    EXPECT_EQ(d->parentWidget(), host_->ownerWindow());
    EXPECT_TRUE(d->isWindow());
    EXPECT_EQ(std::pair(d->minimumSize(), d->maximumSize()), std::pair(d->size(), d->size()));
    // A close box only.
    const auto buttons =
        Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    EXPECT_EQ(d->windowFlags() & buttons, Qt::WindowCloseButtonHint);
    const QPoint offCentre =
        d->frameGeometry().center() - host_->ownerWindow()->frameGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()) + std::abs(offCentre.y()), 2);
    for (auto* button : d->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault() || button->isDefault());
    }
    for (auto* label : d->findChildren<QLabel*>()) {
        EXPECT_NE(label->buddy(), nullptr) << label->objectName().toStdString();
    }
    // As on Windows, Tab enters a group of option buttons at its selected button only, and at
    // every button of a group with none selected.
    QApplication::setActiveWindow(d);
    control("Command_Save")->setFocus();
    std::set<QWidget*> stops;
    for (QWidget* at = QApplication::focusWidget(); stops.insert(at).second && stops.size() < 40;
         at = QApplication::focusWidget()) {
        QTest::keyClick(at, Qt::Key_Tab);
    }
    for (auto* radio : d->findChildren<QRadioButton*>()) {
        const bool noneSelected = radio->group()->checkedButton() == nullptr;
        EXPECT_EQ(stops.contains(radio), radio->isChecked() || noneSelected)
            << radio->objectName().toStdString();
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
    auto* target = control(GetParam().selected);
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

TEST_P(OptionDialogProtocol, AFailedWriteIsReportedAndTheNextSaveWritesEverything) {
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
    std::filesystem::remove(folder_ / "web.ini");
    click("Command_Save");
    EXPECT_EQ(fileBytes("web.ini"), kBom + kWebIni);
    EXPECT_EQ(host_->refreshes, 1);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, OptionDialogProtocol, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.kind.name); });

TEST_F(DialogTest, ClosingOneOfTwoOpenDialogsEnablesTheEditor) {
    start();
    open(kUeditor);
    open(kFormat);
    click("Command_Cancel");
    EXPECT_TRUE(host_->editorEnabled);
    EXPECT_TRUE(dialog(kUeditor.name)->isVisible());
    dialogs_->closeAll();
    EXPECT_FALSE(dialog(kUeditor.name)->isVisible());
}
