#pragma once

#include <QObject>

namespace dravik::catalogue {
class CatalogueController;
}

namespace dravik::workspace {

class MainWindow;

// Owns the window's handlers and routes each command array by index: one handler per array.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    explicit CommandRouter(MainWindow& window);

    catalogue::CatalogueController& cataloguing() { return *cataloguing_; }

    // `GCom`: the window's commands.
    void gCom(int index);

private:
    MainWindow& window_;
    catalogue::CatalogueController* cataloguing_;
};

} // namespace dravik::workspace
