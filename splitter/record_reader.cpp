#include "splitter/record_reader.h"

#include "common/code_page.h"
#include "common/disc_list_format.h"

namespace splitter {

namespace DiscListFormat = common::DiscListFormat;

RecordReader::RecordReader(const std::filesystem::path& list) : path_(list) {
    lines_.emplace(list);
    std::string_view first;
    if (!lines_->next(first)) {
        layout_ = Layout::Catalogue; // an empty file holds no record either way
        return;
    }
    const auto fileLine = DiscListFormat::parseFileLine(first);
    bool catalogue = DiscListFormat::isSummaryLine(first) ||
                     (fileLine && DiscListFormat::startsWithDrive(fileLine->folder));
    if (!catalogue) {
        const auto items = common::ItemReader::split(first);
        catalogue = items.size() == 2 && DiscListFormat::startsWithDrive(items[0]);
    }
    if (catalogue) {
        layout_ = Layout::Catalogue;
        pending_ = first;
        hasPending_ = true;
        return;
    }
    lines_.reset();
    items_.emplace(list);
}

std::size_t RecordReader::consumed() const {
    return lines_ ? lines_->consumed() : items_->consumed();
}

bool RecordReader::next(Record& record) {
    return layout_ == Layout::Catalogue ? nextCatalogue(record) : nextStamped(record);
}

bool RecordReader::nextCatalogue(Record& record) {
    std::string_view line;
    for (;;) {
        if (hasPending_) {
            line = pending_;
            hasPending_ = false;
        } else if (!lines_->next(line)) {
            return false;
        }
        if (line.empty() || DiscListFormat::isSummaryLine(line))
            continue;
        line = common::CodePage::inSystem(line, line_);
        record.stamp = {};
        if (const auto fields = DiscListFormat::parseFileLine(line)) {
            record.folder = fields->folder;
            record.name = fields->name;
            return true;
        }
        // Not the shape Dravik writes: read it by items, so no file of it is lost.
        const auto items = common::ItemReader::split(line);
        scratch_[0].assign(items[0]);
        scratch_[1].assign(items.size() > 1 ? items[1] : std::string_view{});
        record.folder = scratch_[0];
        record.name = scratch_[1];
        return true;
    }
}

bool RecordReader::nextStamped(Record& record) {
    std::string_view item;
    std::string_view* fields[3] = {&record.stamp, &record.folder, &record.name};
    for (int k = 0; k < 3; ++k) {
        if (!items_->next(item)) {
            cutShort_ = k > 0;
            return false;
        }
        *fields[k] = common::CodePage::inSystem(item, scratch_[k]);
        if (fields[k]->data() != scratch_[k].data() && k < 2) {
            // The item reader's view dies with the next item: keep a copy.
            scratch_[k].assign(item);
            *fields[k] = scratch_[k];
        }
    }
    return true;
}

} // namespace splitter
