#include "common/testing/scoped_permission_checks.h"
#include "common/text_limit.h"
#include "dravik/catalogue/disc_open_controller.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include <optional>
#include <ostream>
#include <sys/stat.h>

using common::ui::Buttons;
using common::ui::Icon;
using dravik::catalogue::DiscOpenController;
using dravik::controls::GCom;
using dravik::controls::LoadReportCom;
using dravik::controls::SSPanel1;
namespace Answer = common::ui::Answer;
namespace Control = dravik::controls::Control;
namespace Limits = common::TextLimits;

namespace {

// The ways a file the window reads can be damaged.
enum class Form { Unreadable, Folder, Fifo, Binary, Huge };

// What makes the window read the file, and how it tells of a failure.
enum class Reading {
    StartUp,   // a start-up step: "form load: N"
    Panel,     // opening the global-search panel: "InEXTLys(N)"
    Selection, // choosing a saved selection: "RemSel_Click(0)"
    Report,    // loading a saved report: "LoadReportCom_click(1)"
    Opening,   // opening a disc: the status caption
    NotRead,   // created when missing, never read
};

struct Kind {
    const char* name;
    const char* file; // below the test's root
    Reading reading;
    int step; // of start-up or of the panel
    common::TextLimit limit;
};

const Kind Kinds[] = {
    {"DiscIndex", "data/DK.tex", Reading::StartUp, 7, Limits::DiscIndex},
    {"FindHistory", "data/FTex.Lys", Reading::StartUp, 10, Limits::FindHistory},
    {"Associations", "data/DK.SoC", Reading::StartUp, 8, Limits::Associations},
    {"AssociationData", "data/DK.mmd", Reading::NotRead, 4, Limits::Associations},
    {"AssociationKeys", "data/DK.EXL", Reading::StartUp, 9, Limits::Associations},
    {"DefaultDrive", "program/SSc.ini", Reading::StartUp, 11, Limits::DefaultDrive},
    {"Sets", "program/sette.lys", Reading::Panel, 1, Limits::Sets},
    {"ExtensionList", "data/ExtLys.ini", Reading::Panel, 2, Limits::ExtensionList},
    {"SavedSelections", "data/RemSel.ini", Reading::Panel, 3, Limits::SavedSelections},
    {"SelectionFile", "data/Work.ini", Reading::Selection, 0, Limits::SelectionFile},
    {"DiscList", "data/Holiday.rtf", Reading::Opening, 0, Limits::ListRows},
    {"SavedReport", "data/QReport/Old.rtf", Reading::Report, 1, Limits::ListText},
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.file;
}

const char* formName(Form form) {
    switch (form) {
    case Form::Unreadable:
        return "Unreadable";
    case Form::Folder:
        return "Folder";
    case Form::Fifo:
        return "Fifo";
    case Form::Binary:
        return "Binary";
    case Form::Huge:
        return "Huge";
    }
    return "";
}

void PrintTo(Form form, std::ostream* out) {
    *out << formName(form);
}

// How the failure is described, after the path.
QString reason(Form form) {
    switch (form) {
    case Form::Unreadable:
        return QStringLiteral(": Permission denied");
    case Form::Folder:
        return QStringLiteral(": is a folder, not a file");
    case Form::Fifo:
        return QStringLiteral(": is not a regular file");
    case Form::Binary:
        return QStringLiteral(": is not a text file (it holds NUL bytes)");
    case Form::Huge:
        return QStringLiteral(": is too large to load (");
    }
    return {};
}

int errorNumber(Form form) {
    return form == Form::Unreadable ? 70 : 75;
}

std::string binaryBytes() {
    std::string bytes(64 * 1024, '\0');
    std::uint32_t seed = 12345;
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    bytes[100] = '\0';
    return bytes;
}

class DamagedFile : public dravik::testing::MainWindowFixture,
                    public ::testing::WithParamInterface<std::tuple<Kind, Form>> {
protected:
    const Kind& kind() const { return std::get<0>(GetParam()); }
    Form form() const { return std::get<1>(GetParam()); }
    std::filesystem::path path() const { return root / kind().file; }

    void SetUp() override {
        MainWindowFixture::SetUp();
        root.write("data/DK.tex", "Holiday\r\n");
        root.write("data/RemSel.ini", "Work\r\n");
        root.write("data/QReport/Old.rtf", "*Holiday* beach\r\n");
        root.write("program/SSc.ini", "E\r\n");
    }

    void damage() const {
        std::filesystem::remove(path());
        switch (form()) {
        case Form::Unreadable:
            root.write(kind().file, "Work\r\n");
            ::chmod(path().c_str(), 0);
            break;
        case Form::Folder:
            root.write(std::string(kind().file) + "/inside", "x");
            break;
        case Form::Fifo:
            ASSERT_EQ(::mkfifo(path().c_str(), 0600), 0);
            break;
        case Form::Binary:
            root.write(kind().file, binaryBytes());
            break;
        case Form::Huge:
            root.write(kind().file, "");
            std::filesystem::resize_file(path(), kind().limit.maxBytes + 1);
            break;
        }
    }

    // The error box the reading gives, or nothing when the file is not read.
    void expectError() {
        const QString where = QString::fromStdString(path().string()) + reason(form());
        const QString number = QString::number(errorNumber(form()));
        const QString step = QString::number(kind().step);
        switch (kind().reading) {
        case Reading::NotRead:
            // A regular file is all it has to be: the start does not open one that exists.
            if (form() == Form::Unreadable || form() == Form::Binary || form() == Form::Huge)
                return;
            [[fallthrough]];
        case Reading::StartUp:
            dialogs.expectMessageHolding(
                {}, {"form load: " + step + "\n\n", "\n" + number + " / " + where}, Buttons::Ok,
                Icon::None, Answer::Yes);
            return;
        case Reading::Panel:
            dialogs.expectMessageHolding({}, {"InEXTLys(" + step + ")-(" + number + ")\n" + where},
                                         Buttons::Ok, Icon::None, Answer::Yes);
            return;
        case Reading::Selection:
            dialogs.expectMessageHolding({}, {"RemSel_Click(0)-(" + number + ")\n" + where},
                                         Buttons::Ok, Icon::None, Answer::Yes);
            return;
        case Reading::Report:
            dialogs.expectMessageHolding(
                {}, {"LoadReportCom_click(" + step + ")-(" + number + ")\n" + where}, Buttons::Ok,
                Icon::None, Answer::Yes);
            return;
        case Reading::Opening:
            dialogs.expectMessage("Where to open disc",
                                  "Open disc in this program (Yes) or in New List(No)",
                                  Buttons::YesNo, Icon::None, Answer::Yes);
            return;
        }
    }

    void openPanel() {
        find<QComboBox>(Control::FindBox)->setEditText(QStringLiteral("beach"));
        click(GCom::FindGlobal);
    }

    // Makes the window read the damaged file.
    void read() {
        switch (kind().reading) {
        case Reading::StartUp:
        case Reading::NotRead:
            damage();
            expectError();
            start({}, false);
            return;
        case Reading::Panel:
            damage();
            start({}, false);
            expectError();
            openPanel();
            return;
        case Reading::Selection:
            damage();
            start({}, false);
            openPanel();
            expectError();
            emit find<QComboBox>(Control::SavedSelections)->activated(0);
            return;
        case Reading::Report:
            start({}, false);
            click(GCom::Report);
            click(GCom::LoadReport);
            find<QListWidget>(Control::Reports)->item(0)->setSelected(true);
            damage(); // after it was listed: a folder or a FIFO is never listed
            expectError();
            click(LoadReportCom::Load);
            return;
        case Reading::Opening:
            damage();
            start({}, false);
            find<QComboBox>(Control::DiscBox)->setEditText(QStringLiteral("Holiday"));
            expectError();
            click(SSPanel1::Open);
            return;
        }
    }
};

} // namespace

