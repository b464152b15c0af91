#pragma once
// Bas_Main: the start procedure and the running program it leaves behind.

#include <QPointer>
#include <memory>
#include <string>

#include "app_context.h"

class Form_Editor_Main;
class Platform;
class QWebEngineProfile;

class Program {
public:
    // The start procedure, on the given program folder: fixes the application context, reads
    // web.ini and shows the main window. When web.ini cannot be read it says so through the
    // platform and returns null. Needs a QApplication.
    static std::unique_ptr<Program> start(std::string appFolder, Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const AppContext& context() const { return context_; }
    // The main window; null once it has been closed.
    Form_Editor_Main* mainWindow() const;

private:
    Program() = default;

    AppContext context_;
    QWebEngineProfile* profile_ = nullptr;
    QPointer<Form_Editor_Main> mainWindow_;
};

// The folder of the running program file, as the platform reports it.
std::string programFolder();

// Starts the program and runs it until its last window closes. Returns the exit status:
// non-zero when it could not start.
int runProgram(const std::string& appFolder, Platform& platform);
