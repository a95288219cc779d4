#include "dravik/controls/list_text_edit.h"

#include "common/list_text.h"
#include "common/text_limit.h"
#include "dravik/controls/row_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <vector>

namespace dravik::controls {

namespace {

constexpr char16_t LineSeparator = QChar::LineSeparator;

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == LineSeparator || c == QChar::ParagraphSeparator;
}

// Rewrites the line breaks of `text` in place for a document whose last block holds
// `linesInLastBlock` lines already: a line separator inside a block, a LF (a block break) once a
// block is full. Returns the lines of each block the text lands in, that last block first.
std::vector<int> groupLines(QString& text, int linesInLastBlock) {
    std::vector<int> blocks;
    blocks.reserve(static_cast<std::size_t>(text.size() / (ListTextEdit::LinesPerBlock * 32) + 1));
    int lines = linesInLastBlock;
    QChar* data = text.data();
    const qsizetype size = text.size();
    qsizetype read = 0;
    qsizetype write = 0;
    while (read < size) {
        // Nearly every character stays as it is: only a CR LF pair shortens the text.
        qsizetype run = read;
        while (run < size && data[run].unicode() > u'\r' && data[run].unicode() < LineSeparator)
            ++run;
        if (write != read)
            std::copy(data + read, data + run, data + write);
        write += run - read;
        read = run;
        if (read == size)
            break;
        const char16_t c = data[read++].unicode();
        if (c == 0xFDD0 || c == 0xFDD1) {
            // A text document takes these for frame marks; they are no characters of a name.
            data[write++] = QChar::ReplacementCharacter;
        } else if (!isLineBreak(c)) {
            data[write++] = c;
        } else {
            if (c == u'\r' && read < size && data[read] == u'\n')
                ++read;
            if (lines < ListTextEdit::LinesPerBlock) {
                data[write++] = LineSeparator;
                ++lines;
            } else {
                data[write++] = u'\n';
                blocks.push_back(lines);
                lines = 1;
            }
        }
    }
    blocks.push_back(lines);
    text.truncate(write);
    return blocks;
}

qsizetype separatorsIn(QStringView text) {
    return text.count(QChar(LineSeparator));
}

// The lines a block holds, kept in its user state once counted.
int linesOf(QTextBlock block) {
    if (block.userState() > 0)
        return block.userState();
    const int lines = static_cast<int>(separatorsIn(block.text())) + 1;
    block.setUserState(lines);
    return lines;
}

} // namespace

ListTextEdit::ListTextEdit(QWidget* parent) : QPlainTextEdit(parent), rowView_(new RowView(this)) {
    // Line numbers come from the layout's lines, which are the text's lines only without wrap.
    setLineWrapMode(NoWrap);
    rowView_->hide();
    connect(rowView_, &RowView::caretMoved, this, &ListTextEdit::cursorPositionChanged);
    connect(rowView_, &RowView::released, this, &ListTextEdit::released);
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int, int added) {
        if (!loading_)
            countChangedLines(from, added);
    });
}

void ListTextEdit::setListText(QString text) {
    leaveRows();
    {
        // One textChanged for the new text, sent when the caret is at the start already.
        const QSignalBlocker quiet(this);
        clear();
        insertAtEnd(text);
        moveCursor(QTextCursor::Start);
        document()->setModified(false);
    }
    emit textChanged();
    emit cursorPositionChanged();
}

void ListTextEdit::appendListText(QString text) {
    if (!rows_) {
        insertAtEnd(text);
        return;
    }
    rows_->append(text);
    rowView_->rowsAppended();
    emit textChanged();
}

void ListTextEdit::showListFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size < rowsFrom_) {
        setListText(common::ListText::load(file));
        return;
    }
    showRows(std::make_unique<common::ListRows>(
        std::make_unique<common::FileLines>(file, common::TextLimits::ListRows)));
    rowsBytes_ = size;
}

