#pragma once

#include <QObject>

class QFrame;
class QListWidget;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::search {

// The global-search panel `DSoekPan` (" Select Discs to search in"): the disc selection list
// `SoekLys` and the search commands `SoekCom`.
class SearchPanel : public QObject {
    Q_OBJECT
public:
    SearchPanel(QWidget* host, controls::CommandArray& soekCom);

    QFrame* frame() const { return frame_; }
    QListWidget* discs() const { return discs_; } // `SoekLys`

private:
    QFrame* frame_;
    QListWidget* discs_;
};

} // namespace dravik::search
