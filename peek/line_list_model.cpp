#include "peek/line_list_model.h"

#include "common/code_page.h"
#include "common/line_store.h"

#include <algorithm>
#include <climits>

namespace peek {

namespace {

// Never cuts inside a UTF-8 sequence, so a valid line stays valid when shortened.
std::string_view shortened(std::string_view line) {
    if (line.size() <= LineListModel::ShownBytes)
        return line;
    std::size_t cut = LineListModel::ShownBytes;
    for (int back = 0; back < 3 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80; ++back)
        --cut;
    return line.substr(0, cut);
}

} // namespace

LineListModel::LineListModel(const LineStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {}

QModelIndex LineListModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || row >= published_ || column != 0 || parent.isValid())
        return {};
    return createIndex(row, column);
}

int LineListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_;
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= published_)
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::string_view line = store_.line(static_cast<std::size_t>(index.row()));
    if (line.size() <= ShownBytes)
        return common::CodePage::decodeLine(line);
    // The whole line decides the code page, as it does for the copy in the text box.
    const std::string_view part = shortened(line);
    if (common::CodePage::isValidUtf8(line))
        return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    return common::CodePage::fromWindows1252(part);
}

QString LineListModel::lineText(int row) const {
    if (row < 0 || row >= published_)
        return {};
    return common::CodePage::decodeLine(store_.line(static_cast<std::size_t>(row)));
}

void LineListModel::publish() {
    // A view counts rows in int; a file of more lines shows its first INT_MAX.
    const int available = static_cast<int>(std::min<std::size_t>(store_.size(), INT_MAX));
    if (available <= published_)
        return;
    beginInsertRows(QModelIndex(), published_, available - 1);
    published_ = available;
    endInsertRows();
}

void LineListModel::forget() {
    beginResetModel();
    published_ = 0;
    endResetModel();
}

} // namespace peek
