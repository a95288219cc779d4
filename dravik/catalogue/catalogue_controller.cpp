#include "dravik/catalogue/catalogue_controller.h"

#include "common/error.h"
#include "common/list_text.h"
#include "common/number_format.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/engraved_button.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/workspace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace dravik::catalogue {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;
using controls::ListViewPanel;
using workspace::NamingState;
using workspace::Workspace;

namespace {

const QChar LB = Workspace::LineBreak;

const QString AutorunText =
    QStringLiteral("If you have Autorun activated on your computer, please wait until it's "
                   "finished loading (or click cancel and then close) before continueing this "
                   "program.") +
    LB + LB +
    QStringLiteral("If you do, please do not be alarmed when the screen go blank for a while. The "
                   "reason for this is because the panel on the left is been updated with the "
                   "newest information.");

const QString NoDriveText =
    QStringLiteral("The CD/DVD drive to catalogue from has not been set yet.") + LB + LB +
    QStringLiteral("Press \"Set CD/DVD\", choose the drive's letter and press \"Continue\"; "
                   "then press Enter in the disc box again.");

const QString DiscErrorText =
    QStringLiteral("An unforseen problem:") + LB + QStringLiteral("1.   Disc in drive is blank") +
    LB + QStringLiteral("2.  Disc in drive is a RW and settings to read were not installed") + LB +
    QStringLiteral("3.  Disc cannot be read (for whatever reason)") + LB + LB +
    QStringLiteral("Conclusion:") + LB +
    QStringLiteral("If the problem persist, use another disc to write and store data and/or "
                   "information using this name for later creation.");

} // namespace

CatalogueController::CatalogueController(DiscIndex& index, DiscPanel& discs, BrowserPanel& browser,
                                         services::FeatureContext context)
    : index_(index), discs_(discs), list_(context.list), browser_(browser),
      workspace_(context.workspace), services_(context.window) {
    // Enter starts a walk: never inside another command that is running.
    connect(&discs, &DiscPanel::enterPressed, this, [this] {
        services_.runChange(QStringLiteral("TeX_KeyPress"), 13, [this] { namingStep(); });
    });
    // Any change of the text, typed or not, tells again whether it names a catalogued disc.
    connect(&discs, &DiscPanel::keyReleased, this, &CatalogueController::updateNameExists);
    connect(discs.box(), &QComboBox::editTextChanged, this, &CatalogueController::updateNameExists);
    connect(discs.box(), &QComboBox::currentIndexChanged, this,
            &CatalogueController::updateNameExists);
    connect(&discs, &DiscPanel::noticeClicked, this, &CatalogueController::acknowledgeChange);
    connect(discs.nextDisc(), &controls::EngravedButton::Click, this,
            &CatalogueController::nextDisc);
    updateNameExists();
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
    discs_.setName(nextName(discs_.name()));
    // A series goes ">>", Enter, next disc, ">>", Enter: the Enter must reach the box.
    discs_.box()->setFocus();
    discs_.box()->lineEdit()->selectAll();
}

void CatalogueController::updateNameExists() {
    workspace_.nameExists = discs_.showsChosenEntry();
}

void CatalogueController::acknowledgeChange() {
    discs_.changeNotice()->hide();
    try {
        common::SettingsStore(common::SettingsNames::Main)
            .setValue(QStringLiteral("Changes"), QStringLiteral("NewDisc"),
                      QStringLiteral("False"));
    } catch (const common::Error& e) {
        services_.reportError(QStringLiteral("NewDisc_Click"), 0, e);
    }
}

void CatalogueController::create() {
    list_.showNotice(ListViewPanel::Notice::Creating);
    services_.yieldPoint().now();
    namingStep();
    list_.hideNotice(ListViewPanel::Notice::Creating);
    list_.notice(ListViewPanel::Notice::Creating)
        ->setText(QStringLiteral("CREATING. PLEASE Wait..."));
}

void CatalogueController::refuse(const QString& reason) {
    services_.ask(QStringLiteral("Disc name"), reason, Buttons::Ok, Icon::Warning);
}

