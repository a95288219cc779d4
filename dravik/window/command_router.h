#pragma once

#include "dravik/controls/command_index.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

namespace dravik::controls {
class CommandArray;
}
namespace dravik::services {
class WindowServices;
}

namespace dravik::window {

// The one place that maps a command array's index to its handler. Each array's clicks run the
// handler routed to the index, inside one trap that reports a failure as
// "GCom_click(7)-(68)" + LF + description. Elements without a handler are shown disabled.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;

    explicit CommandRouter(services::WindowServices& services);

    // Called after every command that ended without a failure.
    void onSuccess(Handler done) { succeeded_ = std::move(done); }

    void attach(controls::CommandArray& array);
    template <typename Index> void route(Index index, Handler handler) {
        routes_[QString::fromLatin1(controls::arrayName<Index>())][static_cast<int>(index)] =
            std::move(handler);
    }
    // Runs a command as a click on its element does.
    template <typename Index> void run(Index index) {
        dispatch(QString::fromLatin1(controls::arrayName<Index>()), static_cast<int>(index));
    }
    // Elements whose commands are not built yet are shown disabled.
    void disableUnrouted();

    // Runs `work`, reporting a failure as the error box of `handler`(`index`); true when it
    // ended without one.
    static bool trapped(services::WindowServices& services, const QString& handler, int index,
                        const Handler& work);

private:
    void dispatch(const QString& array, int index);

    services::WindowServices& services_;
    QList<controls::CommandArray*> arrays_;
    QMap<QString, QMap<int, Handler>> routes_;
    Handler succeeded_;
};

} // namespace dravik::window
