#pragma once

#include "common/text_writer.h"

#include <QString>
#include <QStringList>

#include <filesystem>

namespace splitter {

// The discs already split, "DoneSplit.lys" in the data path: one name per line in the order they
// were finished. Names compare without regard to case.
class DoneList {
public:
    explicit DoneList(std::filesystem::path file);

    const std::filesystem::path& file() const { return file_; }
    // Creates the file empty when missing and reads it.
    void load();
    const QStringList& names() const { return names_; }
    bool contains(const QString& disc) const;
    void add(const QString& disc);
    // In memory only.
    void remove(const QString& disc);
    // Writes the whole list through a new file renamed over the old one; a run saves after
    // every disc and flushes to the disk only at its end.
    void
    save(common::TextWriter::Durability durability = common::TextWriter::Durability::Disk) const;

private:
    std::filesystem::path file_;
    QStringList names_;
};

} // namespace splitter
