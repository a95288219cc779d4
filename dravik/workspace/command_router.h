#pragma once

#include <QObject>
#include <QString>

namespace dravik::catalogue {
class BrowserController;
class CatalogueController;
class DiscOpener;
} // namespace dravik::catalogue

namespace dravik::workspace {

class MainWindow;

// Owns the window's handlers and routes each command array by index: one handler per array,
// each reporting its own failures. Elements whose commands are not built are shown disabled.
class CommandRouter : public QObject {
    Q_OBJECT
public:
    explicit CommandRouter(MainWindow& window);

    catalogue::CatalogueController& cataloguing() { return *cataloguing_; }
    catalogue::DiscOpener& opener() { return *opener_; }
    catalogue::BrowserController& browsers() { return *browsers_; }

    void gCom(int index);
    void ssPanel1(int index);
    void soekCom(int index);
    void wCom(int index);

    // The search help text, lines joined by line breaks.
    static QString searchHelpText();
    // "Select the letter from the list ..." on the default drive panel.
    static QString driveChoiceText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Work> void trap(const QString& handler, int index, Work work);
    void searchHelp();
    void refreshDriveInfo();
    void setDefaultDrive();
    void switchListView();
    void startSplitter();

    MainWindow& window_;
    catalogue::CatalogueController* cataloguing_;
    catalogue::DiscOpener* opener_;
    catalogue::BrowserController* browsers_;
    bool choosing_ = false;
    QObject* discList_ = nullptr; // the disc box's list and its area, watched for a choice
    QObject* discListArea_ = nullptr;
};

} // namespace dravik::workspace
