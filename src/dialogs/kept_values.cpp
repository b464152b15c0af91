#include "kept_values.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <limits>

#include "text_rules.h"

QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void KeptText::load(QLineEdit* box, std::string text) {
    line_ = box;
    // A stored value may be longer than QLineEdit's default limit of 32767 characters.
    box->setMaxLength(std::numeric_limits<int>::max());
    loaded_ = std::move(text);
    box->setText(ToQt(loaded_));
    // Show the beginning of a long value, as a freshly filled box does.
    box->setCursorPosition(0);
    shown_ = current();
}

void KeptText::load(QPlainTextEdit* box, std::string text) {
    lines_ = box;
    loaded_ = std::move(text);
    box->setPlainText(ToQt(loaded_));
    shown_ = current();
}

QString KeptText::current() const {
    if (line_) return line_->text();
    // toPlainText() would turn no-break spaces into blanks; the raw text keeps them and marks
    // line breaks with the Unicode separators.
    QString text = lines_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return text;
}

bool KeptText::changed() const { return current() != shown_; }

std::string KeptText::value(std::string_view lineEnding) const {
    if (!changed()) return loaded_;
    const std::string text = FromQt(current());
    return line_ ? text : WithLineEnding(text, lineEnding);
}

void KeptChoice::load(QComboBox* box, std::string stored) {
    box_ = box;
    loaded_ = std::move(stored);
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(FromQt(box->itemText(i)));
    box->setCurrentIndex(FindItemByWord(items, loaded_));
}

std::string KeptChoice::value() const {
    if (box_->currentIndex() < 0) return loaded_;
    return std::string(ItemWord(FromQt(box_->currentText())));
}

void NumberButtons(QButtonGroup* group, std::initializer_list<QAbstractButton*> buttons) {
    int id = 0;
    for (auto* button : buttons) group->setId(button, id++);
    QObject::connect(group, &QButtonGroup::idToggled, group, [group] {
        const bool none = group->checkedId() < 0;
        for (auto* button : group->buttons()) {
            button->setFocusPolicy(none || button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    });
}

void SelectButton(QButtonGroup* group, int id) {
    if (auto* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group does not let its last checked button go.
    group->setExclusive(false);
    for (auto* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}

void LoadPair(QButtonGroup* group, std::string_view stored, int onId) {
    SelectButton(group, IsOn(stored) ? onId : 1 - onId);
}

std::string PairValue(const QButtonGroup* group, int onId) {
    return OnOff(group->checkedId() == onId);
}
