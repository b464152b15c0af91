#include "bas_main.h"

#include <QApplication>
#include <QWebEngineProfile>
#include <exception>

#include "about_window.h"
#include "article_setup.h"
#include "file_error_text.h"
#include "folder_path.h"
#include "main_window.h"
#include "page_scheme.h"
#include "platform.h"
#include "program_icon.h"
#include "settings_location.h"
#include "store_path.h"
#include "web_profile.h"

std::unique_ptr<Program> Program::start(std::string appFolder, Platform& platform) {
    std::unique_ptr<Program> program(new Program);
    AppContext& context = program->context_;
    context.AppFolder = std::move(appFolder);
    settleSettingsFolder(context, platform);
    context.OptionFilePath = PathInFolder(context.SettingsFolder, "web.ini");
    try {
        context.OptionStore = std::make_unique<Class_Option>(context.OptionFilePath);
    } catch (const std::exception& error) {
        platform.showError(nullptr,
                           QStringLiteral("无法读取设置文件“%1”，程序不能启动。\n原因：%2")
                               .arg(FromStorePath(context.OptionFilePath), FileErrorReason(error)));
        return nullptr;
    }
    context.MinEditorHeight = 600;
    context.MinEditorWidth = 600;

    QApplication::setWindowIcon(programIcon());
    program->profile_ = makeEditorProfile(nullptr);
    installPageScheme(*program->profile_, context);
    context.Articles = setUpArticleStorage(*program->profile_);
    program->mainWindow_ = new Form_Editor_Main(context, *program->profile_, platform);
    program->mainWindow_->show();
    return program;
}

Program::~Program() {
    // The pages go before the profile they were made with.
    delete mainWindow_.data();
    delete Form_About::instance();
    delete profile_;
}

Form_Editor_Main* Program::mainWindow() const { return mainWindow_; }

std::string programFolder() { return ToStorePath(QCoreApplication::applicationDirPath()); }

int runProgram(const std::string& appFolder, Platform& platform) {
    const std::unique_ptr<Program> program = Program::start(appFolder, platform);
    if (!program) return 1;
    return QApplication::exec();
}
