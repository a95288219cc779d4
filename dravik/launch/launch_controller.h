#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

class QListWidget;

namespace dravik::launch {

class AssociationController;
class AssociationModel;

// The launch list `FiL` as a launcher: a double-click starts the file (programs themselves,
// other files with their associated program), a right-click opens the association panel for the
// file's extension. Every failure ends in the "No association?" question.
class LaunchController : public QObject {
    Q_OBJECT
public:
    LaunchController(QListWidget* launchList, const AssociationModel& associations,
                     AssociationController& linking, services::FeatureContext context);

    void launch(const QString& entry);
    // The right-click works on the selected entry; the pointer does not move the selection.
    void setAssociation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool tryLaunch(const QString& entry);
    void noAssociation();

    QListWidget* launchList_;
    const AssociationModel& associations_;
    AssociationController& linking_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
};

} // namespace dravik::launch
