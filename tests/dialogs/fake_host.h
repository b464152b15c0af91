#pragma once
// A DialogHost for tests: a real option store on a web.ini in a folder of its own, a plain
// widget as owner, and message boxes answered from a script.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "dialog_host.h"
#include "option_store.h"

class FakeHost : public DialogHost, public MessageBoxes {
public:
    explicit FakeHost(const std::filesystem::path& folder)
        : folder_(folder.string()), store_(std::make_unique<Class_Option>(folder / "web.ini")) {
        owner_.setGeometry(100, 80, 1000, 700);
        owner_.show();
    }

    Class_Option& optionStore() override { return *store_; }
    const std::string& appFolder() const override { return folder_; }
    QWidget* ownerWindow() override { return &owner_; }
    void setEditorEnabled(bool enabled) override { editorEnabled = enabled; }
    void refreshEditor() override { ++refreshes; }
    MessageBoxes& messageBoxes() override { return *this; }
    void showError(QWidget*, const QString& text) override { errors << text; }
    bool confirm(QWidget*, const QString& text) override {
        confirms << text;
        return confirmAnswer;
    }
    Choice askSaveDiscardStay(QWidget*, const QString& text) override {
        questions << text;
        return choiceAnswer;
    }
    Choice askOverwriteReloadStay(QWidget*, const QString& text) override {
        questions << text;
        return choiceAnswer;
    }

    bool editorEnabled = true;
    int refreshes = 0;
    QStringList errors;
    QStringList confirms;
    QStringList questions;
    bool confirmAnswer = false;
    Choice choiceAnswer = Choice::Stay;

private:
    std::string folder_;
    std::unique_ptr<Class_Option> store_;
    QWidget owner_;
};
