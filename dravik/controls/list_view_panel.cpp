#include "dravik/controls/list_view_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace dravik::controls {

namespace {

QLabel* overlay(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("background:#203060;color:white;font-weight:bold;"
                                        "border:2px outset #8090c0;padding:12px"));
    label->setFixedSize(320, 70);
    label->hide();
    return label;
}

} // namespace

ListViewPanel::ListViewPanel(QWidget* host) : QObject(nullptr), host_(host) {
    view_ = new ListTextEdit(host);
    view_->setObjectName(QStringLiteral("RtB"));
    view_->setAccessibleName(QStringLiteral("Disc list"));
    setEditable(false);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setProperty(CommandArray::HelpProperty,
                       QStringLiteral("To select: Lckick three(3) times"));

    statusRow_ = new QWidget(host);
    listState_ = sunkenLabel(statusRow_, "Label4", QStringLiteral("Update X-Files"));
    status_ = sunkenLabel(statusRow_, "LaB");
    status_->setAutoFillBackground(true);
    status_->setMinimumWidth(260);
    // The status changes all the time while something runs: its text must not move the row.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    fileCount_ = sunkenLabel(statusRow_, "FileLab");
    fileCount_->setMinimumWidth(70);
    folderCount_ = sunkenLabel(statusRow_, "DirLab");
    folderCount_->setMinimumWidth(60);
    auto* row = new QHBoxLayout(statusRow_);
    row->setContentsMargins(0, 0, 0, 0);
    listState_->setCursor(Qt::PointingHandCursor);
    listState_->installEventFilter(this);
    row->addWidget(listState_);
    row->addWidget(status_, 1);
    row->addWidget(new QLabel(QStringLiteral("Files:"), statusRow_));
    row->addWidget(fileCount_);
    row->addWidget(new QLabel(QStringLiteral("Folders:"), statusRow_));
    row->addWidget(folderCount_);
    rowLabel_ = new QLabel(QStringLiteral("Row:"), statusRow_);
    rowLabel_->setObjectName(QStringLiteral("Label5"));
    rowCount_ = sunkenLabel(statusRow_, "LinkTel");
    rowCount_->setFixedWidth(80);
    row->addWidget(rowLabel_);
    row->addWidget(rowCount_);
    const char* tips[2] = {"Wide list", "Narrow list"};
    const QStyle::StandardPixmap arrows[2] = {QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QToolButton(statusRow_);
        button->setObjectName(QStringLiteral("RTXw_%1").arg(i));
        button->setToolTip(QString::fromLatin1(tips[i]));
        button->setAccessibleName(QString::fromLatin1(tips[i]));
        button->setIcon(button->style()->standardIcon(arrows[i]));
        connect(button, &QToolButton::clicked, this, [this, i] { emit widthChosen(Width(i)); });
        row->addWidget(button);
    }

    notices_[int(Notice::Creating)] =
        overlay(host, "CrePan", QStringLiteral("CREATING. PLEASE Wait..."));
    notices_[int(Notice::UpdatingDrive)] =
        overlay(host, "UpPan", QStringLiteral("Updating drive info..."));
    notices_[int(Notice::Loading)] = overlay(host, "Wag", QStringLiteral("Busy Loading..."));
}

QLabel* ListViewPanel::notice(Notice which) const {
    return notices_[int(which)];
}

void ListViewPanel::showNotice(Notice which) {
    QLabel* panel = notice(which);
    const QPoint centre = view_->mapTo(panel->parentWidget(), view_->rect().center());
    showInside(panel, centre - panel->rect().center());
}

void ListViewPanel::hideNotice(Notice which) {
    notice(which)->hide();
}

void ListViewPanel::setStatus(const QString& text) {
    status_->setText(text);
}

void ListViewPanel::paintStatus(const QColor& back, const QColor& text) {
    paint(status_, back, text);
}

void ListViewPanel::rememberStatusColour() {
    statusColour_ = status_->palette().color(QPalette::Window);
}

void ListViewPanel::restoreStatusColour() {
    paint(status_, statusColour_, host_->palette().color(QPalette::WindowText));
}

void ListViewPanel::toggleEditable() {
    setEditable(view_->isReadOnly());
    view_->setFocus();
}

void ListViewPanel::setEditable(bool editable) {
    if (editable && !view_->makeDocument()) {
        editable = false; // a list too large to edit is still read, found in and copied
        setStatus(TooLargeToEdit);
    }
    view_->setReadOnly(!editable);
    if (!editable)
        view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

} // namespace dravik::controls

namespace dravik::controls {

bool ListViewPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == listState_ && event->type() == QEvent::MouseButtonRelease) {
        emit listStateClicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::controls
