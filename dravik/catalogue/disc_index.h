#pragma once

#include "common/file_lock.h"
#include "dravik/catalogue/catalogue.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QFileSystemWatcher;
class QTimer;

namespace dravik::catalogue {

// The disc index as the whole program sees it: the names of "DK.tex" in file order, and the
// "Size" setting of each disc. It is the only code that writes the index and those settings, and
// it tells its views when the index changed, also when another program changed the file. Every
// change starts from the file as it is at that moment, never from a copy a view holds, and the
// model reads the file again afterwards whatever happened, so views never keep a stale index.
class DiscIndex : public QObject {
    Q_OBJECT
public:
    enum class WhenMissing { Create, Leave };

    // One change of the catalogue, from reading the index to its last rename: while it lives,
    // no other program, and no other index object, changes the data folder's catalogue. Changes
    // of one index nest. Taking it waits a few seconds for another program's change to end, then
    // throws common::Error saying the catalogue is busy.
    //
    // A change first finishes what a killed program's change left undone (see ChangeJournal).
    // In a read-only data folder, or with a read-only index, it throws common::Error (70) saying
    // so, before anything is touched.
    class Change {
    public:
        enum class Patience { Wait, DontWait };
        explicit Change(DiscIndex& index, Patience patience = Patience::Wait);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        DiscIndex& index_;
    };
    // "The catalogue is being changed by another program…": the message of a refused change.
    static QString busyMessage();
    // Why nothing in the data folder can be changed, when so.
    std::optional<QString> readOnlyRefusal() const;

    explicit DiscIndex(Catalogue files, QObject* parent = nullptr);
    ~DiscIndex() override;

    const Catalogue& files() const { return files_; }

    // Reads the index; a missing one is created empty or, with Leave, holds no discs. Throws
    // common::Error when the file cannot be read; the names then stay as they were.
    void load(WhenMissing missing = WhenMissing::Create);
    // Uses the index of another data folder from now on, and reads it (as load does).
    void moveTo(Catalogue files);
    // Reads the index again after a change elsewhere, and tells the views when it differs. A file
    // that cannot be read leaves the names as they were.
    void refresh();
    // Notices changes that other programs make to the index file and reloads it.
    void watchFile();

    const QStringList& names() const { return names_; }
    qsizetype count() const { return names_.size(); }
    // The index's own spelling of `name`, matched without regard to case.
    std::optional<QString> spelling(const QString& name) const;
    bool holds(const QString& name) const { return spelling(name).has_value(); }
    static bool sameName(const QString& a, const QString& b);

    // The "Size" setting of a disc (empty when it has none).
    static QString size(const QString& disc);
    // The "Size" setting follows a rename ("0" when the disc had none). A move already made
    // (only the new name has one) is not made again.
    static void moveSize(const QString& from, const QString& to);
    // The settings of all these discs go, in one rewrite.
    static void dropSizes(const QStringList& discs);

    // Appends a disc whose list has just been published, unless the index already holds it.
    // Returns whether it was added. It and replace() take a Change of their own; a caller that
    // read the index first holds one from that read on.
    bool add(const QString& name);
    // Writes a complete new index and swaps it in, keeping the old one as "Dk.Tex.Bak".
    void replace(const QStringList& names);

signals:
    void changed();

private:
    void adopt(QStringList names);
    void finishInterrupted();
    void fileTouched();

    Catalogue files_;
    QStringList names_;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    common::FileLock lock_;
    int changes_ = 0;
};

} // namespace dravik::catalogue
