#include "dravik/controls/command_array.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/extsets_panel.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"

#include "common/testing/temp_folder.h"

#include <QComboBox>
#include <QListView>

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::controls::CommandArray;
using namespace dravik::extsets;

namespace {

// One set of lists shown by two panels, as two views of one model.
class TwoViews : public ::testing::Test {
protected:
    TempFolder data;
    ExtensionList list;
    SetBox sets;
    Selections selections{data.path()};
    QWidget host;
    CommandArray soekCom{"SoekCom", CommandArray::Look::Button};
    CommandArray otherCom{"SoekCom", CommandArray::Look::Button};
    ExtSetsPanel one{new QWidget(&host), new QWidget(&host), soekCom};
    ExtSetsPanel two{new QWidget(&host), new QWidget(&host), otherCom};

    TwoViews() {
        one.showModels(list, sets, selections);
        two.showModels(list, sets, selections);
    }
    static QStringList shown(const QListView* view) {
        QStringList rows;
        for (int i = 0; i < view->model()->rowCount(); ++i)
            rows << view->model()->index(i, 0).data().toString() +
                        (view->selectionModel()->isRowSelected(i) ? "*" : "");
        return rows;
    }
    static QStringList shown(const QComboBox* box) {
        QStringList rows;
        for (int i = 0; i < box->count(); ++i)
            rows << box->itemText(i);
        return rows;
    }
};

} // namespace

TEST_F(TwoViews, AChoiceMadeInOneListShowsInTheOther) {
    list.add("txt");
    list.add("doc");
    EXPECT_EQ(shown(two.extensions()), (QStringList{"DOC", "TXT"}));
    // The user chooses TXT in the first list.
    one.extensions()->selectionModel()->select(one.extensions()->model()->index(1, 0),
                                               QItemSelectionModel::Select);
    EXPECT_EQ(list.selectedEntries(), QStringList{"TXT"});
    EXPECT_EQ(shown(two.extensions()), (QStringList{"DOC", "TXT*"}));
    list.add("avi"); // an addition keeps the choice
    EXPECT_EQ(shown(one.extensions()), (QStringList{"AVI", "DOC", "TXT*"}));
    list.selectAll(false);
    EXPECT_EQ(shown(two.extensions()), (QStringList{"AVI", "DOC", "TXT"}));
}

TEST_F(TwoViews, SetsKeepTheTypedTextAndSelectionsShowTheirFirst) {
    one.sets()->setEditText("Extention SETS");
    sets.record("TXT ", data.path());
    EXPECT_EQ(shown(two.sets()), QStringList{"TXT "});
    EXPECT_EQ(one.sets()->currentText(), "Extention SETS");
    selections.load();
    selections.remember("Work", {0});
    selections.remember("audio", {1});
    EXPECT_EQ(shown(two.selections()), (QStringList{"audio", "Work"}));
    EXPECT_EQ(two.selections()->currentText(), "audio");
    selections.remove("audio");
    EXPECT_EQ(shown(one.selections()), QStringList{"Work"});
}
