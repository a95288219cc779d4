#pragma once

#include "splitter/split_folders.h"

#include <QListWidget>

#include <vector>

namespace common::ui {
class FileListBox;
}

namespace splitter {

// The disc lists to split: several may be chosen; pressing the right button drops every choice.
// Each entry keeps its file name's own bytes, so a list whose name is not UTF-8 opens too.
class DiscListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DiscListBox(QWidget* parent = nullptr);

    // The files the file list shows, in its order.
    void fill(const common::ui::FileListBox& files);
    // Top to bottom, as the list shows them, not in the order they were picked.
    std::vector<ListedFile> selectedFiles() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace splitter
