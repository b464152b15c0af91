#pragma once
// The five fixed addresses of the menus, one per role.

#include <QUrl>
#include <string>

enum class AddressRole { Article, Dictionary, Help, Tools, Home };

// The configured text of a role's address; empty when the role uses the shipped help page.
const char* configuredAddress(AddressRole role);

// The address a role's commands open. An empty configured address falls back to help.html
// in the program folder, as a file URL.
QUrl addressFor(AddressRole role, const std::string& appFolder);
