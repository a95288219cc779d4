#include "dravik/reports/quick_report.h"

#include "common/name_resolver.h"
#include "common/text_writer.h"

namespace dravik::reports {

QuickReport::QuickReport(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

std::filesystem::path QuickReport::path() const {
    return common::NameResolver::resolve(programFolder_, FileName);
}

void QuickReport::createEmpty() const {
    common::TextWriter(path(), common::TextWriter::Mode::Replace).commit();
}

void QuickReport::write(const std::function<void(common::TextWriter&)>& writeRows) const {
    common::TextWriter writer(path(), common::TextWriter::Mode::Replace);
    writeRows(writer);
    writer.commit();
}

} // namespace dravik::reports
