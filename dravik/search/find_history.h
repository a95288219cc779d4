#pragma once

#include <QObject>
#include <QStringList>

#include <filesystem>

namespace dravik::search {

// The find history "FTex.Lys": the words of earlier searches, first to last, each once (compared
// without regard to case). The find box shows it; nothing else keeps a copy.
class FindHistory : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "FTex.Lys";

    explicit FindHistory(QObject* parent = nullptr);

    // Reads "FTex.Lys" in `dataFolder` (created empty when missing). Throws common::Error when
    // it cannot; the history is then empty and `save` leaves the file alone.
    void load(const std::filesystem::path& dataFolder);
    bool loaded() const { return loaded_; }

    const QStringList& entries() const { return entries_; }
    // Adds `text` at the end unless an entry equals it; true when it did.
    bool remember(const QString& text);
    void clear();

    // Rewrites "FTex.Lys" with the entries; a history that could not be read is not replaced.
    void save() const;

signals:
    // The whole history is new (loaded or cleared).
    void changed();
    // One entry joined at `row`.
    void added(int row);

private:
    std::filesystem::path file_;
    QStringList entries_;
    bool loaded_ = false;
};

} // namespace dravik::search
