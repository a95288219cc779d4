#pragma once

#include <QString>
#include <QStringList>

namespace splitter {

// Dravik starts the splitter with one argument: data folder + disc name + ".rtf," + disc name.
// The splitter takes only the folder from it, to open the path dialog there when no data path is
// set yet.
class StartArgument {
public:
    // The arguments after the program name; the folder ends in "/", or is empty when there is
    // none.
    static QString dataFolder(const QStringList& arguments);
    // Whether Dravik started this program (it always passes its argument), so the window must
    // not take the focus from Dravik's.
    static bool fromMainProgram(const QStringList& arguments) { return !arguments.isEmpty(); }
};

} // namespace splitter
