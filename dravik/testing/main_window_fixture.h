#pragma once

#include "common/settings_store.h"
#include "common/testing/scripted_dialogs.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/controls/control_names.h"
#include "dravik/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace dravik::testing {

// A main window over a private workspace (data, program and settings folders, a home for drive
// C, and a disc folder mapped as drive E), with scripted dialogs.
class MainWindowFixture : public common::testing::WorkspaceFixture {
protected:
    common::testing::ScriptedDialogs dialogs;
    std::unique_ptr<window::MainWindow> window;

    void SetUp() override {
        savedFolder_ = QDir::currentPath();
        setting("Form_Load", "Def DPath", QString::fromStdString(data.string()));
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(savedFolder_);
    }

    static void setting(const QString& section, const QString& key, const QString& value,
                        const QString& application = QStringLiteral("DRAVIK 2016")) {
        common::SettingsStore(application).setValue(section, key, value);
    }

    // Builds the window and runs start-up. With `defaultDrive` the program folder names drive E.
    window::MainWindow& start(const QStringList& arguments = {}, bool defaultDrive = true) {
        if (defaultDrive)
            root.write("program/SSc.ini", "E\r\n");
        window = std::make_unique<window::MainWindow>(dialogs, drives());
        window->load(arguments);
        return *window;
    }

    // The widget whose controls the test finds.
    virtual QWidget* top() const { return window.get(); }

    // A control by its name (`Control::DiscBox`) or an array element by its index
    // (`GCom::FindGlobal`).
    template <typename T = QWidget> T* find(const QString& name) const {
        T* found = top()->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    template <typename T = QWidget, typename Index>
    requires std::is_enum_v<Index> T* find(Index index) const {
        return find<T>(controls::objectName(index));
    }
    void click(const QString& name) const {
        if (auto* button = find<QAbstractButton>(name))
            button->click();
    }
    template <typename Index>
    requires std::is_enum_v<Index>
    void click(Index index) const { click(controls::objectName(index)); }

private:
    QString savedFolder_;
};

} // namespace dravik::testing
