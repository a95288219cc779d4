#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

namespace dravik::reports {

class ReportPanel;

// Search reports: saving the quick report under a name into the report folder, and loading saved
// reports into the list view, each after a header line.
class ReportController : public QObject {
    Q_OBJECT
public:
    // `proposedName` gives the text of the find box, proposed as the report's name.
    ReportController(ReportPanel& panel, services::FeatureContext context,
                     std::function<QString()> proposedName);

    // "Report": the panel with "Load" and "Save".
    void showPanel();
    // "Save": asks, saves, and leaves the list view editable.
    void save();
    // Saving the quick report under a name the user gives; failures are thrown to the caller
    // (the global search retries them, "Save" reports them).
    void saveQuickReport();
    // "Load": the saved reports to choose from.
    void chooseReports();
    // "Load Report": the chosen reports appended to the list view.
    void loadChosen();
    void closeLoadBox();

private:
    // The report's name: asked until the name can be a report or the user gives none.
    std::optional<QString> askName();

    ReportPanel& panel_;
    controls::ListViewPanel& list_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<QString()> proposedName_;
};

} // namespace dravik::reports
