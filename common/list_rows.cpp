#include "common/list_rows.h"

#include "common/code_page.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <string>

namespace common {

namespace {

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Whether a file row may hold the word, from its bytes alone, so that find over millions of rows
// decodes only the few that may match. The word's longest ASCII run must be in the row, letters in
// either case: no character of either code page folds to an ASCII one, except the Kelvin sign
// (to k) and the long s (to s), which make a row a candidate for a run holding K or S.
class RowBytesFilter {
public:
    explicit RowBytesFilter(const QString& word) {
        std::string run;
        for (const QChar c : word) {
            if (c.unicode() >= 0x80) {
                run.clear();
                continue;
            }
            run += asciiUpper(static_cast<char>(c.unicode()));
            if (run.size() > run_.size())
                run_ = run;
        }
        foldsToRun_ = run_.find_first_of("KS") != std::string::npos;
    }

    bool mayHold(std::string_view line) const {
        if (run_.empty())
            return true;
        if (std::search(line.begin(), line.end(), run_.begin(), run_.end(),
                        [](char a, char b) { return asciiUpper(a) == b; }) != line.end())
            return true;
        return foldsToRun_ && (line.find(Kelvin) != std::string_view::npos ||
                               line.find(LongS) != std::string_view::npos);
    }

private:
    static constexpr std::string_view Kelvin = "\xE2\x84\xAA"; // U+212A in UTF-8
    static constexpr std::string_view LongS = "\xC5\xBF";      // U+017F

    std::string run_; // upper-cased
    bool foldsToRun_ = false;
};

// The pieces of a text between its line breaks.
QList<QStringView> linesOf(const QString& text) {
    QList<QStringView> lines;
    const QStringView all(text);
    qsizetype start = 0;
    for (qsizetype at = 0; at < all.size(); ++at) {
        const QChar c = all[at];
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(all.mid(start, at - start));
        if (c == u'\r' && at + 1 < all.size() && all[at + 1] == u'\n')
            ++at;
        start = at + 1;
    }
    lines.append(all.mid(start));
    return lines;
}

} // namespace

ListRows::ListRows() {
    kept_.append({});
}

ListRows::ListRows(std::unique_ptr<FileLines> file)
    : file_(std::move(file)), fileRows_(file_->size()), longest_(file_->longest()) {}

QString ListRows::text(std::size_t row) const {
    if (row < fileRows_)
        return CodePage::decodeLine(file_->line(row));
    if (row < size())
        return QString::fromUtf8(kept_.line(row - fileRows_));
    return {};
}

void ListRows::append(const QString& text) {
    const QList<QStringView> lines = linesOf(text);
    // The first line joins the last row, which moves to the kept rows when the file holds it.
    QString last = size() > 0 ? this->text(size() - 1) : QString();
    if (!kept_.empty())
        kept_.removeLast();
    else if (fileRows_ > 0)
        --fileRows_;
    last += lines.front();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray bytes = i == 0 ? last.toUtf8() : lines[i].toUtf8();
        kept_.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        longest_ =
            std::max(longest_, static_cast<std::size_t>(i == 0 ? last.size() : lines[i].size()));
    }
}

std::optional<ListRows::Place> ListRows::find(const QString& word, Place from) const {
    if (word.isEmpty())
        return std::nullopt;
    std::optional<Place> found;
    auto look = [&](std::size_t row, const QString& text) {
        const qsizetype column =
            text.indexOf(word, row == from.row ? from.column : 0, Qt::CaseInsensitive);
        if (column >= 0)
            found = Place{row, column};
        return !found;
    };
    if (from.row < fileRows_) {
        const RowBytesFilter filter(word);
        file_->scan(from.row, [&](std::size_t row, std::string_view line) {
            return row < fileRows_ &&
                   (!filter.mayHold(line) || look(row, CodePage::decodeLine(line)));
        });
    }
    for (std::size_t row = std::max(from.row, fileRows_); !found && row < size(); ++row)
        look(row, text(row));
    return found;
}

QString ListRows::wholeText() const {
    QString all;
    for (std::size_t row = 0; row < size(); ++row) {
        if (row > 0)
            all += u'\n';
        all += text(row);
    }
    return all;
}

} // namespace common
