// The program as a user meets it after installing the package: the .deb unpacked into a
// temporary root, its program folder made read-only, the settings in the user's own folder.
// Run as an ordinary user by CTest (see as_ordinary_user.sh); the package's marker makes the
// same layout hold for root as well.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <map>
#include <memory>

#include "bas_main.h"
#include "editor_window.h"
#include "main_window.h"
#include "page_scheme.h"
#include "qt_test_files.h"
#include "recording_platform.h"
#include "url_schemes.h"
#include "web_script.h"

namespace {

constexpr int kPageTimeoutMs = 30000;

using Snapshot = std::map<QString, QByteArray>;

// Every request the page makes, by scheme: nothing may leave the machine.
class RequestRecorder : public QWebEngineUrlRequestInterceptor {
public:
    QStringList schemes;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        schemes << info.requestUrl().scheme();
    }
};

// Every file below `folder`, by relative path, with its bytes.
Snapshot snapshot(const QString& folder) {
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files[QDir(folder).relativeFilePath(file.fileName())] = file.readAll();
    }
    return files;
}

// Makes every file and folder below `folder` read-only (or writable again), as a package
// manager leaves a folder that only root may change.
void setWritable(const QString& folder, bool writable) {
    const QFileDevice::Permissions write =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QStringList all{folder};
    while (it.hasNext()) all << it.next();
    for (const QString& path : all) {
        QFile entry(path);
        const auto permissions = entry.permissions();
        entry.setPermissions(writable ? permissions | QFileDevice::WriteOwner
                                      : permissions & ~write);
    }
}

}  // namespace

class InstalledLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void firstStartSeedsAndSaveChangesOnlyTheUsersFile();
    void secondStartKeepsTheUsersValues();
    void unusableSettingsFolderStartsReadOnlyWithTheDefaults();
    void cleanupTestCase();

private:
    QWebEngineView* view() const { return program_->mainWindow()->editor()->browser(); }
    QVariant js(const QString& script) const {
        return RunScript(view()->page(), script).value_or(QVariant());
    }
    bool pageReady() const {
        return js(QStringLiteral("!!(window.corvelEditor && window.corvelEditor.ready)")).toBool();
    }
    QString toolbarSet() const { return js(QStringLiteral("corvelEditor.toolbarSet")).toString(); }
    void start(const QString& configHome);
    // 选项 > 编辑器设置, the largest toolbar set, Save. Returns the dialog.
    QPointer<QDialog> saveLargestToolbarSet();

    QTemporaryDir root_;
    QString programFolder_;
    QString userFolder_;
    Snapshot shipped_;
    RecordingPlatform platform_;
    std::unique_ptr<Program> program_;
};

void InstalledLayout::initTestCase() {
    QVERIFY(root_.isValid());
    QProcess unpack;
    unpack.start(QStringLiteral("dpkg-deb"),
                 {QStringLiteral("-x"), QStringLiteral(CORVEL_DEB_FILE), root_.path()});
    QVERIFY(unpack.waitForFinished(60000));
    QCOMPARE(unpack.exitCode(), 0);
    programFolder_ = root_.filePath(QStringLiteral("usr/lib/corvel-editor"));
    QVERIFY(QFile::exists(programFolder_ + QStringLiteral("/index.html")));
    setWritable(programFolder_, false);
    shipped_ = snapshot(programFolder_);
    userFolder_ = root_.filePath(QStringLiteral("config/corvel-editor"));
}

void InstalledLayout::start(const QString& configHome) {
    program_.reset();
    qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
    program_ = Program::start(programFolder_.toStdString(), platform_);
    QVERIFY(program_);
    QTRY_VERIFY_WITH_TIMEOUT(pageReady(), kPageTimeoutMs);
}

QPointer<QDialog> InstalledLayout::saveLargestToolbarSet() {
    Form_Editor_Main* main = program_->mainWindow();
    auto* command = main->findChild<QAction*>(QStringLiteral("Option_Ueditor"));
    if (!command) return nullptr;
    command->trigger();
    QPointer<QDialog> dialog = main->findChild<QDialog*>(QStringLiteral("Form_Option_Ueditor"));
    auto* toolbars =
        dialog ? dialog->findChild<QComboBox*>(QStringLiteral("Combo_toolbars")) : nullptr;
    auto* save = dialog ? dialog->findChild<QPushButton*>(QStringLiteral("Command_Save")) : nullptr;
    if (!toolbars || !save) return nullptr;
    QTest::keyClick(toolbars, Qt::Key_Home);
    QTest::mouseClick(save, Qt::LeftButton);
    return dialog;
}

