#include "dravik/catalogue/catalogue_controller.h"

#include "common/error.h"
#include "common/number_format.h"
#include "common/settings_store.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/list_text.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/x_command_lup.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/main_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace dravik::catalogue {

namespace Answer = common::ui::Answer;
using common::ui::YieldPoint;
using workspace::MainWindow;
using workspace::Workspace;

namespace {

const QChar LB = Workspace::LineBreak;

} // namespace

CatalogueController::CatalogueController(MainWindow& window) : QObject(&window), window_(window) {
    auto& c = window.controls();
    // The box gets the keys and hands them to its line edit directly, past any filter on it.
    c.TeX->installEventFilter(this);
    c.NewDisc->installEventFilter(this);
    connect(c.NDc, &controls::XCommandLUP::Click, this, &CatalogueController::nextDisc);
}

QString CatalogueController::nextName(const QString& name) {
    qsizetype digits = 0;
    while (digits < name.size() && name[name.size() - 1 - digits].isDigit() &&
           name[name.size() - 1 - digits].unicode() < 128)
        ++digits;
    if (digits == 0)
        return name;
    QString number = name.right(digits);
    qsizetype i = number.size() - 1;
    for (; i >= 0; --i) {
        if (number[i] != u'9') {
            number[i] = QChar(char16_t(number[i].unicode() + 1));
            break;
        }
        number[i] = u'0';
    }
    if (i < 0)
        number.prepend(u'1');
    return name.left(name.size() - digits) + number;
}

void CatalogueController::nextDisc() {
    QComboBox* disc = window_.controls().TeX;
    disc->setEditText(nextName(disc->currentText()));
}

void CatalogueController::updateNameExists() {
    QComboBox* disc = window_.controls().TeX;
    const int shown = disc->currentIndex();
    window_.workspace().nameExists =
        shown >= 0 && Cataloguer::listed({disc->itemText(shown)}, disc->currentText());
}

