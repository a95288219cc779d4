#include "dravik/extsets/saved_name.h"

#include "common/upper_case.h"
#include "dravik/catalogue/cataloguer.h"

namespace dravik::extsets {

std::optional<QString> SavedName::refusal(const QString& name, Kind kind) {
    const QString what =
        kind == Kind::Report ? QStringLiteral("report") : QStringLiteral("selection");
    if (auto reason = catalogue::Cataloguer::refusal(name)) {
        if (reason->contains(QStringLiteral("disc index")))
            return kind == Kind::Report
                       ? QStringLiteral("A report name cannot hold a comma.")
                       : QStringLiteral("A selection name cannot hold a comma: the list of "
                                        "selections would read it back as two names.");
        return reason->replace(QStringLiteral("disc name"), what + QStringLiteral(" name"))
            .replace(QStringLiteral("the disc"), QStringLiteral("the ") + what);
    }
    const QString upper = common::UpperCase::of(name);
    for (const char* own : {"ExtLys", "RemSel"}) {
        if (upper == common::UpperCase::of(QString::fromLatin1(own)))
            return QStringLiteral("\"%1\" is the name of a list the program keeps (%2.ini) and "
                                  "cannot name a %3.")
                .arg(name, QString::fromLatin1(own), what);
    }
    return std::nullopt;
}

} // namespace dravik::extsets
