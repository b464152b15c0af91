#pragma once
// How the dialogs turn stored option text into the state of their controls and back.
// Pure byte-level UTF-8 text; no Qt.

#include <string>
#include <string_view>
#include <vector>

#include "utf8_text.h"  // IsValidUtf8

// A two-way setting is on only when it reads "true" exactly.
bool IsOn(std::string_view stored);
std::string OnOff(bool on);

// The word of a list item such as "扩展 - Extended": the text after the first " - ", up to
// the next " - " or the end. An item without the separator has no word (empty text).
std::string_view ItemWord(std::string_view item);

// The first item whose word equals `stored` exactly, or -1.
int FindItemByWord(const std::vector<std::string>& items, std::string_view stored);

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Lists of lines are stored as one value with "|-|" where the box has CR LF.
std::string StoredListToBox(std::string_view stored);
std::string BoxToStoredList(std::string_view boxText);

// Rejoins LF-separated lines (as Qt's text widgets give them) with `ending`.
std::string WithLineEnding(std::string_view lfText, std::string_view ending);
