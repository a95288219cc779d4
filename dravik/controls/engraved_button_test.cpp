#include "dravik/controls/engraved_button.h"

#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using dravik::controls::EngravedButton;

namespace {
int px(int twips) {
    return twips / EngravedButton::TwipsPerPixel;
}
} // namespace

TEST(EngravedButton, NewControlShowsLabel1InTheFormsFont) {
    QWidget form;
    QFont font("Serif", 15);
    form.setFont(font);
    EngravedButton button(&form);
    EXPECT_EQ(button.caption(), "Label1");
    EXPECT_EQ(button.captionFont().family(), form.font().family());
    EXPECT_EQ(button.captionFont().pointSize(), 15);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_TRUE(button.changedProperties().isEmpty());
}

TEST(EngravedButton, CaptionChangesRelayoutWithTwoCopiesOnly) {
    EngravedButton button;
    QSignalSpy changes(&button, &EngravedButton::Change);
    button.setCaption(">>");
    auto* caption = button.findChild<QLabel*>("XLab_0");
    const QSize small = caption->size();
    EXPECT_EQ(button.size(), QSize(small.width() + px(150), small.height() + px(110)));
    button.setCaption("A much longer caption");
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(button.findChildren<QLabel*>().size(), 3);
    EXPECT_EQ(caption->pos(), QPoint(px(60), px(60)));
    const int growth = caption->width() - small.width();
    EXPECT_GT(growth, 0);
    EXPECT_EQ(button.width(), small.width() + growth + px(150));
    auto* shadow = button.findChild<QLabel*>("XLab_1");
    auto* highlight = button.findChild<QLabel*>("XLab_2");
    EXPECT_EQ(shadow->pos(), caption->pos() + QPoint(1, 1));
    EXPECT_EQ(highlight->pos(), caption->pos() - QPoint(1, 1));
    EXPECT_EQ(shadow->palette().color(QPalette::WindowText), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(highlight->palette().color(QPalette::WindowText), QColor(Qt::white));
    const int w = caption->width();
    const int h = caption->height();
    EXPECT_EQ(button.findChild<QFrame*>("Ly_0")->geometry(), QRect(0, 0, 1, h + px(50) + 1));
    EXPECT_EQ(button.findChild<QFrame*>("Ly_2")->geometry().x(), w + px(120));
    EXPECT_EQ(button.findChild<QFrame*>("Ly_3")->geometry().y(), h + px(80));
    EXPECT_TRUE(button.changedProperties().contains("Caption"));
}

TEST(EngravedButton, EventsComeFromTheCaption) {
    EngravedButton button;
    button.setCaption("Go");
    button.setToolTipText("NextDisc");
    QSignalSpy clicks(&button, &EngravedButton::Click);
    QSignalSpy downs(&button, &EngravedButton::MouseDown);
    auto* caption = button.findChild<QLabel*>("XLab_0");
    EXPECT_EQ(caption->toolTip(), "NextDisc");
    QTest::mouseClick(caption, Qt::LeftButton, {}, QPoint(2, 3));
    EXPECT_EQ(clicks.count(), 1);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs[0][2].toInt(), 2 * EngravedButton::TwipsPerPixel);
    button.setEnabled(false);
    QTest::mouseClick(caption, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    button.setForeColor(Qt::red);
    button.setBackColor(Qt::blue);
    EXPECT_EQ(button.foreColor(), QColor(Qt::red));
    EXPECT_EQ(button.backColor(), QColor(Qt::blue));
}

TEST(EngravedButton, SettingEnabledIsAChangedProperty) {
    EngravedButton button;
    button.setEnabled(false);
    EXPECT_FALSE(button.isEnabled());
    EXPECT_EQ(button.changedProperties(), QStringList{"Enabled"});
    EXPECT_TRUE(button.setProperty("Enabled", true));
    EXPECT_TRUE(button.isEnabled());
}

TEST(EngravedButton, AResizeSnapsBackToTheCaption) {
    EngravedButton button;
    button.setCaption(">>");
    button.show(); // a hidden widget gets its resize event only when shown
    const QSize fitted = button.size();
    button.resize(fitted + QSize(40, 30));
    EXPECT_EQ(button.size(), fitted);
    EXPECT_EQ(button.findChild<QLabel*>("XLab_0")->pos(), QPoint(px(60), px(60)));
}

TEST(EngravedButton, ChangeComesBeforeTheNewLayout) {
    EngravedButton button;
    button.setCaption(">>");
    const QSize before = button.size();
    QSize seen;
    QString caption;
    QObject::connect(&button, &EngravedButton::Change, [&] {
        seen = button.size();
        caption = button.caption();
    });
    button.setCaption("A much longer caption");
    EXPECT_EQ(seen, before);
    EXPECT_EQ(caption, "A much longer caption");
    EXPECT_NE(button.size(), before);
}
