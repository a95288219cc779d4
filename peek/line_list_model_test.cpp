#include "peek/line_list_model.h"

#include "common/line_store.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>

using common::LineStore;
using peek::LineListModel;

namespace {

QString shown(const LineListModel& model, int row) {
    return model.data(model.index(row), Qt::DisplayRole).toString();
}

} // namespace

TEST(PeekLineListModel, ShowsRowsOnlyOncePublished) {
    LineStore store;
    LineListModel model(store);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    store.append("one");
    store.append("two");
    EXPECT_EQ(model.rowCount(), 0);
    model.publish();
    EXPECT_EQ(model.rowCount(), 2);
    store.append("three");
    model.publish();
    model.publish();
    EXPECT_EQ(model.rowCount(), 3);
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 0);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 1);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 2);
    EXPECT_EQ(inserted.at(1).at(2).toInt(), 2);
    EXPECT_EQ(shown(model, 2), "three");
}

TEST(PeekLineListModel, DecodesEachLineOnItsOwn) {
    LineStore store;
    store.append("\"E:\\Fotos\\\",\"caf\xc3\xa9.jpg\"");  // UTF-8
    store.append("\"E:\\Fotos\\\",\"caf\xe9 \x80.jpg\""); // windows-1252
    LineListModel model(store);
    model.publish();
    EXPECT_EQ(shown(model, 0), QString::fromUtf8("\"E:\\Fotos\\\",\"caf\xc3\xa9.jpg\""));
    EXPECT_EQ(shown(model, 1),
              QString::fromUtf8("\"E:\\Fotos\\\",\"caf\xc3\xa9 \xe2\x82\xac.jpg\""));
    EXPECT_EQ(model.lineText(1), shown(model, 1));
}

TEST(PeekLineListModel, KeepsNulCharacters) {
    LineStore store;
    store.append(std::string("a\0b", 3));
    LineListModel model(store);
    model.publish();
    const QString text = shown(model, 0);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(1), QChar(0));
}

TEST(PeekLineListModel, ALongLineShowsItsBeginningAndCopiesWhole) {
    // An "é" straddles the cut: the row must not end in half of it.
    std::string line(LineListModel::ShownBytes - 1, 'a');
    line += "\xc3\xa9";
    line += std::string(10000, 'b');
    LineStore store;
    store.append(line);
    LineListModel model(store);
    model.publish();
    const QString row = shown(model, 0);
    EXPECT_EQ(row,
              QString(static_cast<qsizetype>(LineListModel::ShownBytes - 1), QLatin1Char('a')));
    EXPECT_EQ(model.lineText(0).size(), static_cast<qsizetype>(line.size() - 1));
}

TEST(PeekLineListModel, ALongInvalidLineIsWindows1252AllAlong) {
    std::string line(LineListModel::ShownBytes * 2, 'a');
    line[5] = '\xe9';
    line.back() = '\xff';
    LineStore store;
    store.append(line);
    LineListModel model(store);
    model.publish();
    const QString row = shown(model, 0);
    EXPECT_EQ(row.size(), static_cast<qsizetype>(LineListModel::ShownBytes));
    EXPECT_EQ(row.at(5), QChar(0xE9));
}

TEST(PeekLineListModel, OutsideTheRowsThereIsNothing) {
    LineStore store;
    store.append("only");
    LineListModel model(store);
    model.publish();
    EXPECT_FALSE(model.data(model.index(1)).isValid());
    EXPECT_FALSE(model.data(model.index(0), Qt::DecorationRole).isValid());
    EXPECT_TRUE(model.lineText(5).isEmpty());
}

TEST(PeekLineListModel, ForgetsEveryRowBeforeTheStoreGoes) {
    LineStore store;
    store.append("one");
    LineListModel model(store);
    model.publish();
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.forget();
    store.clear();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 0);
    store.append("again");
    model.publish();
    EXPECT_EQ(shown(model, 0), "again");
}
