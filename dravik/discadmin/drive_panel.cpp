#include "dravik/discadmin/drive_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <utility>

namespace dravik::discadmin {

using controls::CommandArray;
using controls::WCom;

namespace {

QFrame* makeDrivePanel(QWidget* host, CommandArray& wCom, QLabel*& explanation,
                       QListWidget*& letters) {
    QFrame* panel = controls::floatingPanel(host, "WDrive",
                                            QStringLiteral("Which is the default CD/DVD drive?"));
    explanation = new QLabel(panel);
    explanation->setObjectName(QStringLiteral("Label3"));
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(220);
    letters = new QListWidget(panel);
    letters->setObjectName(QStringLiteral("SScLys"));
    letters->setAccessibleName(QStringLiteral("Drive letters"));
    letters->setFixedWidth(60);
    auto* select = new QLabel(QStringLiteral("Select"), panel);
    select->setObjectName(QStringLiteral("Lab4"));
    auto* grid = new QGridLayout;
    grid->addWidget(explanation, 0, 0);
    grid->addWidget(letters, 0, 1, 2, 1);
    grid->addWidget(select, 1, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(wCom.add(
        WCom::Continue, QStringLiteral("Continue"),
        QStringLiteral("Set the default CD/DVD drive. If not set the program will not work!"),
        panel));
    QAbstractButton* cancel = wCom.add(WCom::Cancel, QStringLiteral("Cancel"), {}, panel);
    buttons->addWidget(cancel);
    controls::FloatingPanel::of(panel).setCancelButton(cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    controls::panelLayout(panel)->addLayout(grid);
    return panel;
}

} // namespace

DrivePanel::DrivePanel(QWidget* host, CommandArray& sellD, CommandArray& wCom)
    : QObject(nullptr), sellD_(sellD), driveRow_(new QWidget(host)) {
    buildDriveRow(sellD);
    warning_ = new QLabel(QStringLiteral("^^^^ Remember to SET the CD/DVD drive!"), host);
    warning_->setObjectName(QStringLiteral("Warning"));
    warning_->setStyleSheet(
        QStringLiteral("background:#c00000;color:yellow;font-weight:bold;padding:3px"));
    warning_->setWordWrap(true);
    warning_->hide();

    drivePanel_ = makeDrivePanel(host, wCom, explanation_, letters_);
    fix_ = wCom.add(WCom::Fix, QStringLiteral("FiX"),
                    QStringLiteral("Set a NEW Drive? FiX the OLD drive info with the NEW !   "
                                   "(Within ALL the current Disc Files)"),
                    host, QStringLiteral("Fix Set CD/DvD Info"));
}

void DrivePanel::buildDriveRow(CommandArray& sellD) {
    defaultDrivePanel_ = new QLabel(QStringLiteral("  Default Drive:"), driveRow_);
    defaultDrivePanel_->setObjectName(QStringLiteral("DefDrivePan"));
    defaultDrive_ = controls::sunkenLabel(driveRow_, "DefDrive");
    defaultDrive_->setMinimumWidth(28);
    defaultDrive_->setAlignment(Qt::AlignCenter);
    for (QLabel* label : {defaultDrivePanel_, defaultDrive_}) {
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    temporaryDrives_ = new QFrame(driveRow_);
    temporaryDrives_->setObjectName(QStringLiteral("SellDPan"));
    auto* panels = new QHBoxLayout(temporaryDrives_);
    panels->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < TemporaryDrives; ++i) {
        QWidget* panel = sellD.add(i, {}, {}, temporaryDrives_);
        panel->setToolTip(QStringLiteral("Click: use this drive. Right-click: type its letter."));
        panel->installEventFilter(this);
        panels->addWidget(panel);
    }
    temporaryDrives_->hide();
    auto* row = new QHBoxLayout(driveRow_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(defaultDrivePanel_);
    row->addWidget(defaultDrive_);
    row->addWidget(temporaryDrives_);
    row->addStretch();
}

void DrivePanel::setTemporaryDrive(int index, const QString& letter) {
    sellD_.element(index)->setText(letter);
}

QString DrivePanel::temporaryDrive(int index) const {
    return sellD_.element(index)->text();
}

void DrivePanel::awaitDriveChoice(DriveChosen next) {
    waiting_ = std::move(next);
}

void DrivePanel::driveChosen(const QString& letter) {
    if (letter.isEmpty() || !waiting_)
        return;
    // Taken out first: what runs next may wait for a drive again.
    const DriveChosen next = std::exchange(waiting_, nullptr);
    next(letter);
}

bool DrivePanel::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release)
        return QObject::eventFilter(watched, event);
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if ((watched == defaultDrivePanel_ || watched == defaultDrive_) && release &&
        button == Qt::LeftButton) {
        emit defaultDriveClicked();
        return true;
    }
    if (press && button == Qt::RightButton) {
        for (int i = 0; i < TemporaryDrives; ++i) {
            if (watched == sellD_.element(i)) {
                emit temporaryDriveRightPressed(i);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::discadmin
