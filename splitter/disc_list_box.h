#pragma once

#include <QListWidget>

namespace splitter {

// The disc lists to split: several may be chosen; pressing the right button drops every choice.
class DiscListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DiscListBox(QWidget* parent = nullptr);

    QStringList selectedNames() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace splitter
