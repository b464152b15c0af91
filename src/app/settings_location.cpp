#include "settings_location.h"

#include <QString>

#include "app_context.h"
#include "file_error_text.h"
#include "platform.h"
#include "settings_place.h"
#include "store_path.h"

void settleSettingsFolder(AppContext& context, Platform& platform) {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    const QByteArray home = qgetenv("HOME");
    const corvel::settings::SettingsPlace place = corvel::settings::FindSettingsPlace(
        context.AppFolder, xdg.toStdString(), home.toStdString());
    context.SettingsFolder = place.folder.string();
    context.SettingsReadOnly = place.readOnly;
    if (place.problem) {
        platform.showError(nullptr,
                           QStringLiteral("无法使用设置文件夹“%1”。\n原因：%2\n\n"
                                          "程序将以只读方式使用默认设置启动，设置的修改无法保存。")
                               .arg(FromStorePath(place.userFolder.string()),
                                    FileErrorReason(*place.problem)));
    }
}