void CatalogueController::discError() {
    services_.ask(QStringLiteral("Disc ERROR"), DiscErrorText, Buttons::Ok, Icon::Warning);
}

bool CatalogueController::confirmed(const QString& heading, const QString& text, Icon icon) {
    return services_.ask(heading, text, Buttons::YesNo, icon) == Answer::Yes;
}

bool CatalogueController::mayCatalogue(const QString& name) {
    // Nothing is written for a name that cannot be a file name, nor while a walk runs.
    if (const auto reason = Cataloguer::refusal(name)) {
        refuse(*reason);
        return false;
    }
    const auto busy = walker::WalkLock::busyWith(workspace_.programFolder());
    if (workspace_.namingState == NamingState::NameSet || !busy.empty()) {
        refuse(Cataloguer::busyMessage(busy));
        return false;
    }
    if (workspace_.nameExists) {
        const int answer = services_.dialogs().message(
            QStringLiteral("Disc with filename already exists"),
            QStringLiteral("File already exists.") + LB +
                QStringLiteral("Do you want to Re-USE this filename? (Rebuild)"),
            Buttons::YesNo, Icon::Question);
        if (answer != Answer::Yes) {
            if (open_)
                open_();
            return false;
        }
    }
    if (workspace_.defaultDrive().trimmed().isEmpty()) {
        services_.ask(QStringLiteral("No CD/DVD drive"), NoDriveText, Buttons::Ok, Icon::Warning);
        return false;
    }
    return true;
}

void CatalogueController::namingStep() {
    const QString name = discs_.name();
    if (!mayCatalogue(name))
        return;
    list_.view()->clear();
    if (!workspace_.automatic)
        services_.ask(QStringLiteral("Autorun Message"), AutorunText, Buttons::Ok, Icon::Warning);

    Cataloguer cataloguer(index_, workspace_.drives());
    if (!checkDriveAndName(name, cataloguer))
        return;
    workspace_.namingState = NamingState::NameSet;
    if (!workspace_.automatic &&
        !confirmed(QStringLiteral("Name Set"), QStringLiteral("Are you ready to start?"),
                   Icon::Question)) {
        workspace_.namingState = NamingState::NeedsName;
        return;
    }
    build(name);
}

bool CatalogueController::checkDriveAndName(const QString& name, Cataloguer& cataloguer) {
    YieldPoint& yield = services_.yieldPoint();
    try {
        list_.showNotice(ListViewPanel::Notice::UpdatingDrive);
        yield.now();
        try {
            browser_.drives()->setDrive(QStringLiteral("C"));
        } catch (const common::Error&) {
            // Only a step to leave the drive; reading the default drive next reports failures.
        }
        const QString drive = workspace_.defaultDrive();
        const auto root = cataloguer.scanRoot(drive); // 68 when no readable disc
        browser_.drives()->setDrive(drive);
        browser_.folders()->setPath(root, root);
        browser_.drives()->refresh();
        list_.hideNotice(ListViewPanel::Notice::UpdatingDrive);
        yield.now();

        index_.refresh();
        if (!index_.holds(name)) {
            // The index names the disc once its list is published (see buildSteps).
            services_.setCaption(QStringLiteral("Dravik 2016 [") + name + QStringLiteral("]"));
        } else {
            if (!confirmed(QStringLiteral("Name EXISTS!!!"),
                           QStringLiteral("The name already exists. Must I re-used the name?"),
                           Icon::Warning))
                return false;
            list_.showNotice(ListViewPanel::Notice::Creating);
            yield.now();
        }
        Cataloguer::markChanged();
        browser_.drives()->setDrive(drive);
        return true;
    } catch (const common::Error& e) {
        list_.hideNotice(ListViewPanel::Notice::UpdatingDrive);
        if (e.number() == common::ErrorNumber::DeviceUnavailable)
            discError();
        else
            services_.reportError(QStringLiteral("TeX_KeyPress"), 13, e);
        return false;
    }
}

