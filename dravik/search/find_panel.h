#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QPoint;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::search {

class FindHistory;

// The find box `FTex` with its history and the panels beside it ("-F2", "DEL"), the find menu
// `FindMenuPan` and the search help `SHelp`.
class FindPanel : public QObject {
    Q_OBJECT
public:
    // The controls are children of `host`; their commands become elements of the arrays.
    FindPanel(QWidget* host, controls::CommandArray& gCom, controls::CommandArray& ssPanel1,
              controls::CommandArray& fCom);

    QWidget* bar() const { return bar_; }
    QComboBox* findBox() const { return findBox_; } // `FTex`
    QFrame* menu() const { return menu_; }          // `FindMenuPan`
    QFrame* help() const { return help_; }          // `SHelp`

    // The find box's list shows `history` from now on: an addition keeps the typed words, a new
    // history empties the box.
    void showHistory(const FindHistory& history);

    // `GCom` 1: shows the search help at `at`, or hides it when it is shown.
    void toggleSearchHelp(const QPoint& at);
    void closeMenu();

    // The search help, lines joined by line breaks.
    static QString searchHelpText();

private:
    QWidget* bar_;
    QComboBox* findBox_;
    QFrame* menu_;
    QFrame* help_;
    QLabel* helpText_;
};

} // namespace dravik::search
