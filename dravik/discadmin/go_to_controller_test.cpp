#include "common/ui/folder_list_box.h"
#include "dravik/discadmin/go_to_controller.h"
#include "dravik/testing/main_window_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using common::ui::Buttons;
using common::ui::Icon;
namespace Answer = common::ui::Answer;

namespace {

class GoTo : public dravik::testing::MainWindowFixture {
protected:
    void goTo(const QString& selection) {
        auto* list = find<QPlainTextEdit>("RtB");
        list->setPlainText(selection);
        list->selectAll();
        QTest::mouseClick(find<QLabel>("OpenFile"), Qt::LeftButton);
    }
    std::filesystem::path shown() { return find<common::ui::FolderListBox>("Dir1")->path(); }
};

} // namespace

TEST_F(GoTo, ParentFoldersNeverLeadOffTheDrive) {
    root.makeFolder("disc/Photos");
    root.makeFolder("outside");
    start();
    const QString deep = QStringLiteral("E:") + QStringLiteral("\\..").repeated(40) + "\\etc\\";
    for (const QString& selection :
         {QString("E:\\..\\..\\..\\etc\\"), deep, QString("E:\\..\\outside\\"),
          QString("\"E:\\Photos\\..\\..\\outside\\\",\"x.txt\"")}) {
        const auto before = shown();
        const QString folder = *dravik::discadmin::GoToController::folderOf(selection);
        dialogs.expectPanel("Wrong Folder",
                            "The folder " + folder +
                                " is not on the disc: \"..\" cannot climb above the root of the "
                                "drive.",
                            Buttons::Ok, Icon::Warning, Answer::Yes);
        goTo(selection);
        EXPECT_TRUE(dialogs.allAnswered()) << selection.toStdString();
        EXPECT_EQ(shown(), before) << selection.toStdString();
    }
    // A ".." that stays on the drive is followed.
    goTo("E:\\Photos\\..\\Photos\\");
    EXPECT_EQ(shown(), disc / "Photos");
}
