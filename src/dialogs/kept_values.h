#pragma once
// Controls filled from stored text. A control the user did not touch gives back exactly the
// bytes it was loaded with: Qt's widgets cannot hold everything a stored value may contain
// (CR or LF in a one-line box, a lone CR in a multi-line box, malformed UTF-8), and a Save
// must never alter a setting the user left alone.

#include <QString>
#include <string>
#include <string_view>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

QString ToQt(std::string_view utf8);
std::string FromQt(const QString& text);

// The text of a one-line or multi-line box, in the sense of a Windows text box: a multi-line
// box's lines are joined by CR LF.
class KeptText {
public:
    void load(QLineEdit* box, std::string text);
    void load(QPlainTextEdit* box, std::string text);

    bool changed() const;
    const std::string& loaded() const { return loaded_; }
    // The loaded bytes while the box is untouched; otherwise the box's text, with the lines
    // of a multi-line box joined by `lineEnding`.
    std::string value(std::string_view lineEnding = "\r\n") const;

private:
    QString current() const;

    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    std::string loaded_;
    QString shown_;
};

// A drop-down list of "label - word" items.
class KeptChoice {
public:
    // Selects the first item whose word is `stored`, or no item.
    void load(QComboBox* box, std::string stored);
    // The word of the selected item; the loaded text while no item is selected, so that a
    // setting the list does not know is kept.
    std::string value() const;

private:
    QComboBox* box_ = nullptr;
    std::string loaded_;
};

// Option buttons told apart by index, as the button group's ids. As on Windows, Tab stops at
// the selected button of the group only (at every button while none is selected); the arrow
// keys move within the group.
void NumberButtons(QButtonGroup* group, std::initializer_list<QAbstractButton*> buttons);
// Selects the button `id`, or none when `id` is -1.
void SelectButton(QButtonGroup* group, int id);
// A pair that reads "true" when its button `onId` is selected.
void LoadPair(QButtonGroup* group, std::string_view stored, int onId);
std::string PairValue(const QButtonGroup* group, int onId);
