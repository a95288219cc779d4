#include "common/item_list.h"

#include "common/code_page.h"
#include "common/file_ops.h"
#include "common/item_reader.h"

namespace common {

QStringList ItemList::readCreating(const std::filesystem::path& file, const TextLimit& limit) {
    QStringList items;
    if (FileOps::createUnlessReadOnly(file) == FileOps::Presence::Absent)
        return items;
    ItemReader reader(file, limit);
    std::string_view item;
    while (reader.next(item))
        items << CodePage::decodeLine(item);
    return items;
}

} // namespace common
