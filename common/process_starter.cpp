#include "common/process_starter.h"

#include "common/large_pages.h"

#include <QProcess>
#include <QProcessEnvironment>

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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    LargePages::restoreUserValues(environment);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

} // namespace common
