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
    open()->commit();
}

void QuickReport::write(const std::function<void(common::TextWriter&)>& writeRows) const {
    const auto writer = open();
    writeRows(*writer);
    writer->commit();
}

std::unique_ptr<common::TextWriter> QuickReport::open() const {
    return std::make_unique<common::TextWriter>(path(), common::TextWriter::Mode::Replace,
                                                common::TextWriter::Durability::Process);
}

} // namespace dravik::reports
