#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

namespace dravik::catalogue {

class BrowserPanel;
class DiscPanel;

// Opening a catalogued disc: its list into the list view, or into the list viewer program; the
// disc counter and the list-state colour tell how long the list is and where that figure came
// from.
class DiscOpenController : public QObject {
    Q_OBJECT
public:
    DiscOpenController(DiscPanel& discs, BrowserPanel& browser, services::FeatureContext context);

    // Opens the disc named in the disc box.
    void open();
    // Starts the list viewer on a list; false when it could not be started.
    static bool startViewer(const QString& listPath);

    static constexpr const char* InUseCaption = "ERROR: File in use!!. Type another!";
    static constexpr const char* MissingCaption =
        "ERROR: Maybe interrupted before; empty; not existing.   -  Enter to create";

private:
    bool prepare(const QString& name);
    void load(const QString& name);
    void showCount(const QString& name);
    void fail(int number);

    DiscPanel& discs_;
    controls::ListViewPanel& list_;
    BrowserPanel& browser_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
};

} // namespace dravik::catalogue
