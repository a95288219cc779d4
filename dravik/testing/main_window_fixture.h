#pragma once

#include "common/settings_store.h"
#include "common/testing/scripted_dialogs.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>

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

    template <typename T = QWidget> T* find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    void click(const QString& name) const {
        if (auto* button = find<QAbstractButton>(name))
            button->click();
    }

private:
    QString savedFolder_;
};

} // namespace dravik::testing
