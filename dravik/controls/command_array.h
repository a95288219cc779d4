#pragma once

#include <QAbstractButton>
#include <QMap>
#include <QObject>
#include <QString>

class QWidget;

namespace dravik::controls {

// A family of like commands: elements named NAME_index, each with a caption, a help text (shown on
// the help line) and a tooltip, all reporting through one clicked(index).
class CommandArray : public QObject {
    Q_OBJECT
public:
    // How an element looks: a flat panel, a push button, or one of a group of options.
    enum class Look { Panel, Button, Option };

    CommandArray(const QString& name, Look look, QObject* parent = nullptr);

    // Creates element `index` as a child of `container`.
    QAbstractButton* add(int index, const QString& caption, const QString& help, QWidget* container,
                         const QString& tooltip = {});
    QAbstractButton* element(int index) const { return elements_.value(index); }
    // The same by a named index (see command_index.h).
    template <typename Index>
    QAbstractButton* add(Index index, const QString& caption, const QString& help,
                         QWidget* container, const QString& tooltip = {}) {
        return add(static_cast<int>(index), caption, help, container, tooltip);
    }
    // A command without a help text; captions and tooltips as the code spells them.
    template <typename Index>
    QAbstractButton* add(Index index, const char* caption, QWidget* container,
                         const char* tooltip = "") {
        return add(static_cast<int>(index), QString::fromLatin1(caption), QString(), container,
                   QString::fromLatin1(tooltip));
    }
    template <typename Index> QAbstractButton* element(Index index) const {
        return element(static_cast<int>(index));
    }
    bool has(int index) const { return elements_.contains(index); }
    QList<int> indices() const { return elements_.keys(); }
    const QString& name() const { return name_; }

    // The property that holds an element's help text.
    static constexpr const char* HelpProperty = "helpText";

signals:
    void clicked(int index);

private:
    QString name_;
    Look look_;
    QMap<int, QAbstractButton*> elements_;
};

} // namespace dravik::controls
