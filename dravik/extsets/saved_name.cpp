#include "dravik/extsets/saved_name.h"

#include "common/code_page.h"

namespace dravik::extsets {

const common::FileNameGate& SavedName::gate(Kind kind) {
    static const common::FileNameGate report(QStringLiteral("report"), QStringLiteral(".rtf"));
    static const common::FileNameGate selection(QStringLiteral("selection"),
                                                QStringLiteral(".ini"));
    return kind == Kind::Report ? report : selection;
}

std::optional<QString> SavedName::refusal(const QString& name, Kind kind) {
    if (auto reason = gate(kind).refusal(name))
        return reason;
    if (kind == Kind::Report)
        return std::nullopt;
    if (name.contains(u','))
        return QStringLiteral("A selection name cannot hold a comma: the list of selections "
                              "would read it back as two names.");
    if (!common::CodePage::canEncode(name))
        return QStringLiteral("The selection name holds characters that the catalogue's code "
                              "page cannot hold.");
    return std::nullopt;
}

} // namespace dravik::extsets
