#pragma once

#include <QString>

// An entry of the launch list `FiL`: a file name with a three-letter extension gets that
// extension and a blank in front ("song.mp3" -> "mp3 song.mp3"), so the extensions form a column;
// other names are listed bare.
namespace dravik::catalogue::FileListEntry {

QString of(const QString& name);
// Whether the entry has the extension in front.
bool hasKey(const QString& entry);
// The file the entry names.
QString fileName(const QString& entry);
// The extension key of an entry: the three letters in front; for a bare name its extension, at
// most three characters (empty when it has none).
QString key(const QString& entry);

} // namespace dravik::catalogue::FileListEntry
