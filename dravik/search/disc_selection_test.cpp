#include "dravik/search/disc_selection.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DiscSelectionTest : public ::testing::Test {
protected:
    QListWidget list;
    dravik::search::DiscSelection selection{&list};

    DiscSelectionTest() {
        list.setSelectionMode(QAbstractItemView::MultiSelection);
        for (const char* disc : {"Disc 1", "Disc 2", "Disc 3", "Disc 4", "Disc 5"})
            list.addItem(disc);
        list.setCurrentRow(0, QItemSelectionModel::NoUpdate);
        list.show();
    }
    QList<int> selected() const {
        QList<int> rows;
        for (int i = 0; i < list.count(); ++i)
            if (list.item(i)->isSelected())
                rows << i;
        return rows;
    }
    void drag(int moves) {
        for (int i = 0; i < moves; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), list.mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::RightButton, {});
            QApplication::sendEvent(list.viewport(), &move);
        }
    }
};

} // namespace

TEST_F(DiscSelectionTest, InsertTogglesAndStepsDownCtrlInsertStepsUpAndToggles) {
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&list, Qt::Key_Insert);
    EXPECT_EQ(selected(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(selected(), (QList<int>{0, 1}));
}

TEST_F(DiscSelectionTest, AtTheEndsTheRowStaysAndIsToggled) {
    list.setCurrentRow(4, QItemSelectionModel::NoUpdate);
    QTest::keyClick(&list, Qt::Key_Insert);
    EXPECT_EQ(list.currentRow(), 4);
    EXPECT_EQ(selected(), QList<int>{4});
    list.setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(&list, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(selected(), (QList<int>{0, 4}));
}

TEST_F(DiscSelectionTest, ARightDragTogglesOneRowPerMovementFromTheCurrentRowDown) {
    list.item(1)->setSelected(true);
    drag(3); // the pointer stays on the first row: it is not consulted
    EXPECT_EQ(selected(), (QList<int>{0, 2}));
    EXPECT_EQ(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_A); // other keys: the list's own behaviour
}

TEST_F(DiscSelectionTest, AnEmptyListIgnoresTheShortcuts) {
    list.clear();
    QTest::keyClick(&list, Qt::Key_Insert);
    QTest::keyClick(&list, Qt::Key_Insert, Qt::ControlModifier);
    drag(2);
    EXPECT_TRUE(selected().isEmpty());
}