// Every file the window reads, in every damaged form, is reported and the window goes on.
TEST_P(DamagedFile, IsReportedAndTheWindowGoesOn) {
    std::optional<common::testing::ScopedPermissionChecks> checked;
    if (form() == Form::Unreadable)
        checked.emplace();
    read();
    checked.reset();
    EXPECT_TRUE(dialogs.allAnswered());
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    if (kind().reading == Reading::Opening) {
        EXPECT_EQ(find<QLabel>(Control::Status)->text(),
                  QString::fromLatin1(form() == Form::Unreadable
                                          ? DiscOpenController::MissingCaption
                                          : DiscOpenController::InUseCaption));
    }
    // Still answering: the find box takes words and the list view stays empty.
    find<QComboBox>(Control::FindBox)->setEditText(QStringLiteral("after"));
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->currentText(), "after");
    EXPECT_TRUE(find<QPlainTextEdit>(Control::ListView)->toPlainText().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryFileEveryForm, DamagedFile,
                         ::testing::Combine(::testing::ValuesIn(Kinds),
                                            ::testing::Values(Form::Unreadable, Form::Folder,
                                                              Form::Fifo, Form::Binary,
                                                              Form::Huge)),
                         [](const ::testing::TestParamInfo<DamagedFile::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    formName(std::get<1>(info.param));
                         });
