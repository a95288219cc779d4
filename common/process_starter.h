#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace common {

// Starts programs detached, with the program and its arguments kept apart, never through a
// shell, so nothing in a file name is ever interpreted. Every program started gets the user's
// environment: this program's own tuning (LargePages) is taken out, so a program the user opens
// runs as it would from the user's desktop, and a program of ours tunes itself.
namespace ProcessStarter {

// False when the program could not be started (missing, not executable).
bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingFolder = {});

// Tests put a recorder here; while it is set, nothing is started.
using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;
void replaceForTests(Starter starter);

} // namespace ProcessStarter

} // namespace common
