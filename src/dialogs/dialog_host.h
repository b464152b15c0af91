#pragma once
// What the settings dialogs need from the running program. The main window provides it;
// tests provide a fake that records refreshes and answers message boxes.

#include <string>

#include "message_boxes.h"

class Class_Option;
class QWidget;

class DialogHost {
public:
    virtual ~DialogHost() = default;

    virtual Class_Option& optionStore() = 0;
    // The folder holding web.ini and the rule files (the program's folder unless the program
    // is installed); rule-file names are relative to it.
    virtual const std::string& appFolder() const = 0;
    // True when the settings cannot be saved this run; Save then only says so.
    virtual bool settingsReadOnly() const { return false; }
    // Dialogs are owned by this window and centred on it.
    virtual QWidget* ownerWindow() = 0;
    // Enables or disables the editor window. Does nothing once the editor window is gone,
    // and never creates one.
    virtual void setEditorEnabled(bool enabled) = 0;
    // Reloads the editor page so that it reads the settings again.
    virtual void refreshEditor() = 0;
    // The program's message boxes, so that tests can answer them.
    virtual MessageBoxes& messageBoxes() = 0;
};
