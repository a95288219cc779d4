#include "dravik/controls/row_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace dravik::controls {

namespace {

constexpr int Margin = 4;

int clampedInt(std::size_t value) {
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

bool inWord(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

RowView::RowView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setBackgroundRole(QPalette::Base);
}

void RowView::setRows(const common::ListRows* rows) {
    rows_ = rows;
    anchor_ = caret_ = Place{};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    adjustScrollBars();
    viewport()->update();
    emit caretMoved();
}

void RowView::rowsAppended() {
    adjustScrollBars();
    viewport()->update();
}

qsizetype RowView::rowLength(std::size_t row) const {
    return row < rowCount() ? rows_->text(row).size() : 0;
}

int RowView::rowHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int RowView::visibleRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

void RowView::adjustScrollBars() {
    const int shown = visibleRows();
    verticalScrollBar()->setRange(0, std::max(0, clampedInt(rowCount()) - shown));
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setSingleStep(1);
    const std::size_t characters =
        std::min<std::size_t>(rows_ ? rows_->longest() : 0, ShownCharacters);
    const int width =
        clampedInt(characters * static_cast<std::size_t>(fontMetrics().horizontalAdvance(u'x'))) +
        2 * Margin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().horizontalAdvance(u'x'));
}

int RowView::xOf(const QString& text, qsizetype column) const {
    return fontMetrics().horizontalAdvance(
        text.left(std::clamp<qsizetype>(column, 0, text.size())));
}

void RowView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.fillRect(viewport()->rect(), colours.base());
    if (!rows_)
        return;
    const QFontMetrics metrics = fontMetrics();
    const int height = rowHeight();
    const std::size_t first = static_cast<std::size_t>(verticalScrollBar()->value());
    const int left = Margin - horizontalScrollBar()->value();
    const Place from = selectionStart();
    const Place to = selectionEnd();
    for (int i = 0; i <= visibleRows() && first + static_cast<std::size_t>(i) < rowCount(); ++i) {
        const std::size_t row = first + static_cast<std::size_t>(i);
        const QString text = rows_->text(row).left(ShownCharacters);
        const int y = i * height;
        painter.setPen(colours.text().color());
        painter.drawText(left, y + metrics.ascent(), text);
        if (from != to && row >= from.row && row <= to.row) {
            // The line break of a selected row shows as one blank's width.
            const int start = left + (row == from.row ? xOf(text, from.column) : 0);
            const int end = row == to.row
                                ? left + xOf(text, to.column)
                                : left + xOf(text, text.size()) + metrics.horizontalAdvance(u' ');
            const QRect selected(start, y, end - start, height);
            painter.fillRect(selected, colours.highlight());
            painter.save();
            painter.setClipRect(selected);
            painter.setPen(colours.highlightedText().color());
            painter.drawText(left, y + metrics.ascent(), text);
            painter.restore();
        }
        if (row == caret_.row && hasFocus())
            painter.fillRect(QRect(left + xOf(text, caret_.column), y, 1, height), colours.text());
    }
}

void RowView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    adjustScrollBars();
}

RowView::Place RowView::clamped(Place place) const {
    if (rowCount() == 0)
        return {};
    place.row = std::min(place.row, rowCount() - 1);
    place.column = std::clamp<qsizetype>(place.column, 0, rowLength(place.row));
    return place;
}

RowView::Place RowView::placeAt(QPoint point) const {
    const int row = verticalScrollBar()->value() + std::max(0, point.y()) / rowHeight();
    Place place{static_cast<std::size_t>(row), 0};
    if (place.row >= rowCount())
        return clamped(Place{rowCount(), LLONG_MAX});
    const QString text = rows_->text(place.row).left(ShownCharacters);
    const int x = point.x() - Margin + horizontalScrollBar()->value();
    // The column whose left edge lies nearest the point.
    qsizetype column = 0;
    while (column < text.size() && (xOf(text, column) + xOf(text, column + 1)) / 2 < x)
        ++column;
    place.column = column;
    return place;
}

std::pair<RowView::Place, RowView::Place> RowView::rowAround(std::size_t row) const {
    const Place start{row, 0};
    if (row + 1 < rowCount())
        return {start, Place{row + 1, 0}};
    return {start, Place{row, rowLength(row)}};
}

void RowView::select(Place anchor, Place caret) {
    anchor_ = clamped(anchor);
    caret_ = clamped(caret);
    ensureVisible(caret_);
    viewport()->update();
    emit caretMoved();
}

void RowView::moveCaret(Place to, bool extend) {
    select(extend ? anchor_ : to, to);
}

