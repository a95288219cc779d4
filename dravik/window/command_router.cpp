#include "dravik/window/command_router.h"

#include "common/error.h"
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

void CommandRouter::dispatch(const QString& array, int index) {
    const Handler handler = routes_.value(array).value(index);
    if (handler && trapped(services_, array + QStringLiteral("_click"), index, handler) &&
        succeeded_)
        succeeded_();
}

bool CommandRouter::trapped(services::WindowServices& services, const QString& handler, int index,
                            const Handler& work) {
    try {
        work();
        return true;
    } catch (const common::Error& e) {
        services.reportError(handler, index, e);
    } catch (const std::exception& e) {
        services.reportError(handler, index, common::ErrorNumber::PathFileAccess,
                             QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace dravik::window
