#pragma once

#include "common/testing/scripted_dialogs.h"
#include "dravik/services/window_services.h"

#include <QStringList>

namespace dravik::testing {

// The window's services for a controller tested with its own panels only. Message-panel
// questions and dialogs go to the scripted dialogs (an unexpected one fails the test); the
// caption is kept; error boxes are shown as dialogs too, so tests expect them the same way.
class FakeWindowServices : public services::WindowServices {
public:
    explicit FakeWindowServices(common::testing::ScriptedDialogs& dialogs) : dialogs_(dialogs) {}

    int ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
            common::ui::Icon icon) override;
    common::ui::Dialogs& dialogs() override { return dialogs_; }
    common::ui::YieldPoint& yieldPoint() override { return yield_; }
    // Nothing else runs beside a controller under test.
    bool runChange(const QString& handler, int index, const std::function<void()>& work) override;
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { caption_ = caption; }
    using services::WindowServices::reportError;
    void reportError(const QString& handler, int index, int number,
                     const QString& description) override;

private:
    common::testing::ScriptedDialogs& dialogs_;
    common::ui::YieldPoint yield_;
    QString caption_;
};

} // namespace dravik::testing
