#include "dravik/catalogue/disc_opener.h"

#include "common/error.h"
#include "common/number_format.h"
#include "common/process_starter.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "common/ui/file_list_box.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/catalogue/list_text.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/command_router.h"
#include "dravik/workspace/main_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace dravik::catalogue {

namespace Answer = common::ui::Answer;
using common::ui::YieldPoint;
using workspace::MainWindow;
using workspace::Workspace;

DiscOpener::DiscOpener(MainWindow& window) : QObject(&window), window_(window) {}

bool DiscOpener::startViewer(const QString& listPath) {
    return common::ProcessStarter::startDetached(
        common::ProgramFolder::siblingProgram(QStringLiteral("peek")), {listPath});
}

void DiscOpener::open() {
    auto& c = window_.controls();
    Workspace& ws = window_.workspace();
    YieldPoint& yield = window_.yieldPoint();
    const QString name = c.TeX->currentText();
    const QChar lb = Workspace::LineBreak;

    window_.restoreStatusColour();
    c.File1->setEnabled(false);
    c.LaB->setText(QStringLiteral("Loading Info"));
    yield.now();
    if (!ws.automatic && window_.msG(QStringLiteral("Open Disc to Load"), true, true, false,
                                     QStringLiteral("You are about to open:") + lb + lb + name +
                                         lb + lb + QStringLiteral("Do you want to continue?"),
                                     0) == Answer::No)
        return;
    c.RtB->clear();
    c.DirLab->clear();
    c.FileLab->clear();
    window_.showOverPanel(c.Wag);
    c.Wag->setFocus();
    yield.at({YieldPoint::Normal});

    try {
        const auto path = ws.catalogue().discListPath(name);
        const QString pathText = QString::fromStdString(path.string());
        const int answer = window_.dialogs().message(
            QStringLiteral("Where to open disc"),
            QStringLiteral("Open disc in this program (Yes) or in New List(No)"),
            common::ui::Buttons::YesNo, common::ui::Icon::None);
        // A list that a running walk is about to replace is not shown half-made.
        const bool walking = window_.router().cataloguing().building() ||
                             walker::WalkLock::busyWith(ws.programFolder()) == path;
        if (walking)
            throw common::Error(common::ErrorNumber::PathFileAccess, path.string() + ": in use");
        if (answer == Answer::Yes) {
            c.RtB->setPlainText(ListText::load(path));
        } else {
            if (!std::filesystem::exists(path))
                throw common::Error(common::ErrorNumber::FileNotFound, path.string());
            if (!startViewer(pathText))
                throw common::Error(common::ErrorNumber::FileNotFound,
                                    "the list viewer could not be started");
        }
        // The list view's blocks are its lines: a text ending in a line break has one more.
        const long long lines = c.RtB->document()->blockCount();
        const QString size =
            common::SettingsStore(QStringLiteral("Dravik")).value(name, QStringLiteral("Size"));
        c.DTel->setText(size.isEmpty() ? common::NumberFormat::withZero(lines) + QStringLiteral("*")
                                       : size);
        MainWindow::colour(c.Label4, c.DTel->text().endsWith(u'*') ? QColor(255, 192, 192)
                                                                   : QColor(0, 255, 0));
        window_.dravikCap(name + QStringLiteral(".rtf"));
        MainWindow::colour(c.LaB, QColor(255, 255, 0));
        c.LaB->setText(QStringLiteral("Finished Loading"));
        yield.now();
        c.Wag->hide();
        c.RtB->moveCursor(QTextCursor::Start);
        c.RtB->setFocus();
    } catch (const common::Error& e) {
        c.Wag->hide();
        c.RtB->clear();
        MainWindow::colour(c.LaB, QColor(128, 0, 0), QColor(0, 255, 255));
        c.LaB->setText(QString::fromLatin1(
            e.number() == common::ErrorNumber::PathFileAccess ? InUseCaption : MissingCaption));
    }
}

} // namespace dravik::catalogue
