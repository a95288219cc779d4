#pragma once

#include "common/ui/dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>

namespace common::testing {

// A Dialogs that expects every box and message panel in order, checks title, text and buttons
// letter for letter, and answers from its queue. An unexpected dialog fails the test.
class ScriptedDialogs : public common::ui::Dialogs {
public:
    ~ScriptedDialogs() override;

    void expectMessage(const QString& title, const QString& text, common::ui::Buttons buttons,
                       common::ui::Icon icon, int answer);
    // A message box whose text holds each of `parts` (texts that carry a system's description).
    void expectMessageHolding(const QString& title, const QStringList& parts,
                              common::ui::Buttons buttons, common::ui::Icon icon, int answer);
    // `answer` empty: the box is cancelled.
    void expectInput(const QString& title, const QString& prompt, std::optional<QString> answer,
                     const QString& proposal = {});
    // The in-window panel: heading, text, the buttons it offers, the picture it shows, answer.
    void expectPanel(const QString& heading, const QString& text, common::ui::Buttons buttons,
                     common::ui::Icon icon, int answer);
    // A panel whose text is not checked (long texts checked elsewhere).
    void expectPanelHeading(const QString& heading, int answer);

    // Message panels are then answered by the test clicking their buttons.
    void answerPanelsByHand(bool on) { panelsByHand_ = on; }

    bool allAnswered() const { return queue_.empty(); }
    int pending() const { return static_cast<int>(queue_.size()); }

    int message(const QString& title, const QString& text, common::ui::Buttons buttons,
                common::ui::Icon icon) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& proposal) override;
    std::optional<int> panelAnswer(const QString& heading, const QString& text,
                                   common::ui::Buttons buttons, common::ui::Icon icon) override;

private:
    enum class Kind { Message, Input, Panel };
    struct Expected {
        Kind kind = Kind::Message;
        QString title;
        std::optional<QString> text;
        QStringList parts; // checked instead of `text` when given
        common::ui::Buttons buttons = common::ui::Buttons::Ok;
        common::ui::Icon icon = common::ui::Icon::None;
        int answer = 0;
        std::optional<QString> inputAnswer;
        QString proposal;
    };
    std::optional<Expected> take(Kind kind, const QString& title, const QString& text);

    std::deque<Expected> queue_;
    bool panelsByHand_ = false;
};

} // namespace common::testing
