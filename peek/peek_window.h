#pragma once

#include "common/line_store.h"
#include "common/ui/yield_point.h"

#include <QWidget>

#include <cstddef>
#include <filesystem>
#include <optional>

class QLineEdit;
class QListView;
class QModelIndex;

namespace common {
class Error;
}
namespace common::ui {
class Dialogs;
}

namespace peek {

class LineListModel;

// The window `Peek`: the text box `TeX` over the list `List1`, which shows one file line by line.
class PeekWindow : public QWidget {
    Q_OBJECT
public:
    // Statuses the program ends with when it cannot show anything.
    static constexpr int Unreadable = 1;
    static constexpr int NoPath = 2;

    // `path` is the whole command line after the program name; empty when nothing was given.
    PeekWindow(common::ui::Dialogs& dialogs, std::filesystem::path path, QWidget* parent = nullptr);
    ~PeekWindow() override;

    // Asks for a path when none was given; otherwise shows the window and loads the file while the
    // caption counts up. Returns the status to end the program with, or nothing while the window
    // stays open.
    std::optional<int> start();

    const LineListModel& model() const { return *model_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool stepShown(std::size_t total);
    void copyLine(const QModelIndex& index);
    int refuse(const QString& verb, const QString& reason);
    QString reasonOf(const common::Error& error) const;

    common::ui::Dialogs& dialogs_;
    std::filesystem::path path_;
    QString shownPath_;
    common::LineStore store_;
    LineListModel* model_;
    QLineEdit* text_;
    QListView* list_;
    common::ui::YieldPoint yield_;
    bool closed_ = false;
};

} // namespace peek
