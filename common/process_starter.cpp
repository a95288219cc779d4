#include "common/process_starter.h"

#include <QProcess>

namespace common {

bool ProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                   const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

} // namespace common
