// The program as a user meets it after installing the package: the .deb unpacked into a
// temporary root, its program folder made read-only, the settings in the user's own folder.
// Run as an ordinary user by CTest (see as_ordinary_user.sh); the package's marker makes the
// same layout hold for root as well.

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <memory>

#include "bas_main.h"
#include "editor_driver.h"
#include "page_scheme.h"
#include "recording_platform.h"
#include "scratch_web_storage.h"
#include "test_files.h"
#include "url_schemes.h"

namespace {

// Every request the page makes, by scheme: nothing may leave the machine.
class RequestRecorder : public QWebEngineUrlRequestInterceptor {
public:
    QStringList schemes;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        schemes << info.requestUrl().scheme();
    }
};

}  // namespace

class InstalledLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstStartSeedsAndSaveChangesOnlyTheUsersFile();
    void secondStartKeepsTheUsersValues();
    void unusableSettingsFolderStartsReadOnlyWithTheDefaults();
    void cleanupTestCase() { program_.reset(); }

private:
    EditorDriver page() const { return EditorDriver(program_->mainWindow()); }
    // Starts the program afresh with the user's configuration folder below `configHome`.
    void start(const fs::path& configHome) {
        program_.reset();
        qputenv("XDG_CONFIG_HOME", configHome.c_str());
        program_ = Program::start(programFolder_.string(), platform_);
        QVERIFY(program_);
        QVERIFY(page().waitUntilReady());
    }
    // The largest toolbar set in 选项 > 编辑器设置, and Save. Returns the dialog.
    QPointer<QDialog> saveLargestToolbarSet() const {
        QDialog* dialog = page().openEditorSettings();
        auto* toolbars = dialog ? dialog->findChild<QComboBox*>("Combo_toolbars") : nullptr;
        auto* save = dialog ? dialog->findChild<QPushButton*>("Command_Save") : nullptr;
        if (!toolbars || !save) return nullptr;
        QTest::keyClick(toolbars, Qt::Key_Home);
        QTest::mouseClick(save, Qt::LeftButton);
        return dialog;
    }

    FreshFolder root_{"corvel-installed"};
    const fs::path programFolder_ = root_ / "usr/lib/corvel-editor";
    const fs::path userFolder_ = root_ / "config/corvel-editor";
    std::map<std::string, std::string> shipped_;
    RecordingPlatform platform_;
    std::unique_ptr<Program> program_;
};

void InstalledLayout::initTestCase() {
    const auto run = [](const char* program, const QStringList& arguments) {
        return QProcess::execute(QString::fromUtf8(program), arguments);
    };
    QCOMPARE(run("dpkg-deb", {"-x", CORVEL_DEB_FILE, QString::fromStdString(root_.path())}), 0);
    QVERIFY(fs::exists(programFolder_ / "index.html"));
    // Every write bit taken, as a package manager leaves a folder that only root may change.
    // (FreshFolder gives them back to remove it.)
    QCOMPARE(run("chmod", {"-R", "a-w", QString::fromStdString(programFolder_.string())}), 0);
    shipped_ = FilesBelow(programFolder_);
}

void InstalledLayout::firstStartSeedsAndSaveChangesOnlyTheUsersFile() {
    start(root_ / "config");
    QVERIFY(platform_.errors.isEmpty());
    QCOMPARE(fs::path(program_->context().SettingsFolder), userFolder_);
    // Seeded byte for byte: web.ini and the rule files, nothing of the page.
    const auto expected = SettingsFilesOf(shipped_);
    QVERIFY(expected.size() >= 3);
    QVERIFY(FilesBelow(userFolder_) == expected);
    // The page comes through its own scheme and reads the shipped values from the user's file.
    QCOMPARE(page().view()->url().scheme(), QLatin1String(kPageScheme));
    QCOMPARE(page().toolbarSet(), QStringLiteral("Standard"));
    // Every data file the page reads (rule files, web-page junk rules, publishing profiles) came.
    QTest::qWait(500);
    QCOMPARE(page().js(QStringLiteral("document.getElementById('corvel-notices').textContent")).toString(),
             QString());

    RequestRecorder requests;
    page().view()->page()->profile()->setUrlRequestInterceptor(&requests);
    QSignalSpy reloaded(page().view(), &QWebEngineView::loadFinished);
    const QPointer<QDialog> dialog = saveLargestToolbarSet();
    QVERIFY(dialog);
    QTRY_VERIFY(!isShown(dialog));
    QVERIFY(platform_.errors.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!reloaded.isEmpty(), kPageTimeoutMs);
    QVERIFY(page().waitUntilReady());
    QCOMPARE(page().toolbarSet(), QStringLiteral("All"));
    page().view()->page()->profile()->setUrlRequestInterceptor(nullptr);
    // The reload read the page and the settings through the scheme, and nothing else.
    QVERIFY(requests.schemes.count(QLatin1String(kPageScheme)) >= 4);
    for (const QString& scheme : requests.schemes) {
        QVERIFY2(scheme == QLatin1String(kPageScheme) || scheme == QLatin1String("data") ||
                     scheme == QLatin1String("blob"),
                 qPrintable(scheme));
    }

    const std::string ini =
        WithLineReplaced(shipped_.at("web.ini"), "toolbars=Standard", "toolbars=All");
    QVERIFY(!ini.empty() && ReadBytes(userFolder_ / "web.ini") == ini);
    QVERIFY(FilesBelow(programFolder_) == shipped_);
}

void InstalledLayout::secondStartKeepsTheUsersValues() {
    const auto before = FilesBelow(userFolder_);
    start(root_ / "config");
    QCOMPARE(page().toolbarSet(), QStringLiteral("All"));
    QVERIFY(FilesBelow(userFolder_) == before);
    QVERIFY(FilesBelow(programFolder_) == shipped_);
}

void InstalledLayout::unusableSettingsFolderStartsReadOnlyWithTheDefaults() {
    // A file where the configuration folder should be: nobody, root included, can create it.
    const fs::path blocked = root_ / "blocked";
    WriteBytes(blocked, "");
    platform_.errors.clear();
    start(blocked / "config");
    QCOMPARE(platform_.errors.size(), 1);
    QVERIFY(platform_.errors.first().contains(
        QString::fromStdString((blocked / "config/corvel-editor").string())));
    QVERIFY(platform_.errors.first().contains(QStringLiteral("路径中有一段不是文件夹")));
    QVERIFY(platform_.errors.first().contains(QStringLiteral("只读")));
    QVERIFY(program_->context().SettingsReadOnly);
    QCOMPARE(page().toolbarSet(), QStringLiteral("Standard"));

    const QPointer<QDialog> dialog = saveLargestToolbarSet();
    QCOMPARE(platform_.errors.size(), 2);
    QVERIFY(platform_.errors.last().contains(QStringLiteral("修改无法保存")));
    QVERIFY(isShown(dialog));  // the user's choice is still in it
    QVERIFY(FilesBelow(programFolder_) == shipped_);
}

int main(int argc, char** argv) {
    QTemporaryDir home;
    UseScratchWebStorage(home);
    registerProgramSchemes();
    QApplication app(argc, argv);
    InstalledLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "installed_layout_test.moc"
