#pragma once

#include <QString>
#include <QStringList>

namespace common {

// Starts programs detached, with the program and its arguments kept apart, never through a
// shell, so nothing in a file name is ever interpreted.
class ProcessStarter {
public:
    // False when the program could not be started (missing, not executable).
    static bool startDetached(const QString& program, const QStringList& arguments,
                              const QString& workingFolder = {});
};

} // namespace common
