#pragma once

#include "dravik/controls/list_text_edit.h"

#include <QColor>
#include <QObject>
#include <QString>

class QColor;
class QLabel;
class QWidget;

namespace dravik::controls {

// The list view `RtB` that shows the open disc list or a search report, its status row (`Label4`,
// `LaB`, `FileLab`, `DirLab`) and the notices shown over it while something runs (`CrePan`,
// `UpPan`, `Wag`). Opening, cataloguing, finding, searching and reports all work on it.
class ListViewPanel : public QObject {
    Q_OBJECT
public:
    enum class Notice { Creating, UpdatingDrive, Loading };

    // The status when "ER" cannot make the list editable: a text of that size is not held whole.
    static inline const QString TooLargeToEdit =
        QStringLiteral("This list is too large to edit: it stays read-only (find and copy work)");

    // The controls are children of `host`, where the window places them.
    explicit ListViewPanel(QWidget* host);

    ListTextEdit* view() const { return view_; }
    QWidget* statusRow() const { return statusRow_; }
    QLabel* status() const { return status_; }           // `LaB`
    QLabel* listState() const { return listState_; }     // `Label4`
    QLabel* fileCount() const { return fileCount_; }     // `FileLab`
    QLabel* folderCount() const { return folderCount_; } // `DirLab`
    QLabel* rowLabel() const { return rowLabel_; }       // `Label5`
    QLabel* rowCount() const { return rowCount_; }       // `LinkTel`
    QLabel* notice(Notice which) const;

    // Shows a notice in front of the list view, and hides it again.
    void showNotice(Notice which);
    void hideNotice(Notice which);

    void setStatus(const QString& text);
    void paintStatus(const QColor& back, const QColor& text);
    // The status label's normal back colour is kept at start-up; failures and
    // finished loads paint it, and the next operation gives it back.
    void rememberStatusColour();
    void restoreStatusColour();

    // `ER`: switches the list view between read-only and editable and gives it the focus.
    void toggleEditable();
    // Read-only, the list view still moves and selects by keyboard (Ctrl+End, Page Down, ...).
    void setEditable(bool editable);

    // The list view wide (over the browser) or narrow (beside it).
    enum class Width { Wide = 0, Narrow = 1 };

signals:
    // A click on `Label4`.
    void listStateClicked();
    void widthChosen(Width width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* host_;
    ListTextEdit* view_;
    QWidget* statusRow_;
    QLabel* status_;
    QColor statusColour_;
    QLabel* listState_;
    QLabel* fileCount_;
    QLabel* folderCount_;
    QLabel* rowLabel_;
    QLabel* rowCount_;
    QLabel* notices_[3];
};

} // namespace dravik::controls
