#include "splitter/start_argument.h"

namespace splitter {

QString StartArgument::dataFolder(const QStringList& arguments) {
    // A shell may have cut a name with blanks into several arguments: put them together again.
    const QString line = arguments.join(u' ');
    const qsizetype slash = line.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    return line.left(slash + 1);
}

} // namespace splitter
