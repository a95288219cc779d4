#include "dravik/extsets/entry_extension.h"

#include "common/upper_case.h"

namespace dravik::extsets {

int EntryExtension::lengthOf(const QString& text) {
    int value = 0;
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && value < 100000; ++i)
        value = value * 10 + (text[i].unicode() - u'0');
    return value;
}

QString EntryExtension::checkedLengthText(const QString& text) {
    return text.size() == 1 ? text : QString::number(DefaultLength);
}

QString EntryExtension::extensionOf(const QString& entry, int length) {
    if (length <= 0) {
        const qsizetype dot = entry.lastIndexOf(u'.');
        return common::UpperCase::of(dot < 0 ? entry : entry.mid(dot + 1));
    }
    QString tail = common::UpperCase::of(entry.right(length));
    const qsizetype dot = tail.indexOf(u'.');
    if (dot >= 0)
        tail = tail.mid(dot + 1);
    return tail.size() < length - 1 ? QString() : tail;
}

} // namespace dravik::extsets
