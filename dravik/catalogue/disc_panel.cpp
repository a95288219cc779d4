#include "dravik/catalogue/disc_panel.h"

#include "dravik/catalogue/disc_index.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/engraved_button.h"
#include "dravik/controls/list_adapter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace dravik::catalogue {

using controls::CommandArray;
using controls::GCom;
using controls::SSPanel1;

namespace {

bool isEnter(const QEvent* event) {
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The entry an arrow key steps to in the closed box: -1 up, +1 down, 0 for other keys.
int stepOf(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return 0;
    return key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
}

QFrame* makeNotice(QWidget* host) {
    auto* notice = new QFrame(host);
    notice->setObjectName(QStringLiteral("NewDisc"));
    notice->setStyleSheet(
        QStringLiteral("QFrame#NewDisc{background:#ffff80;border:1px solid #a0a000}"));
    notice->setCursor(Qt::PointingHandCursor);
    auto* lines = new QVBoxLayout(notice);
    lines->addWidget(new QLabel(QStringLiteral("List have CHANGED ! !"), notice));
    lines->addWidget(new QLabel(QStringLiteral("Click Me"), notice));
    notice->hide();
    return notice;
}

} // namespace

DiscPanel::DiscPanel(QWidget* host, CommandArray& gCom, CommandArray& ssPanel1)
    : QObject(nullptr), bar_(new QWidget(host)) {
    box_ = new QComboBox(bar_);
    box_->setObjectName(QStringLiteral("TeX"));
    box_->setAccessibleName(QStringLiteral("Disc name"));
    box_->setEditable(true);
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setMinimumWidth(240);
    box_->lineEdit()->setPlaceholderText(QStringLiteral("Disc name \u2014 Enter catalogues it"));
    box_->setProperty(CommandArray::HelpProperty,
                      QStringLiteral("Type the name of the disc to get data from and enter."));
    counter_ = controls::sunkenLabel(bar_, "DTel");
    counter_->setMinimumWidth(70);
    counter_->setProperty(CommandArray::HelpProperty,
                          QStringLiteral("How many discs are in the list?"));
    nextDisc_ = new controls::EngravedButton(bar_);
    nextDisc_->setObjectName(QStringLiteral("NDc"));
    nextDisc_->setCaption(QStringLiteral(">>"));
    nextDisc_->setToolTipText(QStringLiteral("NextDisc"));

    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(box_, 1);
    row->addWidget(counter_);
    row->addWidget(nextDisc_);
    row->addWidget(ssPanel1.add(SSPanel1::Open, QStringLiteral("OPEN"),
                                QStringLiteral("Open Selected disc"), bar_));
    row->addWidget(ssPanel1.add(
        SSPanel1::Rename, QStringLiteral("F5"),
        QStringLiteral("Press F5 to setfocus on the list/ Click to RENAME current disc"), bar_));
    row->addWidget(gCom.add(GCom::Create, QStringLiteral("CREATE"), {}, bar_));
    notice_ = makeNotice(host);

    // The box gets the keys and hands them to its line edit directly, past any filter on it.
    box_->installEventFilter(this);
    notice_->installEventFilter(this);
    list_ = box_->view();
    listArea_ = box_->view()->viewport();
    list_->installEventFilter(this);
    listArea_->installEventFilter(this);
    // The box also reports "activated" when its text loses the focus: only a real choice counts.
    connect(box_, &QComboBox::activated, this, [this] {
        if (!choosing_)
            return;
        choosing_ = false;
        emit discChosen();
    });
}

QString DiscPanel::name() const {
    return box_->currentText();
}

void DiscPanel::setName(const QString& name) {
    box_->setEditText(name);
}

void DiscPanel::offer(const QString& name) {
    box_->setEditText(name);
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || !focus->testAttribute(Qt::WA_InputMethodEnabled))
        box_->setFocus(Qt::OtherFocusReason);
    box_->lineEdit()->selectAll();
}

void DiscPanel::choose(const QString& name) {
    const int at = box_->findText(name, Qt::MatchFixedString);
    if (at >= 0)
        box_->setCurrentIndex(at);
}

bool DiscPanel::showsChosenEntry() const {
    const int shown = box_->currentIndex();
    return shown >= 0 && DiscIndex::sameName(box_->itemText(shown), box_->currentText());
}

void DiscPanel::follow(const DiscIndex& index) {
    auto* discs = new controls::ListAdapter(
        index, [&index]() -> const QStringList& { return index.names(); }, box_);
    const QString text = box_->currentText();
    box_->setModel(discs);
    box_->setEditText(text);
    showDiscCount();
    connect(&index, &DiscIndex::changed, this, [this, discs] { reloadDiscs(*discs); });
}

void DiscPanel::reloadDiscs(controls::ListAdapter& discs) {
    const QString text = box_->currentText();
    const bool chosen = showsChosenEntry();
    discs.reload();
    showDiscCount();
    // The entry the text names stays chosen; a typed text stays as typed.
    if (chosen)
        box_->setCurrentIndex(box_->findText(text, Qt::MatchFixedString));
    box_->setEditText(text);
}

void DiscPanel::showDiscCount() {
    counter_->setText(QString::number(box_->count()));
}

bool DiscPanel::filterBox(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (isEnter(event)) {
            emit enterPressed();
            return true; // the box would otherwise treat Enter as choosing an entry
        }
        // Stepping to another entry with the arrow keys chooses it, as a click in the list does.
        if (const int step = stepOf(event)) {
            // A typed text that is no entry stands before the first one.
            const int shown = box_->currentIndex();
            const int at = shown >= 0 && box_->itemText(shown) == box_->currentText() ? shown : -1;
            const int next = at + step;
            if (next >= 0 && next < box_->count()) {
                box_->setCurrentIndex(next);
                emit discChosen();
            }
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease) {
        emit keyReleased();
    }
    return false;
}

bool DiscPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_)
        return filterBox(event) || QObject::eventFilter(watched, event);
    if ((watched == listArea_ && event->type() == QEvent::MouseButtonRelease) ||
        (watched == list_ && event->type() == QEvent::KeyPress && isEnter(event)))
        choosing_ = true;
    if (watched == notice_ && event->type() == QEvent::MouseButtonRelease) {
        emit noticeClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::catalogue