void RowView::ensureVisible(Place place) {
    QScrollBar* rows = verticalScrollBar();
    const int row = clampedInt(place.row);
    if (row < rows->value())
        rows->setValue(row);
    else if (row >= rows->value() + visibleRows())
        rows->setValue(row - visibleRows() + 1);
    if (!rows_ || place.row >= rowCount())
        return;
    const int x = Margin + xOf(rows_->text(place.row).left(ShownCharacters), place.column);
    QScrollBar* across = horizontalScrollBar();
    if (x < across->value())
        across->setValue(std::max(0, x - viewport()->width() / 2));
    else if (x >= across->value() + viewport()->width())
        across->setValue(x - viewport()->width() / 2);
}

QString RowView::selectedText() const {
    if (!rows_)
        return {};
    const Place from = selectionStart();
    const Place to = selectionEnd();
    if (from.row == to.row)
        return rows_->text(from.row).mid(from.column, to.column - from.column);
    QString text = rows_->text(from.row).mid(from.column);
    for (std::size_t row = from.row + 1; row < to.row; ++row)
        text += u'\n' + rows_->text(row);
    return text + u'\n' + rows_->text(to.row).left(to.column);
}

RowView::Place RowView::moved(int key, Qt::KeyboardModifiers modifiers) const {
    Place place = caret_;
    const bool control = modifiers & Qt::ControlModifier;
    const std::size_t page = static_cast<std::size_t>(visibleRows());
    const std::size_t last = rowCount() == 0 ? 0 : rowCount() - 1;
    switch (key) {
    case Qt::Key_Up:
        place.row = place.row > 0 ? place.row - 1 : 0;
        break;
    case Qt::Key_Down:
        place.row = std::min(place.row + 1, last);
        break;
    case Qt::Key_PageUp:
        place.row = place.row > page ? place.row - page : 0;
        break;
    case Qt::Key_PageDown:
        place.row = std::min(place.row + page, last);
        break;
    case Qt::Key_Left:
        if (place.column > 0)
            --place.column;
        else if (place.row > 0)
            place = Place{place.row - 1, rowLength(place.row - 1)};
        break;
    case Qt::Key_Right:
        if (place.column < rowLength(place.row))
            ++place.column;
        else if (place.row < last)
            place = Place{place.row + 1, 0};
        break;
    case Qt::Key_Home:
        place = control ? Place{} : Place{place.row, 0};
        break;
    case Qt::Key_End:
        place = control ? Place{last, rowLength(last)} : Place{place.row, rowLength(place.row)};
        break;
    default:
        break;
    }
    return clamped(place);
}

void RowView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::SelectAll) {
        select(Place{}, Place{rowCount(), LLONG_MAX});
        return;
    }
    if (event == QKeySequence::Copy) {
        QApplication::clipboard()->setText(selectedText());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        moveCaret(moved(event->key(), event->modifiers()), event->modifiers() & Qt::ShiftModifier);
        return;
    default:
        // F3, F4 and the rest are for whoever watches the list view.
        event->ignore();
    }
}

void RowView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const bool triple = sinceDoubleClick_.isValid() &&
                        !sinceDoubleClick_.hasExpired(QApplication::doubleClickInterval()) &&
                        (at - doubleClickAt_).manhattanLength() < QApplication::startDragDistance();
    sinceDoubleClick_.invalidate();
    dragging_ = true;
    byRows_ = triple;
    if (triple) {
        clickedRow_ = rowAround(placeAt(at).row);
        select(clickedRow_.first, clickedRow_.second);
        return;
    }
    moveCaret(placeAt(at), event->modifiers() & Qt::ShiftModifier);
}

void RowView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton))
        return;
    const Place at = placeAt(event->position().toPoint());
    if (!byRows_) {
        moveCaret(at, true);
        return;
    }
    if (at.row < clickedRow_.first.row)
        select(clickedRow_.second, rowAround(at.row).first);
    else if (at.row > clickedRow_.first.row)
        select(clickedRow_.first, rowAround(at.row).second);
    else
        select(clickedRow_.first, clickedRow_.second);
}

void RowView::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    byRows_ = false;
    if (event->button() == Qt::LeftButton)
        emit released();
}

void RowView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rows_)
        return;
    const Place at = placeAt(event->position().toPoint());
    const QString text = rows_->text(at.row);
    qsizetype start = at.column;
    qsizetype end = at.column;
    while (start > 0 && inWord(text[start - 1]))
        --start;
    while (end < text.size() && inWord(text[end]))
        ++end;
    select(Place{at.row, start}, Place{at.row, end});
    sinceDoubleClick_.start();
    doubleClickAt_ = event->position().toPoint();
}

void RowView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void RowView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace dravik::controls
