#include "unopened_address.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "window_metrics.h"

QDialog* makeUnopenedAddressDialog(const QUrl& url, QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("UnopenedAddress"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(programCaption());
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(
        QStringLiteral("无法打开网址：系统中没有设置默认的网页浏览器，或浏览器未能启动。\n"
                       "请复制下面的网址，粘贴到浏览器的地址栏中打开。"),
        dialog));
    auto* address = new QLineEdit(url.toString(), dialog);
    address->setObjectName(QStringLiteral("Text_Address"));
    address->setReadOnly(true);
    address->setMinimumWidth(420);
    address->selectAll();
    layout->addWidget(address);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    layout->addWidget(buttons);
    address->setFocus();
    return dialog;
}
