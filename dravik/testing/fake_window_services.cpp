#include "dravik/testing/fake_window_services.h"

namespace dravik::testing {

using common::ui::Buttons;
using common::ui::Icon;

int FakeWindowServices::ask(const QString& heading, const QString& text, Buttons buttons,
                            Icon icon) {
    // The panel shows the warning picture for both warning icons, the question one otherwise.
    const Icon shown =
        icon == Icon::Warning || icon == Icon::Critical ? Icon::Warning : Icon::Question;
    // The scripted dialogs fail the test on a question they do not expect.
    return dialogs_.panelAnswer(heading, text, buttons, shown).value_or(common::ui::Answer::Cancel);
}

void FakeWindowServices::reportError(const QString& handler, int index, int number,
                                     const QString& description) {
    dialogs_.message({}, errorText(handler, index, number, description), Buttons::Ok, Icon::None);
}

bool FakeWindowServices::runChange(const QString& handler, int index,
                                   const std::function<void()>& work) {
    return trapped(handler, index, work);
}

} // namespace dravik::testing
