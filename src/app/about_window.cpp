#include "about_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>

#include "program_version.h"
#include "web_addresses.h"
#include "window_metrics.h"

namespace {
QPointer<Form_About> theAbout;

QString rightsNotice() {
    const QString domain = QStringLiteral(CORVEL_MAKER_DOMAIN);
    return QStringLiteral("© ") + (domain.isEmpty() ? QStringLiteral("Corvel") : domain) +
           QStringLiteral(" 版权所有");
}
// The box is sized for four lines of a small dialog font; CJK fonts space their lines wider,
// so give each line an exact share of the box and keep the glyphs inside it.
void fitLines(QTextEdit* box) {
    const int lineHeight = box->height() / box->document()->blockCount();
    QFont font = box->font();
    font.setPixelSize(std::min(QFontInfo(font).pixelSize(), lineHeight - 2));
    box->setFont(font);
    QTextBlockFormat format;
    format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    QTextCursor cursor(box->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
}
}  // namespace

QString Form_About::aboutText() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("版本号：") + QStringLiteral(CORVEL_VERSION) + crlf + crlf + crlf +
           rightsNotice();
}

Form_About* Form_About::showInstance(const QString& settingsFolder) {
    Form_About* about = theAbout;
    if (!about) {
        about = new Form_About;
        theAbout = about;
    }
    about->Text_SettingsFolder->setVisible(!settingsFolder.isEmpty());
    about->Text_SettingsFolder->setText(QStringLiteral("设置文件夹：") + settingsFolder);
    about->Text_SettingsFolder->setCursorPosition(0);
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

Form_About* Form_About::instance() { return theAbout; }

Form_About::Form_About()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form_About"));
    setAttribute(Qt::WA_DeleteOnClose);  // closing unloads it; the next opening starts afresh
    setWindowTitle(QStringLiteral("关于Corvel编辑器"));
    setFixedSize(twipsSize(6030, 3195));

    Text_Show = new QTextEdit(this);
    Text_Show->setObjectName(QStringLiteral("Text_Show"));
    Text_Show->setGeometry(twipsRect(2280, 840, 2655, 855));
    Text_Show->setReadOnly(true);
    Text_Show->setFrameShape(QFrame::NoFrame);
    Text_Show->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text_Show->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text_Show->document()->setDocumentMargin(0);
    // Reads like a label on the dialog.
    QPalette palette = Text_Show->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
    Text_Show->setPalette(palette);
    Text_Show->setPlainText(aboutText());
    fitLines(Text_Show);

    OKButton = new QPushButton(QStringLiteral("确定"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(twipsRect(2400, 2400, 1215, 375));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &Form_About::OKButton_Click);

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(240, 480, 1500, 1500));
    Image1->setPixmap(QPixmap(QStringLiteral(":/app/about.jpg")));

    // Below the picture, above the button: the one place wide enough for a long path.
    Text_SettingsFolder = new QLineEdit(this);
    Text_SettingsFolder->setObjectName(QStringLiteral("Text_SettingsFolder"));
    Text_SettingsFolder->setGeometry(twipsRect(240, 2040, 5550, 300));
    Text_SettingsFolder->setReadOnly(true);
    Text_SettingsFolder->setFrame(false);
    Text_SettingsFolder->setPalette(palette);
    Text_SettingsFolder->hide();

    setTabOrder(OKButton, Text_Show);
    OKButton->setFocus();
}

void Form_About::OKButton_Click() { close(); }
