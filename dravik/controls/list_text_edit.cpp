#include "dravik/controls/list_text_edit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
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

ListTextEdit::ListTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // Line numbers come from the layout's lines, which are the text's lines only without wrap.
    setLineWrapMode(NoWrap);
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int, int added) {
        if (!loading_)
            countChangedLines(from, added);
    });
}

void ListTextEdit::setListText(QString text) {
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
    insertAtEnd(text);
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

int ListTextEdit::lineNumber(int position) const {
    const QTextBlock block = document()->findBlock(position);
    if (!block.isValid())
        return lineCount() - 1;
    const QString text = block.text();
    const qsizetype inBlock = std::clamp<qsizetype>(position - block.position(), 0, text.size());
    return block.firstLineNumber() +
           static_cast<int>(separatorsIn(QStringView(text).left(inBlock)));
}

int ListTextEdit::lineCount() const {
    return lineNumber(document()->characterCount() - 1) + 1;
}

QString ListTextEdit::selectedLines() const {
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
}

} // namespace dravik::controls
