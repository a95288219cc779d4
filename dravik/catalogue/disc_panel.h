#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QFrame;
class QLabel;
class QWidget;

namespace dravik::controls {
class CommandArray;
class EngravedButton;
class ListAdapter;
} // namespace dravik::controls

namespace dravik::catalogue {

class DiscIndex;

// The disc box `TeX` with its counter `DTel`, the next-disc command `NDc`, the disc commands that
// sit beside it ("OPEN", "F5", "CREATE") and the change notice `NewDisc`. It tells what the user
// did with the box; the controllers decide what follows.
class DiscPanel : public QObject {
    Q_OBJECT
public:
    // The controls are children of `host`; the disc commands become elements of the arrays.
    DiscPanel(QWidget* host, controls::CommandArray& gCom, controls::CommandArray& ssPanel1);

    QWidget* bar() const { return bar_; }
    QComboBox* box() const { return box_; }                          // `TeX`
    QLabel* counter() const { return counter_; }                     // `DTel`
    controls::EngravedButton* nextDisc() const { return nextDisc_; } // `NDc`
    QFrame* changeNotice() const { return notice_; }                 // `NewDisc`

    // The text of the box: the disc name typed or chosen.
    QString name() const;
    void setName(const QString& name);
    // Shows a name the user may take or type over: the text is selected, and the box takes the
    // keys unless the user is typing elsewhere.
    void offer(const QString& name);
    // Shows the entry of that name as chosen.
    void choose(const QString& name);
    // Whether the text is the entry chosen from the box (not typed, nor changed since).
    bool showsChosenEntry() const;
    // The box shows the discs of `index` from now on, following every change; the typed text
    // stays as it is.
    void follow(const DiscIndex& index);
    // The counter shows how many discs the box holds.
    void showDiscCount();

signals:
    // Enter in the box (the box itself never sees it).
    void enterPressed();
    // A key was released in the box.
    void keyReleased();
    // An entry was chosen from the box's list (a click, Enter or an arrow key), not merely left.
    void discChosen();
    void noticeClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The index changed under the box: the typed text stays, and so does the chosen entry.
    void reloadDiscs(controls::ListAdapter& discs);
    bool filterBox(QEvent* event);

    QWidget* bar_;
    QComboBox* box_;
    QLabel* counter_;
    controls::EngravedButton* nextDisc_;
    QFrame* notice_;
    QObject* list_; // the box's drop-down list and its area, watched for a choice
    QObject* listArea_;
    bool choosing_ = false;
};

} // namespace dravik::catalogue
