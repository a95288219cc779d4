#include "dravik/reports/saved_reports.h"

#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/file_ops.h"
#include "common/list_text.h"
#include "common/name_resolver.h"
#include "common/wildcard.h"

#include <algorithm>

namespace dravik::reports {

SavedReports::SavedReports(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

std::filesystem::path SavedReports::folder() const {
    return common::NameResolver::resolve(dataFolder_, FolderName);
}

namespace {

// Reports are listed from their folder, never read back from a list of names: the gate alone
// says what a report name may be.
const common::FileNameGate& reportGate() {
    static const common::FileNameGate gate(QStringLiteral("report"), QStringLiteral(".rtf"));
    return gate;
}

} // namespace

std::optional<QString> SavedReports::refusal(const QString& name) {
    return reportGate().refusal(name);
}

std::filesystem::path SavedReports::target(const QString& name) const {
    return reportGate().place(folder(), name);
}

void SavedReports::makeFolder() const {
    std::error_code ec;
    std::filesystem::create_directory(folder(), ec);
}

std::filesystem::path SavedReports::save(const QString& name,
                                         const std::filesystem::path& quickReport) const {
    if (const auto reason = refusal(name))
        throw common::Error(common::ErrorNumber::InvalidArgument, reason->toStdString());
    makeFolder();
    const auto to = target(name);
    common::FileOps::copyReplacing(quickReport, to);
    return to;
}

QStringList SavedReports::list() const {
    QStringList names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(typeEc) && common::Wildcard::matches("*.rtf", name))
            names << QString::fromStdString(name);
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString SavedReports::header(const QString& fileName) {
    return QStringLiteral("\n================") + fileName + QStringLiteral("==============\n");
}

QString SavedReports::loadText(const QString& fileName) const {
    return header(fileName) +
           common::ListText::load(common::NameResolver::resolve(folder(), fileName.toStdString()));
}

} // namespace dravik::reports
