#include "dravik/controls/command_array.h"

#include <QPushButton>
#include <QRadioButton>

namespace dravik::controls {

CommandArray::CommandArray(const QString& name, Look look, QObject* parent)
    : QObject(parent), name_(name), look_(look) {}

QAbstractButton* CommandArray::add(int index, const QString& caption, const QString& help,
                                   QWidget* container, const QString& tooltip) {
    QAbstractButton* element = nullptr;
    if (look_ == Look::Option) {
        element = new QRadioButton(caption, container);
    } else {
        auto* button = new QPushButton(caption, container);
        // Enter presses a focused button, as Space does (Qt does so only inside dialogs).
        button->setAutoDefault(look_ == Look::Button);
        if (look_ == Look::Panel) {
            button->setFlat(true);
            button->setProperty("panel", true); // styled as a flat panel
            button->setCursor(Qt::PointingHandCursor);
        }
        element = button;
    }
    element->setObjectName(name_ + "_" + QString::number(index));
    element->setProperty(HelpProperty, help);
    if (!tooltip.isEmpty())
        element->setToolTip(tooltip);
    element->setFocusPolicy(look_ == Look::Panel ? Qt::NoFocus : Qt::StrongFocus);
    connect(element, &QAbstractButton::clicked, this, [this, index] { emit clicked(index); });
    elements_.insert(index, element);
    return element;
}

} // namespace dravik::controls
