#pragma once

#include "common/error.h"
#include "common/ui/dialogs.h"
#include "common/ui/yield_point.h"

#include <QString>

#include <exception>
#include <functional>

namespace dravik::services {

// What a feature's controller may ask of the main window. The window implements it; tests hand a
// controller a fake, so a feature can be tested with its own panel and nothing else.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // The in-window message panel `MsG`: shows the question and waits (the window stays live)
    // until a button is pressed. `Buttons::Ok` offers "Yes" alone, `OkCancel` "Yes" and "CANCEL";
    // `Icon::Warning` and `Icon::Critical` show the warning picture, the others the question one.
    // Returns a common::ui::Answer (Yes, No or Cancel).
    virtual int ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
                    common::ui::Icon icon) = 0;
    // Standard message boxes and input boxes.
    virtual common::ui::Dialogs& dialogs() = 0;
    // Where long operations let pending window events run.
    virtual common::ui::YieldPoint& yieldPoint() = 0;
    // A change of the catalogue that no command element starts (a key, a list's click): it runs
    // only when no other command is running, else the user is told to wait; while it runs it
    // counts as a running command. A failure is reported as the error box of `handler`(`index`).
    // True when it ran without a failure.
    virtual bool runChange(const QString& handler, int index,
                           const std::function<void()>& work) = 0;

    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    // `DravikCap`: "Dravik [" + text + " ]".
    void dravikCap(const QString& text) {
        setCaption(QStringLiteral("Dravik [") + text + QStringLiteral(" ]"));
    }

    // The standard error box of a handler: "GCom_click(7)-(68)" + LF + description.
    virtual void reportError(const QString& handler, int index, int number,
                             const QString& description) = 0;
    void reportError(const QString& handler, int index, const common::Error& error) {
        reportError(handler, index, error.number(), QString::fromStdString(error.description()));
    }
    // Runs `work`, reporting a failure as the error box of `handler`(`index`); true when it
    // ended without one.
    bool trapped(const QString& handler, int index, const std::function<void()>& work) {
        try {
            work();
            return true;
        } catch (const common::Error& e) {
            reportError(handler, index, e);
        } catch (const std::exception& e) {
            reportError(handler, index, common::ErrorNumber::PathFileAccess,
                        QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
    // The text of that box.
    static QString errorText(const QString& handler, int index, int number,
                             const QString& description) {
        return handler + QLatin1Char('(') + QString::number(index) + QStringLiteral(")-(") +
               QString::number(number) + QStringLiteral(")\n") + description;
    }
};

} // namespace dravik::services
