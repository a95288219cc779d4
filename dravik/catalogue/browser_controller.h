#pragma once

#include <QObject>
#include <QString>

namespace dravik::workspace {
class MainWindow;
}

namespace dravik::catalogue {

// The drive, folder and file lists of the main window follow one another: the main browser
// (whose file list `FiL` is the launch list), the program picker and the report picker.
class BrowserController : public QObject {
    Q_OBJECT
public:
    explicit BrowserController(workspace::MainWindow& window);

    // The launch-list entry of a file name: a three-letter extension is put in front
    // ("song.mp3" -> "mp3 song.mp3"); other names stay as they are.
    static QString fileListEntry(const QString& name);
    // Fills `FiL` from the folder of `Dir1`.
    void fillFileList();

private:
    workspace::MainWindow& window_;
};

} // namespace dravik::catalogue
