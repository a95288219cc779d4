#pragma once

#include <QString>
#include <QStringList>

namespace dravik::search {

// The words of a search text. Several words are typed joined by "|"; every piece between bars is
// a word, empty pieces included ("a||b" is three words, "a|" two), and a text without a bar is
// one word.
class WordList {
public:
    static QStringList split(const QString& text);
};

} // namespace dravik::search
