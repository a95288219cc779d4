#pragma once

#include "common/list_rows.h"
#include "common/text_limit.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPoint>
#include <QTextCursor>

#include <cstdint>
#include <filesystem>
#include <memory>

class QTextBlock;

namespace dravik::controls {

class RowView;

// The text of the list view `RtB`. A disc list can hold a million lines, and a text document
// with one block per line takes seconds to build and to lay out. So the lines are kept a few
// dozen to a block, joined inside a block by line separators (U+2028); a block lays out as many
// lines as it holds, since the view never wraps. Whatever asks for a line (a row number, the
// number of lines, a triple click, the selected text) asks this class, which counts lines, not
// blocks. Text set through setPlainText works the same, one line to a block.
// A list file of many megabytes is not made a text at all: its rows are read from the file when
// shown (a RowView over the text box), and the questions below are answered from them.
class ListTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    enum class Showing { Document, Rows };
    // A list file this big or bigger is shown as rows: 8 MiB lay out as a document in some 40 ms.
    static constexpr std::uint64_t RowsFrom = std::uint64_t(8) << 20;
    // Places in rows are row * RowStride + column; no row of a list is this long.
    static constexpr qint64 RowStride = qint64(1) << 20;

    // Lines held by one block: few enough to lay out at once when shown, enough that a million
    // lines make only some thirty thousand blocks.
    static constexpr int LinesPerBlock = 32;

    explicit ListTextEdit(QWidget* parent = nullptr);

    // Replaces the text, as setPlainText does: the caret at the start, no undo history, one
    // textChanged. Line breaks are LF, CR LF, a lone CR, U+2028 or U+2029.
    void setListText(QString text);
    // Appends text after the last character, as a cursor at the end inserting it would; the
    // undo history is dropped (loading is not an edit).
    void appendListText(QString text);
    // Shows a list file: a small one as a text, a big one as rows read when shown. Throws
    // common::Error when the file cannot be read or is no list.
    void showListFile(const std::filesystem::path& file);
    // Files of this size or more are shown as rows from now on.
    void setRowsFrom(std::uint64_t bytes) { rowsFrom_ = bytes; }
    Showing showing() const { return rows_ ? Showing::Rows : Showing::Document; }
    // Rows cannot be edited: they become a text first. False, and the rows stay, when their file
    // is larger than `setDocumentsUpTo` allows (a list shown whole may be, by default).
    bool makeDocument();
    void setDocumentsUpTo(std::uint64_t bytes) { documentsUpTo_ = bytes; }

    // Empties the view, rows too; hides QPlainTextEdit::clear.
    void clear();
    bool isEmpty() const;

    // A place of the text: the caret position of the document, or a place in the rows.
    qint64 selectionStart() const;
    // Selects the first `word` at or after `from`, in any case; its place, or -1 when none.
    qint64 findWord(const QString& word, qint64 from);

    // The 0-based line that holds a place of the text.
    int lineNumber(qint64 place) const;
    // The number of lines: a text ending in a line break has one more, an empty text has one.
    int lineCount() const;
    // The selected text with each line break as LF.
    QString selectedLines() const;

signals:
    // The left mouse button let go over the text.
    void released();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showRows(std::unique_ptr<common::ListRows> rows);
    void leaveRows();
    void insertAtEnd(QString& text);
    void countChangedLines(int from, int added);
    // The line around a position, with the line break after it when there is one.
    QTextCursor lineAt(int position) const;
    void extendByLines(int position);

    bool loading_ = false;
    std::uint64_t rowsFrom_ = RowsFrom;
    std::unique_ptr<common::ListRows> rows_;
    std::uint64_t rowsBytes_ = 0; // the size of the file the rows are read from
    std::uint64_t documentsUpTo_ = common::TextLimits::ListText.maxBytes;
    RowView* rowView_;
    bool forwarding_ = false;
    // A triple click selects a line, and dragging on extends by lines.
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
    QTextCursor clickedLine_;
};

} // namespace dravik::controls
