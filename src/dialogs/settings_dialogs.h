#pragma once
// The commands of the "选项" menu. Each dialog kind has one instance, created at its first
// opening and owned by the host's owner window.

#include <memory>

class DialogHost;

class SettingsDialogs {
public:
    explicit SettingsDialogs(DialogHost& host);
    ~SettingsDialogs();
    SettingsDialogs(const SettingsDialogs&) = delete;
    SettingsDialogs& operator=(const SettingsDialogs&) = delete;

    void openUeditor();         // Option_Ueditor
    void openAutoFormat();      // Option_auto_format
    void openFormat();          // Option_format
    void openConversionFile();  // Option_conversionFile
    void openRedundantFile();   // Option_redundantFile

    // Unloads every open dialog as its close box would; used when the main window closes.
    void closeAll();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
