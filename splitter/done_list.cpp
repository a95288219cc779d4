#include "splitter/done_list.h"

#include "common/code_page.h"
#include "common/file_ops.h"
#include "common/line_reader.h"
#include "common/upper_case.h"

namespace splitter {

DoneList::DoneList(std::filesystem::path file) : file_(std::move(file)) {}

void DoneList::load() {
    common::FileOps::createIfMissing(file_);
    names_.clear();
    for (const std::string& line : common::LineReader::readAll(file_))
        names_ << common::CodePage::decodeLine(line);
}

bool DoneList::contains(const QString& disc) const {
    for (const QString& name : names_) {
        if (common::UpperCase::equal(name, disc))
            return true;
    }
    return false;
}

void DoneList::add(const QString& disc) {
    names_ << disc;
}

void DoneList::remove(const QString& disc) {
    names_.removeIf([&](const QString& name) { return common::UpperCase::equal(name, disc); });
}

void DoneList::save(common::TextWriter::Durability durability) const {
    common::TextWriter::replaceLines(file_, names_, durability);
}

} // namespace splitter
