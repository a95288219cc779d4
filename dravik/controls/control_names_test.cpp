#include "dravik/controls/command_array.h"
#include "dravik/controls/control_names.h"

#include <QWidget>

#include <gtest/gtest.h>

using dravik::controls::CommandArray;
using dravik::controls::GCom;
using dravik::controls::MsgC;
using dravik::controls::objectName;
using dravik::controls::SoekCom;

TEST(ControlNames, AnElementIsNamedAfterItsArrayAndIndex) {
    EXPECT_EQ(objectName(GCom::FindGlobal), "GCom_4");
    EXPECT_EQ(objectName(SoekCom::DataPath), "SoekCom_12");
    EXPECT_EQ(objectName(MsgC::Cancel), "MsgC_2");
}

TEST(ControlNames, TheArrayNamesItsElementsTheSameWay) {
    QWidget host;
    CommandArray gCom(dravik::controls::arrayName<GCom>(), CommandArray::Look::Panel);
    QAbstractButton* element = gCom.add(GCom::SaveReport, "Save", &host);
    EXPECT_EQ(element->objectName(), objectName(GCom::SaveReport));
    EXPECT_EQ(host.findChild<QAbstractButton*>(objectName(GCom::SaveReport)), element);
}