bool CatalogueController::eventFilter(QObject* watched, QEvent* event) {
    auto& c = window_.controls();
    if (watched == c.TeX) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                namingStep();
                return true; // the box would otherwise treat Enter as choosing an entry
            }
        } else if (event->type() == QEvent::KeyRelease) {
            updateNameExists();
        }
    } else if (watched == c.NewDisc && event->type() == QEvent::MouseButtonRelease) {
        c.NewDisc->hide();
        try {
            common::SettingsStore(QStringLiteral("DRAVIK 2016"))
                .setValue(QStringLiteral("Changes"), QStringLiteral("NewDisc"),
                          QStringLiteral("False"));
        } catch (const common::Error& e) {
            window_.reportHandlerError(QStringLiteral("NewDisc_Click"), 0, e.number(),
                                       QString::fromStdString(e.description()));
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CatalogueController::create() {
    auto& c = window_.controls();
    window_.showOverPanel(c.CrePan);
    window_.yieldPoint().now();
    namingStep();
    c.CrePan->hide();
    c.CrePan->setText(QStringLiteral("CREATING. PLEASE Wait..."));
}

void CatalogueController::refuse(const QString& reason) {
    window_.msG(QStringLiteral("Disc name"), true, false, false, reason, 1);
}

void CatalogueController::discError() {
    window_.msG(
        QStringLiteral("Disc ERROR"), true, false, false,
        QStringLiteral("An unforseen problem:") + LB +
            QStringLiteral("1.   Disc in drive is blank") + LB +
            QStringLiteral("2.  Disc in drive is a RW and settings to read were not installed") +
            LB + QStringLiteral("3.  Disc cannot be read (for whatever reason)") + LB + LB +
            QStringLiteral("Conclusion:") + LB +
            QStringLiteral("If the problem persist, use another disc to write and store "
                           "data and/or information using this name for later creation."),
        1);
}

void CatalogueController::namingStep() {
    auto& c = window_.controls();
    Workspace& ws = window_.workspace();
    YieldPoint& yield = window_.yieldPoint();
    const QString name = c.TeX->currentText();

    // Nothing is written for a name that cannot be a file name, nor while a walk runs.
    if (const auto reason = Cataloguer::refusal(name)) {
        refuse(*reason);
        return;
    }
    const auto busy = walker::WalkLock::busyWith(ws.programFolder());
    if (building_ || !busy.empty()) {
        refuse(Cataloguer::busyMessage(busy));
        return;
    }

    if (ws.nameExists) {
        const int answer = window_.dialogs().message(
            QStringLiteral("Disc with filename already exists"),
            QStringLiteral("File already exists.") + LB +
                QStringLiteral("Do you want to Re-USE this filename? (Rebuild)"),
            common::ui::Buttons::YesNo, common::ui::Icon::Question);
        if (answer != Answer::Yes) {
            if (open_)
                open_();
            return;
        }
    }
    c.RtB->clear();
    if (!ws.automatic) {
        window_.msG(QStringLiteral("Autorun Message"), true, false, false,
                    QStringLiteral("If you have Autorun activated on your computer, please wait "
                                   "until it's finished loading (or click cancel and then close) "
                                   "before continueing this program.") +
                        LB + LB +
                        QStringLiteral("If you do, please do not be alarmed when the screen go "
                                       "blank for a while. The reason for this is because the "
                                       "panel on the left is been updated with the newest "
                                       "information."),
                    1);
    }

    Cataloguer cataloguer(ws.catalogue(), ws.drives());
    try {
        window_.showOverPanel(c.UpPan);
        yield.now();
        try {
            c.Drive1->setDrive(QStringLiteral("C"));
        } catch (const common::Error&) {
        }
        const QString drive = ws.defaultDrive();
        const auto root = cataloguer.scanRoot(drive); // 68 when no readable disc
        c.Drive1->setDrive(drive);
        c.Dir1->setPath(root, root);
        c.Drive1->refresh();
        c.UpPan->hide();
        yield.now();

        QStringList discs;
        for (int i = 0; i < c.TeX->count(); ++i)
            discs << c.TeX->itemText(i);
        if (!Cataloguer::listed(discs, name)) {
            cataloguer.recordName(name);
            c.TeX->addItem(name);
            c.TeX->setCurrentIndex(c.TeX->count() - 1);
            window_.setWindowTitle(QStringLiteral("Dravik 2016 [") + name + QStringLiteral("]"));
        } else {
            if (window_.msG(QStringLiteral("Name EXISTS!!!"), true, true, false,
                            QStringLiteral("The name already exists. Must I re-used the name?"),
                            1) != Answer::Yes)
                return;
            window_.showOverPanel(c.CrePan);
            yield.now();
        }
        Cataloguer::markChanged();
        c.Drive1->setDrive(drive);
        ws.namingState = Workspace::NameSet;
    } catch (const common::Error& e) {
        c.UpPan->hide();
        if (e.number() == common::ErrorNumber::DeviceUnavailable)
            discError();
        else
            window_.reportHandlerError(QStringLiteral("TeX_KeyPress"), 13, e.number(),
                                       QString::fromStdString(e.description()));
        return;
    }

    if (!ws.automatic && window_.msG(QStringLiteral("Name Set"), true, true, false,
                                     QStringLiteral("Are you ready to start?"), 0) != Answer::Yes)
        return;
    MainWindow::setTag(c.Lab4, QStringLiteral("5"));
    build(name);
}

walker::WalkEngine::Progress CatalogueController::walkProgress() {
    return [this](const walker::WalkCounts& now) {
        auto& c = window_.controls();
        c.FileLab->setText(common::NumberFormat::hashes(now.files));
        c.DirLab->setText(common::NumberFormat::hashes(now.folders));
        window_.yieldPoint().always();
    };
}

void CatalogueController::build(const QString& name) {
    auto& c = window_.controls();
    Workspace& ws = window_.workspace();
    YieldPoint& yield = window_.yieldPoint();
    const QString drive = ws.defaultDrive();
    MainWindow::setTag(c.RtB, QString());
    if (!ws.automatic &&
        window_.msG(QStringLiteral("Just to make certain"), true, true, false,
                    QStringLiteral("The following drive will be build:") + LB + LB +
                        QStringLiteral("Drive: [") + drive + QStringLiteral("]") + LB +
                        QStringLiteral(" Name: [") + name + QStringLiteral("].") + LB + LB +
                        QStringLiteral("Do you want me to continue?"),
                    0) == Answer::No) {
        ws.namingState = Workspace::NeedsName;
        return;
    }

    building_ = true;
    try {
        window_.showOverPanel(c.CrePan);
        yield.now();
        c.RtB->clear();
        c.LaB->setText(QStringLiteral("Creating Info"));
        yield.now();
        c.LaB->hide();
        Cataloguer cataloguer(ws.catalogue(), ws.drives());
        const auto counts = cataloguer.build(name, drive, walkProgress());
        c.LaB->show();
        const QString countsText =
            QStringLiteral(" Dir:") + common::NumberFormat::withZero(counts.folders) +
            QStringLiteral(" File:") + common::NumberFormat::withZero(counts.files);
        window_.setWindowTitle(window_.windowTitle() + countsText);
        yield.at({YieldPoint::Background});

        window_.restoreStatusColour();
        c.RtB->clear();
        MainWindow::colour(c.Label4, QColor(0, 255, 0));
        c.RtB->setPlainText(ListText::load(ws.catalogue().discListPath(name)));
        // The counts stay in the caption after it names the list.
        window_.dravikCap(name + QStringLiteral(".rtf"));
        window_.setWindowTitle(window_.windowTitle() + countsText);

        c.LaB->setText(QStringLiteral("Finished Creating. Loading Info (can take a while..."));
        yield.now();
        MainWindow::colour(c.LaB, QColor(255, 255, 0), Qt::black);
        QString finished = QStringLiteral("Finished.");
        if (counts.skipped > 0) {
            // A list that misses folders must not look complete.
            finished +=
                QStringLiteral(" INCOMPLETE: %1 folder(s) could not be read.").arg(counts.skipped);
            MainWindow::colour(c.LaB, QColor(255, 160, 0), Qt::black);
            window_.setWindowTitle(window_.windowTitle() +
                                   QStringLiteral(" (%1 folders unread)").arg(counts.skipped));
        }
        c.LaB->setText(finished);
        yield.now();
    } catch (const common::Error& e) {
        c.LaB->show();
        window_.reportHandlerError(QStringLiteral("GCom_click"), 0, e.number(),
                                   QString::fromStdString(e.description()));
    }
    building_ = false;
    ws.namingState = Workspace::NeedsName;
    c.RtB->setFocus();
    c.CrePan->hide();
    yield.now();
}

} // namespace dravik::catalogue
