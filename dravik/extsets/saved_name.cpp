#include "dravik/extsets/saved_name.h"

#include "common/code_page.h"

namespace dravik::extsets {

const common::FileNameGate& SavedName::gate() {
    static const common::FileNameGate selection(QStringLiteral("selection"),
                                                QStringLiteral(".ini"));
    return selection;
}

std::optional<QString> SavedName::refusal(const QString& name) {
    if (auto reason = gate().refusal(name))
        return reason;
    if (name.contains(u','))
        return QStringLiteral("A selection name cannot hold a comma: the list of selections "
                              "would read it back as two names.");
    if (!common::CodePage::canEncode(name))
        return QStringLiteral("The selection name holds characters that the catalogue's code "
                              "page cannot hold.");
    return std::nullopt;
}

} // namespace dravik::extsets