void ListTextEdit::showRows(std::unique_ptr<common::ListRows> rows) {
    {
        const QSignalBlocker quiet(this);
        QPlainTextEdit::clear();
    }
    rows_ = std::move(rows);
    rowView_->setGeometry(rect());
    rowView_->setRows(rows_.get());
    rowView_->show();
    rowView_->raise();
    const bool focused = hasFocus();
    setFocusProxy(rowView_);
    if (focused)
        rowView_->setFocus();
    emit textChanged();
}

void ListTextEdit::leaveRows() {
    if (!rows_)
        return;
    const bool focused = hasFocus();
    setFocusProxy(nullptr);
    rowView_->setRows(nullptr);
    rowView_->hide();
    rows_.reset();
    if (focused)
        setFocus();
}

bool ListTextEdit::makeDocument() {
    if (!rows_)
        return true;
    // A text of a report of millions of rows would take gigabytes and minutes to build.
    if (rowsBytes_ > documentsUpTo_)
        return false;
    setListText(rows_->wholeText());
    return true;
}

void ListTextEdit::clear() {
    leaveRows();
    QPlainTextEdit::clear();
}

bool ListTextEdit::isEmpty() const {
    if (rows_)
        return rows_->size() == 1 && rows_->text(0).isEmpty();
    return document()->isEmpty();
}

qint64 ListTextEdit::selectionStart() const {
    if (!rows_)
        return textCursor().selectionStart();
    const RowView::Place start = rowView_->selectionStart();
    return static_cast<qint64>(start.row) * RowStride + start.column;
}

qint64 ListTextEdit::findWord(const QString& word, qint64 from) {
    if (!rows_) {
        if (from < 0 || from > document()->characterCount() - 1)
            return -1;
        const QTextCursor found = document()->find(word, static_cast<int>(from));
        if (found.isNull())
            return -1;
        setTextCursor(found);
        return found.selectionStart();
    }
    if (from < 0)
        return -1;
    const auto found = rows_->find(word, {static_cast<std::size_t>(from / RowStride),
                                          static_cast<qsizetype>(from % RowStride)});
    if (!found)
        return -1;
    rowView_->select(*found, {found->row, found->column + word.size()});
    return static_cast<qint64>(found->row) * RowStride + found->column;
}

void ListTextEdit::insertAtEnd(QString& text) {
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextBlock block = doc->lastBlock();
    const std::vector<int> lines = groupLines(text, linesOf(block));
    loading_ = true;
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    end.beginEditBlock();
    end.insertText(text);
    // The layout learns each block's lines before it lays any out, so the scroll bar spans the
    // whole text at once and a line number is right for blocks never shown.
    for (const int count : lines) {
        block.setUserState(count);
        block.setLineCount(count);
        block = block.next();
    }
    end.endEditBlock();
    loading_ = false;
    doc->setUndoRedoEnabled(undo);
}

void ListTextEdit::countChangedLines(int from, int added) {
    const QTextBlock last = document()->findBlock(from + added);
    for (QTextBlock block = document()->findBlock(from); block.isValid(); block = block.next()) {
        block.setUserState(-1);
        block.setLineCount(linesOf(block));
        if (block == last)
            break;
    }
}

int ListTextEdit::lineNumber(qint64 place) const {
    if (rows_)
        return static_cast<int>(std::min<qint64>(place / RowStride, INT_MAX));
    const int position = static_cast<int>(std::clamp<qint64>(place, INT_MIN, INT_MAX));
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return lineCount() - 1;
    const QString text = block.text();
    const qsizetype inBlock = std::clamp<qsizetype>(position - block.position(), 0, text.size());
    return block.firstLineNumber() +
           static_cast<int>(separatorsIn(QStringView(text).left(inBlock)));
}

int ListTextEdit::lineCount() const {
    if (rows_)
        return static_cast<int>(std::min<std::size_t>(rows_->size(), INT_MAX));
    return lineNumber(document()->characterCount() - 1) + 1;
}

