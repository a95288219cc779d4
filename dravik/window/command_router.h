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
//
// Long commands let window events run, so a click can arrive while another command is still on
// the stack. A command that changes the catalogue (its index and lists, the find history, the
// associations, the extension list, the data path) never runs inside another: it is refused
// with a message and the user tries again once the first has ended.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Condition = std::function<bool()>;
    enum class Effect { Reads, ChangesCatalogue };

    explicit CommandRouter(services::WindowServices& services);

    // Called after every command that ended without a failure.
    void onSuccess(Handler done) { succeeded_ = std::move(done); }

    void attach(controls::CommandArray& array);
    template <typename Index> void route(Index index, Handler handler) {
        routes_[key(index)][static_cast<int>(index)] = Route{std::move(handler), Effect::Reads, {}};
    }
    // A command that changes the catalogue.
    template <typename Index> void routeChange(Index index, Handler handler) {
        routes_[key(index)][static_cast<int>(index)] =
            Route{std::move(handler), Effect::ChangesCatalogue, {}};
    }
    // While `harmless` holds, the command changes nothing and runs even inside another (the
    // search's own "STOP" is its start command).
    template <typename Index> void harmlessWhile(Index index, Condition harmless) {
        routes_[key(index)][static_cast<int>(index)].harmless = std::move(harmless);
    }
    // Runs a command as a click on its element does.
    template <typename Index> void run(Index index) {
        dispatch(key(index), static_cast<int>(index));
    }
    // Runs a command that no array element starts (a key, a panel's signal) the way a routed one
    // runs: trapped as `handler`(`index`), counted as running, and refused inside another command
    // when it changes the catalogue. True when it ran without a failure.
    bool command(const QString& handler, int index, Effect effect, const Handler& work);
    // Elements whose commands are not built yet are shown disabled.
    void disableUnrouted();

    // Whether a command is running (it may be pumping events right now).
    bool busy() const { return running_ > 0; }
    // False, after telling the user, while a command runs: a change must wait for it to end.
    bool readyForChange();
    // What the user is told then.
    static QString waitHeading();
    static QString waitText();

private:
    struct Route {
        Handler handler;
        Effect effect = Effect::Reads;
        Condition harmless;
    };
    // Counts a command as running for as long as it lives.
    class Running {
    public:
        explicit Running(int& count) : count_(count) { ++count_; }
        ~Running() { --count_; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;

    private:
        int& count_;
    };

    template <typename Index> static QString key(Index) {
        return QString::fromLatin1(controls::arrayName<Index>());
    }
    void dispatch(const QString& array, int index);

    services::WindowServices& services_;
    QList<controls::CommandArray*> arrays_;
    QMap<QString, QMap<int, Route>> routes_;
    Handler succeeded_;
    int running_ = 0;
};

} // namespace dravik::window
