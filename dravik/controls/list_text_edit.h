#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPoint>
#include <QTextCursor>

class QTextBlock;

namespace dravik::controls {

// The text of the list view `RtB`. A disc list can hold a million lines, and a text document
// with one block per line takes seconds to build and to lay out. So the lines are kept a few
// dozen to a block, joined inside a block by line separators (U+2028); a block lays out as many
// lines as it holds, since the view never wraps. Whatever asks for a line (a row number, the
// number of lines, a triple click, the selected text) asks this class, which counts lines, not
// blocks. Text set through setPlainText works the same, one line to a block.
class ListTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
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

    // The 0-based line that holds a position of the text.
    int lineNumber(int position) const;
    // The number of lines: a text ending in a line break has one more, an empty text has one.
    int lineCount() const;
    // The selected text with each line break as LF.
    QString selectedLines() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void insertAtEnd(QString& text);
    void countChangedLines(int from, int added);
    // The line around a position, with the line break after it when there is one.
    QTextCursor lineAt(int position) const;
    void extendByLines(int position);

    bool loading_ = false;
    // A triple click selects a line, and dragging on extends by lines.
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
    QTextCursor clickedLine_;
};

} // namespace dravik::controls
