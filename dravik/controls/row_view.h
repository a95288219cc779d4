#pragma once

#include "common/list_rows.h"

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPoint>

namespace dravik::controls {

// Shows rows that are read when painted (common::ListRows), for a list far too long to become
// a text document: a caret and a selection of rows and characters, moved by mouse and keys as
// in a read-only text box. A triple click selects a row with its line break, and dragging on
// extends by rows.
class RowView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Place = common::ListRows::Place;

    // Characters of a row that are laid out; the rest lies far beyond the right edge anyway.
    static constexpr qsizetype ShownCharacters = 4096;

    explicit RowView(QWidget* parent = nullptr);

    // Shows other rows (or none), the caret at the start.
    void setRows(const common::ListRows* rows);
    // Tells the view that rows were appended.
    void rowsAppended();

    Place caret() const { return caret_; }
    Place selectionStart() const { return std::min(anchor_, caret_); }
    Place selectionEnd() const { return std::max(anchor_, caret_); }
    // Selects from `anchor` to `caret` and scrolls the caret into sight.
    void select(Place anchor, Place caret);
    // The selected text, each line break a LF.
    QString selectedText() const;

signals:
    void caretMoved();
    // The left button let go over the rows.
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::size_t rowCount() const { return rows_ ? rows_->size() : 0; }
    qsizetype rowLength(std::size_t row) const;
    int rowHeight() const;
    int visibleRows() const;
    Place placeAt(QPoint point) const;
    Place clamped(Place place) const;
    // The whole row with its line break (the start of the next row), as a triple click takes.
    std::pair<Place, Place> rowAround(std::size_t row) const;
    void moveCaret(Place to, bool extend);
    Place moved(int key, Qt::KeyboardModifiers modifiers) const;
    void ensureVisible(Place place);
    void adjustScrollBars();
    int xOf(const QString& text, qsizetype column) const;

    const common::ListRows* rows_ = nullptr;
    Place anchor_;
    Place caret_;
    // A triple click selects a row, and dragging on extends by rows.
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
    bool byRows_ = false;
    std::pair<Place, Place> clickedRow_;
    bool dragging_ = false;
};

} // namespace dravik::controls
