#include "dravik/window/command_router.h"

#include "dravik/controls/command_array.h"
#include "dravik/services/window_services.h"

namespace dravik::window {

CommandRouter::CommandRouter(services::WindowServices& services) : services_(services) {}

void CommandRouter::attach(controls::CommandArray& array) {
    arrays_.append(&array);
    const QString name = array.name();
    connect(&array, &controls::CommandArray::clicked, this,
            [this, name](int index) { dispatch(name, index); });
}

void CommandRouter::disableUnrouted() {
    for (controls::CommandArray* array : arrays_) {
        const auto routed = routes_.value(array->name());
        for (const int index : array->indices()) {
            if (!routed.contains(index))
                array->element(index)->setEnabled(false);
        }
    }
}

QString CommandRouter::waitHeading() {
    return QStringLiteral("Please wait");
}

QString CommandRouter::waitText() {
    return QStringLiteral("Another command is still running.") + QLatin1Char('\n') +
           QStringLiteral("Try this again when it has finished.");
}

bool CommandRouter::readyForChange() {
    if (!busy())
        return true;
    services_.dialogs().message(waitHeading(), waitText(), common::ui::Buttons::Ok,
                                common::ui::Icon::Warning);
    return false;
}

void CommandRouter::dispatch(const QString& array, int index) {
    const Route route = routes_.value(array).value(index);
    if (!route.handler)
        return;
    const Effect effect = route.harmless && route.harmless() ? Effect::Reads : route.effect;
    if (command(array + QStringLiteral("_click"), index, effect, route.handler) && succeeded_)
        succeeded_();
}

bool CommandRouter::command(const QString& handler, int index, Effect effect, const Handler& work) {
    if (effect == Effect::ChangesCatalogue && !readyForChange())
        return false;
    const Running running(running_);
    return services_.trapped(handler, index, work);
}

} // namespace dravik::window