walker::WalkEngine::Progress CatalogueController::walkProgress() {
    return [this](const walker::WalkCounts& now) {
        list_.fileCount()->setText(common::NumberFormat::hashes(now.files));
        list_.folderCount()->setText(common::NumberFormat::hashes(now.folders));
        services_.yieldPoint().always();
    };
}

void CatalogueController::build(const QString& name) {
    const QString drive = workspace_.defaultDrive();
    if (!workspace_.automatic &&
        services_.ask(QStringLiteral("Just to make certain"),
                      QStringLiteral("The following drive will be build:") + LB + LB +
                          QStringLiteral("Drive: [") + drive + QStringLiteral("]") + LB +
                          QStringLiteral(" Name: [") + name + QStringLiteral("].") + LB + LB +
                          QStringLiteral("Do you want me to continue?"),
                      Buttons::YesNo, Icon::Question) == Answer::No) {
        workspace_.namingState = NamingState::NeedsName;
        return;
    }
    try {
        buildSteps(name);
    } catch (const common::Error& e) {
        showFailed();
        services_.reportError(QStringLiteral("GCom_click"), 0, e);
    } catch (const std::exception& e) {
        showFailed();
        services_.reportError(QStringLiteral("GCom_click"), 0, common::ErrorNumber::PathFileAccess,
                              QString::fromLocal8Bit(e.what()));
    }
    workspace_.namingState = NamingState::NeedsName;
    list_.view()->setFocus();
    list_.hideNotice(ListViewPanel::Notice::Creating);
    services_.yieldPoint().now();
}

void CatalogueController::showFailed() {
    // Whatever failed, the status line must not stay on a build that is no longer running.
    list_.status()->show();
    list_.restoreStatusColour();
    list_.setStatus({});
}

void CatalogueController::buildSteps(const QString& name) {
    YieldPoint& yield = services_.yieldPoint();
    list_.showNotice(ListViewPanel::Notice::Creating);
    yield.now();
    list_.view()->clear();
    list_.setStatus(QStringLiteral("Creating Info"));
    yield.now();
    list_.status()->hide();
    Cataloguer cataloguer(index_, workspace_.drives());
    const auto built = cataloguer.buildAndRecord(name, workspace_.defaultDrive(), walkProgress());
    if (built.nameAdded)
        discs_.choose(name);
    list_.status()->show();
    showFinished(name, built);
}

void CatalogueController::showFinished(const QString& name, const Cataloguer::Built& built) {
    const walker::WalkCounts& counts = built.counts;
    YieldPoint& yield = services_.yieldPoint();
    const QString countsText =
        QStringLiteral(" Dir:") + common::NumberFormat::withZero(counts.folders) +
        QStringLiteral(" File:") + common::NumberFormat::withZero(counts.files);
    services_.setCaption(services_.caption() + countsText);
    yield.at({YieldPoint::Background});

    list_.restoreStatusColour();
    list_.view()->clear();
    controls::paint(list_.listState(), QColor(0, 255, 0));
    list_.view()->setListText(common::ListText::load(index_.files().discListPath(name)));
    // The counts stay in the caption after it names the list.
    services_.dravikCap(name + QStringLiteral(".rtf"));
    services_.setCaption(services_.caption() + countsText);

    list_.setStatus(QStringLiteral("Finished Creating. Loading Info (can take a while..."));
    yield.now();
    list_.paintStatus(QColor(255, 255, 0), Qt::black);
    // A disc catalogued again says what changed since its previous list.
    QString finished = built.changes.value_or(QStringLiteral("Finished."));
    if (counts.skipped > 0) {
        // A list that misses folders must not look complete.
        finished +=
            QStringLiteral(" INCOMPLETE: %1 folder(s) could not be read.").arg(counts.skipped);
        list_.paintStatus(QColor(255, 160, 0), Qt::black);
        services_.setCaption(services_.caption() +
                             QStringLiteral(" (%1 folders unread)").arg(counts.skipped));
    }
    list_.setStatus(finished);
    yield.now();
}

} // namespace dravik::catalogue
