#include "dravik/controls/list_adapter.h"

#include <QComboBox>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

using dravik::controls::ListAdapter;

namespace {

// A model of the core in miniature: rows and nothing else.
class CoreRows : public QObject {
public:
    QStringList rows;
};

ListAdapter::Rows readerOf(const CoreRows& source) {
    return [&source]() -> const QStringList& { return source.rows; };
}

} // namespace

TEST(ListAdapterTest, AViewSeesTheCoresRowsOnceItIsTold) {
    CoreRows source;
    source.rows = {"Holiday", "Work"};
    ListAdapter adapter(source, readerOf(source));
    QComboBox box;
    box.setModel(&adapter);
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(1), "Work");
    source.rows[1] = "Music";
    EXPECT_EQ(box.itemText(1), "Work"); // the rows the view was told of, until it hears more
    adapter.reload();
    EXPECT_EQ(box.itemText(1), "Music");
}

TEST(ListAdapterTest, TheViewsCountRowsOnlyOnceTheyAreTold) {
    CoreRows source;
    source.rows = {"A"};
    ListAdapter adapter(source, readerOf(source));
    source.rows << "B"
                << "C";
    EXPECT_EQ(adapter.rowCount(), 1);
    EXPECT_FALSE(adapter.index(2, 0).data().isValid());
    QSignalSpy reset(&adapter, &QAbstractItemModel::modelReset);
    adapter.reload();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(adapter.rowCount(), 3);
    source.rows.insert(1, "A2");
    QSignalSpy inserted(&adapter, &QAbstractItemModel::rowsInserted);
    adapter.inserted(1);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 1);
    EXPECT_EQ(adapter.rowCount(), 4);
    EXPECT_EQ(adapter.index(1, 0).data().toString(), "A2");
    EXPECT_EQ(adapter.index(1, 0).data(Qt::EditRole).toString(), "A2");
    EXPECT_FALSE(adapter.index(1, 0).data(Qt::DecorationRole).isValid());
}

TEST(ListAdapterTest, AViewThatOutlivesItsModelShowsNothing) {
    auto source = std::make_unique<CoreRows>();
    source->rows = {"Holiday", "Work"};
    ListAdapter adapter(*source, readerOf(*source));
    QComboBox box;
    box.setEditable(true);
    box.setModel(&adapter);
    source.reset();
    EXPECT_EQ(adapter.rowCount(), 0);
    EXPECT_EQ(box.count(), 0);
}
