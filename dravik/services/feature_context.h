#pragma once

namespace dravik::controls {
class ListViewPanel;
}
namespace dravik::workspace {
class Workspace;
}

namespace dravik::services {

class WindowServices;

// What the window hands every feature's controller: the run-time values, the window's services
// and the list view `RtB` with its labels. A controller takes what else it uses one by one.
struct FeatureContext {
    workspace::Workspace& workspace;
    WindowServices& window;
    controls::ListViewPanel& list;
};

} // namespace dravik::services
