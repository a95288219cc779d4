#pragma once

#include <QString>

namespace dravik::extsets {

// The extension that "Search Extention" takes from a file-list entry, by the length in the box
// SLen: the length with the dot (the default 4 takes TXT from readme.txt and ADME from README,
// nothing from page.js), or 0 for everything after the last dot.
class EntryExtension {
public:
    static constexpr int DefaultLength = 4;

    // The box's text as a length: its leading digits; a text without them counts as 0.
    static int lengthOf(const QString& text);
    // What the box holds after it loses the focus: the default unless it holds one character.
    static QString checkedLengthText(const QString& text);
    // Upper-cased; empty when the entry gives no extension.
    static QString extensionOf(const QString& entry, int length);
};

} // namespace dravik::extsets
