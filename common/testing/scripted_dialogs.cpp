#include "common/testing/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace common::testing {

using common::ui::Buttons;
using common::ui::Icon;

namespace {
const char* kindName(int kind) {
    static const char* names[] = {"message box", "input box", "message panel"};
    return names[kind];
}
} // namespace

ScriptedDialogs::~ScriptedDialogs() {
    EXPECT_TRUE(queue_.empty()) << queue_.size() << " scripted dialog(s) never came, first: "
                                << queue_.front().title.toStdString();
}

void ScriptedDialogs::expectMessage(const QString& title, const QString& text, Buttons buttons,
                                    Icon icon, int answer) {
    Expected e;
    e.kind = Kind::Message;
    e.title = title;
    e.text = text;
    e.buttons = buttons;
    e.icon = icon;
    e.answer = answer;
    queue_.push_back(e);
}

void ScriptedDialogs::expectMessageHolding(const QString& title, const QStringList& parts,
                                           Buttons buttons, Icon icon, int answer) {
    expectMessage(title, {}, buttons, icon, answer);
    queue_.back().text.reset();
    queue_.back().parts = parts;
}

void ScriptedDialogs::expectInput(const QString& title, const QString& prompt,
                                  std::optional<QString> answer, const QString& proposal) {
    Expected e;
    e.kind = Kind::Input;
    e.title = title;
    e.text = prompt;
    e.inputAnswer = std::move(answer);
    e.proposal = proposal;
    queue_.push_back(e);
}

void ScriptedDialogs::expectPanel(const QString& heading, const QString& text,
                                  common::ui::Buttons buttons, common::ui::Icon icon, int answer) {
    Expected e;
    e.kind = Kind::Panel;
    e.title = heading;
    e.text = text;
    e.buttons = buttons;
    e.icon = icon;
    e.answer = answer;
    queue_.push_back(e);
}

void ScriptedDialogs::expectPanelHeading(const QString& heading, int answer) {
    Expected e;
    e.kind = Kind::Panel;
    e.title = heading;
    e.answer = answer;
    queue_.push_back(e);
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(Kind kind, const QString& title,
                                                               const QString& text) {
    if (queue_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(static_cast<int>(kind)) << " \""
                      << title.toStdString() << "\": " << text.toStdString();
        return std::nullopt;
    }
    Expected e = queue_.front();
    queue_.pop_front();
    EXPECT_EQ(static_cast<int>(e.kind), static_cast<int>(kind))
        << "expected a " << kindName(static_cast<int>(e.kind)) << " \"" << e.title.toStdString()
        << "\", got a " << kindName(static_cast<int>(kind)) << " \"" << title.toStdString() << "\"";
    EXPECT_EQ(e.title.toStdString(), title.toStdString());
    if (e.text) {
        EXPECT_EQ(e.text->toStdString(), text.toStdString())
            << "in \"" << title.toStdString() << "\"";
    }
    for (const QString& part : e.parts)
        EXPECT_TRUE(text.contains(part))
            << "\"" << text.toStdString() << "\" lacks \"" << part.toStdString() << "\"";
    return e;
}

int ScriptedDialogs::message(const QString& title, const QString& text, Buttons buttons,
                             Icon icon) {
    const auto e = take(Kind::Message, title, text);
    if (!e)
        return buttons == Buttons::Ok ? common::ui::Answer::Ok : common::ui::Answer::Cancel;
    EXPECT_EQ(static_cast<int>(e->buttons), static_cast<int>(buttons))
        << "buttons of \"" << title.toStdString() << "\"";
    EXPECT_EQ(static_cast<int>(e->icon), static_cast<int>(icon))
        << "icon of \"" << title.toStdString() << "\"";
    return e->answer;
}

std::optional<QString> ScriptedDialogs::input(const QString& title, const QString& prompt,
                                              const QString& proposal) {
    const auto e = take(Kind::Input, title, prompt);
    if (!e)
        return std::nullopt;
    EXPECT_EQ(e->proposal.toStdString(), proposal.toStdString());
    return e->inputAnswer;
}

std::optional<int> ScriptedDialogs::panelAnswer(const QString& heading, const QString& text,
                                                common::ui::Buttons buttons,
                                                common::ui::Icon icon) {
    if (panelsByHand_)
        return std::nullopt;
    const auto e = take(Kind::Panel, heading, text);
    if (!e)
        return common::ui::Answer::Yes; // "Yes" is offered on every panel
    if (e->text) {
        EXPECT_EQ(static_cast<int>(e->buttons), static_cast<int>(buttons))
            << "buttons of \"" << heading.toStdString() << "\"";
        EXPECT_EQ(static_cast<int>(e->icon), static_cast<int>(icon))
            << "icon of \"" << heading.toStdString() << "\"";
    }
    return e->answer;
}

} // namespace common::testing