bool isShown(const QWidget* widget) { return widget != nullptr && widget->isVisible(); }

void InstalledLayout::firstStartSeedsAndSaveChangesOnlyTheUsersFile() {
    start(root_.filePath(QStringLiteral("config")));
    QVERIFY(platform_.errors.isEmpty());
    QCOMPARE(QString::fromStdString(program_->context().SettingsFolder), userFolder_);
    // Seeded byte for byte: web.ini and the rule files, nothing of the page.
    const Snapshot seeded = snapshot(userFolder_);
    std::size_t settingsFiles = 0;
    for (const auto& [name, bytes] : shipped_)
        if (!name.contains(QLatin1Char('/')) &&
            (name == QLatin1String("web.ini") || name.endsWith(QLatin1String(".txt"))))
            ++settingsFiles;
    QCOMPARE(seeded.size(), settingsFiles);
    for (const auto& [name, bytes] : seeded) QCOMPARE(bytes, shipped_.at(name));
    // The page comes through its own scheme and reads the shipped values from the user's file.
    QCOMPARE(view()->url().scheme(), QLatin1String(kPageScheme));
    QCOMPARE(toolbarSet(), QStringLiteral("Standard"));

    RequestRecorder requests;
    view()->page()->profile()->setUrlRequestInterceptor(&requests);
    QSignalSpy reloaded(view(), &QWebEngineView::loadFinished);
    const QPointer<QDialog> dialog = saveLargestToolbarSet();
    QVERIFY(dialog);
    QTRY_VERIFY(!isShown(dialog));
    QVERIFY(platform_.errors.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!reloaded.isEmpty(), kPageTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(pageReady(), kPageTimeoutMs);
    QCOMPARE(toolbarSet(), QStringLiteral("All"));
    view()->page()->profile()->setUrlRequestInterceptor(nullptr);
    // The reload read the page and the settings through the scheme, and nothing else.
    QVERIFY(requests.schemes.count(QLatin1String(kPageScheme)) >= 4);
    for (const QString& scheme : requests.schemes) {
        QVERIFY2(scheme == QLatin1String(kPageScheme) || scheme == QLatin1String("data") ||
                     scheme == QLatin1String("blob"),
                 qPrintable(scheme));
    }

    QByteArray expected = shipped_.at(QStringLiteral("web.ini"));
    expected.replace("\r\ntoolbars=Standard\r\n", "\r\ntoolbars=All\r\n");
    QCOMPARE(FileBytes(userFolder_ + QStringLiteral("/web.ini")), expected);
    QVERIFY(snapshot(programFolder_) == shipped_);
}

void InstalledLayout::secondStartKeepsTheUsersValues() {
    const Snapshot before = snapshot(userFolder_);
    start(root_.filePath(QStringLiteral("config")));
    QCOMPARE(toolbarSet(), QStringLiteral("All"));
    QVERIFY(snapshot(userFolder_) == before);
    QVERIFY(snapshot(programFolder_) == shipped_);
}

void InstalledLayout::unusableSettingsFolderStartsReadOnlyWithTheDefaults() {
    // A file where the configuration folder should be: nobody, root included, can create it.
    const QString blocked = root_.filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    platform_.errors.clear();
    start(blocked + QStringLiteral("/config"));
    QCOMPARE(platform_.errors.size(), 1);
    QVERIFY(platform_.errors.first().contains(blocked + QStringLiteral("/config/corvel-editor")));
    QVERIFY(platform_.errors.first().contains(QStringLiteral("路径中有一段不是文件夹")));
    QVERIFY(platform_.errors.first().contains(QStringLiteral("只读")));
    QVERIFY(program_->context().SettingsReadOnly);
    QCOMPARE(toolbarSet(), QStringLiteral("Standard"));

    const QPointer<QDialog> dialog = saveLargestToolbarSet();
    QCOMPARE(platform_.errors.size(), 2);
    QVERIFY(platform_.errors.last().contains(QStringLiteral("修改无法保存")));
    QVERIFY(isShown(dialog));  // the user's choice is still in it
    QVERIFY(snapshot(programFolder_) == shipped_);
}

void InstalledLayout::cleanupTestCase() {
    program_.reset();
    setWritable(programFolder_, true);
}

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    registerProgramSchemes();
    QApplication app(argc, argv);
    InstalledLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "installed_layout_test.moc"
