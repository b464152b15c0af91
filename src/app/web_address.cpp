#include "web_address.h"

#include "folder_path.h"
#include "store_path.h"
#include "web_addresses.h"

const char* configuredAddress(AddressRole role) {
    switch (role) {
        case AddressRole::Article:
            return CORVEL_ARTICLE_ADDRESS;
        case AddressRole::Dictionary:
            return CORVEL_DICTIONARY_ADDRESS;
        case AddressRole::Help:
            return CORVEL_HELP_ADDRESS;
        case AddressRole::Tools:
            return CORVEL_TOOLS_ADDRESS;
        case AddressRole::Home:
            return CORVEL_HOME_ADDRESS;
    }
    return "";
}

QUrl addressFor(AddressRole role, const std::string& appFolder) {
    const QString configured = QString::fromUtf8(configuredAddress(role));
    if (!configured.isEmpty()) return QUrl(configured);
    return QUrl::fromLocalFile(FromStorePath(PathInFolder(appFolder, "help.html")));
}
