#pragma once

#include <QString>

#include <optional>

namespace common::ui {

// Answers as the standard message boxes give them; the message panel uses the same numbers.
namespace Answer {
constexpr int None = 0;
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace Answer

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Question, Information, Warning, Critical };

// Every standard message box and input box goes through this, so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty title shows the application's name.
    virtual int message(const QString& title, const QString& text, Buttons buttons, Icon icon) = 0;
    // The text typed, or nothing when the box was cancelled.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& proposal) = 0;
    // In-window question panels ask here first: a scripted answer (tests) or nothing, in which
    // case the panel waits for the user. `buttons` are the ones the panel offers, `icon` the
    // picture it shows (`Icon::Question` or `Icon::Warning`).
    virtual std::optional<int> panelAnswer(const QString& heading, const QString& text,
                                           Buttons buttons, Icon icon) {
        (void)heading, (void)text, (void)buttons, (void)icon;
        return std::nullopt;
    }
};

// The real boxes.
class QtDialogs : public Dialogs {
public:
    int message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& proposal) override;
};

} // namespace common::ui
