#include "main_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

#include "about_window.h"
#include "app_context.h"
#include "editor_window.h"
#include "platform.h"
#include "settings_dialogs.h"
#include "store_path.h"
#include "window_metrics.h"

Form_Editor_Main::Form_Editor_Main(AppContext& context, QWebEngineProfile& profile,
                                   Platform& platform)
    : context_(context), platform_(platform) {
    setObjectName(QStringLiteral("Form_Editor_Main"));
    setWindowTitle(programCaption());
    // Closing the main window ends the editor and its page with it.
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(false);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setAcceptDrops(false);
    setCentralWidget(mdiArea_);
    buildMenuBar();
    const QSize client = twipsSize(9510, 6855);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());

    dialogs_ = std::make_unique<SettingsDialogs>(*this);
    MDIForm_Load(profile);
}

Form_Editor_Main::~Form_Editor_Main() = default;

Form_Editor* Form_Editor_Main::editor() const { return editor_; }

void Form_Editor_Main::MDIForm_Load(QWebEngineProfile& profile) {
    editor_ = new Form_Editor(context_, profile, platform_);
    mdiArea_->addSubWindow(editor_);
    editor_->showMaximized();
}

void Form_Editor_Main::buildMenuBar() {
    QMenuBar* bar = menuBar();
    const auto addEntry = [this](QWidget* where, const MenuEntry& entry) {
        auto* action = new QAction(where);
        action->setObjectName(QLatin1String(entry.name));
        if (entry.command == Command::Separator) {
            action->setSeparator(true);  // a plain line; a text would show as a section title
        } else {
            action->setText(QString::fromUtf8(entry.caption));
            const Command command = entry.command;
            connect(action, &QAction::triggered, this, [this, command] { run(command); });
        }
        where->addAction(action);
    };
    for (const MenuDef& def : menuBarMenus()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(def.title));
        menu->setObjectName(QLatin1String(def.name));
        for (const MenuEntry& entry : def.entries) addEntry(menu, entry);
    }
    for (const MenuEntry& entry : menuBarCommands()) addEntry(bar, entry);
}

void Form_Editor_Main::run(Command command) {
    switch (command) {
        case Command::Separator:
            return;
        case Command::OptionUeditor:
            dialogs_->openUeditor();
            return;
        case Command::OptionAutoFormat:
            dialogs_->openAutoFormat();
            return;
        case Command::OptionFormat:
            dialogs_->openFormat();
            return;
        case Command::OptionConversionFile:
            dialogs_->openConversionFile();
            return;
        case Command::OptionRedundantFile:
            dialogs_->openRedundantFile();
            return;
        case Command::StartCalculator:
            StartLocalTool(LocalTool::Calculator);
            return;
        case Command::StartTextEditor:
            StartLocalTool(LocalTool::TextEditor);
            return;
        case Command::StartTerminal:
            StartLocalTool(LocalTool::Terminal);
            return;
        case Command::OpenArticle:
            OpenWebAddress(AddressRole::Article);
            return;
        case Command::OpenDictionary:
            OpenWebAddress(AddressRole::Dictionary);
            return;
        case Command::OpenHelp:
            OpenWebAddress(AddressRole::Help);
            return;
        case Command::OpenTools:
            OpenWebAddress(AddressRole::Tools);
            return;
        case Command::OpenHome:
            OpenWebAddress(AddressRole::Home);
            return;
        case Command::ShowAbout:
            Form_About::showInstance(FromStorePath(context_.SettingsFolder));
            return;
    }
}

void Form_Editor_Main::OpenWebAddress(AddressRole role) {
    platform_.openUrl(addressFor(role, context_.AppFolder));
}

void Form_Editor_Main::StartLocalTool(LocalTool tool) {
    const QStringList candidates = toolCandidates(tool);
    for (const QString& program : candidates) {
        if (!platform_.hasTool(program)) continue;
        if (!platform_.startTool(program))
            platform_.showError(this,
                                QStringLiteral("无法启动%1（%2）。").arg(toolTitle(tool), program));
        return;
    }
    platform_.showError(this, QStringLiteral("找不到%1程序。已查找：%2")
                                  .arg(toolTitle(tool), candidates.join(QStringLiteral("、"))));
}

void Form_Editor_Main::closeEvent(QCloseEvent* event) {
    // No settings dialog outlives the main window.
    dialogs_->closeAll();
    event->accept();
}

Class_Option& Form_Editor_Main::optionStore() { return *context_.OptionStore; }

const std::string& Form_Editor_Main::appFolder() const { return context_.SettingsFolder; }

bool Form_Editor_Main::settingsReadOnly() const { return context_.SettingsReadOnly; }

void Form_Editor_Main::setEditorEnabled(bool enabled) {
    if (editor_) editor_->setEnabled(enabled);
}

void Form_Editor_Main::refreshEditor() {
    if (editor_) editor_->Refresh();
}

MessageBoxes& Form_Editor_Main::messageBoxes() { return platform_; }
