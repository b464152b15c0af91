#pragma once
// What the user sees when the desktop could not open an address (no web browser set up).

#include <QUrl>

class QDialog;
class QWidget;

// A dialog saying so in Chinese, with the address in a read-only field, selected, so that it
// can be copied into a browser by hand. Not shown yet; deletes itself when closed.
QDialog* makeUnopenedAddressDialog(const QUrl& url, QWidget* parent);
