#pragma once

#include <QObject>
#include <QString>

namespace dravik::workspace {
class MainWindow;
}

namespace dravik::catalogue {

// Opening a catalogued disc: its list into the list view, or into the list viewer program; the
// disc counter and the list-state colour tell how long the list is and where that figure came
// from.
class DiscOpener : public QObject {
    Q_OBJECT
public:
    explicit DiscOpener(workspace::MainWindow& window);

    // Opens the disc named in the disc box.
    void open();
    // Starts the list viewer on a list; false when it could not be started.
    static bool startViewer(const QString& listPath);

    static constexpr const char* InUseCaption = "ERROR: File in use!!. Type another!";
    static constexpr const char* MissingCaption =
        "ERROR: Maybe interrupted before; empty; not existing.   -  Enter to create";

private:
    workspace::MainWindow& window_;
};

} // namespace dravik::catalogue
