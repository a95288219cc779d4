#include "common/process_starter.h"

#include <QProcess>

namespace common {

namespace {
ProcessStarter::Starter replacement;
}

void ProcessStarter::replaceForTests(Starter starter) {
    replacement = std::move(starter);
}

bool ProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                   const QString& workingFolder) {
    if (replacement)
        return replacement(program, arguments);
    return QProcess::startDetached(program, arguments, workingFolder);
}

} // namespace common