QString ListTextEdit::selectedLines() const {
    if (rows_)
        return rowView_->selectedText();
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar(LineSeparator), u'\n');
    return text;
}

QTextCursor ListTextEdit::lineAt(int position) const {
    const QTextBlock block = document()->findBlock(position);
    const QString text = block.text();
    const qsizetype offset = std::clamp<qsizetype>(position - block.position(), 0, text.size());
    const qsizetype before = offset == 0 ? -1 : text.lastIndexOf(QChar(LineSeparator), offset - 1);
    const qsizetype after = text.indexOf(QChar(LineSeparator), offset);
    QTextCursor line(document());
    line.setPosition(block.position() + static_cast<int>(before + 1));
    // With the line break, as a triple click on a block of its own selects it.
    const int end = after >= 0 ? block.position() + static_cast<int>(after) + 1
                               : block.position() + static_cast<int>(text.size()) +
                                     (block.next().isValid() ? 1 : 0);
    line.setPosition(end, QTextCursor::KeepAnchor);
    return line;
}

void ListTextEdit::extendByLines(int position) {
    QTextCursor selection(document());
    if (position < clickedLine_.selectionStart()) {
        selection.setPosition(clickedLine_.selectionEnd());
        selection.setPosition(lineAt(position).selectionStart(), QTextCursor::KeepAnchor);
    } else if (position >= clickedLine_.selectionEnd()) {
        selection.setPosition(clickedLine_.selectionStart());
        selection.setPosition(lineAt(position).selectionEnd(), QTextCursor::KeepAnchor);
    } else {
        selection = clickedLine_;
    }
    setTextCursor(selection);
}

void ListTextEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    rowView_->setGeometry(rect());
    if (event->oldSize().width() == event->size().width())
        return;
    // A new width drops every layout and counts each block as one line until it is shown again:
    // give the blocks their lines back, then the scroll bar its range.
    bool changed = false;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        const int lines = linesOf(block);
        if (block.lineCount() != lines) {
            block.setLineCount(lines);
            changed = true;
        }
    }
    if (changed) {
        QResizeEvent sameWidth(event->size(), event->size());
        QPlainTextEdit::resizeEvent(&sameWidth);
    }
}

void ListTextEdit::keyPressEvent(QKeyEvent* event) {
    if (!rows_) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Keys sent to the list view move the rows; keys the rows pass on go further up once.
    if (forwarding_) {
        event->ignore();
        return;
    }
    forwarding_ = true;
    QApplication::sendEvent(rowView_, event);
    forwarding_ = false;
    event->accept();
}

void ListTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        sinceDoubleClick_.start();
        doubleClickAt_ = event->position().toPoint();
    }
}

void ListTextEdit::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool triple = event->button() == Qt::LeftButton && sinceDoubleClick_.isValid() &&
                        !sinceDoubleClick_.hasExpired(QApplication::doubleClickInterval()) &&
                        (at - doubleClickAt_).manhattanLength() < QApplication::startDragDistance();
    sinceDoubleClick_.invalidate();
    QPlainTextEdit::mousePressEvent(event);
    if (!triple)
        return;
    // The text control selects the whole block; a row is one line of it.
    clickedLine_ = lineAt(cursorForPosition(at).position());
    setTextCursor(clickedLine_);
}

void ListTextEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!clickedLine_.isNull() && (event->buttons() & Qt::LeftButton)) {
        extendByLines(cursorForPosition(event->position().toPoint()).position());
        event->accept();
        return;
    }
    QPlainTextEdit::mouseMoveEvent(event);
}

void ListTextEdit::mouseReleaseEvent(QMouseEvent* event) {
    QPlainTextEdit::mouseReleaseEvent(event);
    clickedLine_ = QTextCursor();
    if (event->button() == Qt::LeftButton)
        emit released();
}

} // namespace dravik::controls
