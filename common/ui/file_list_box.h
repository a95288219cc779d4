#pragma once

#include <QListWidget>

#include <filesystem>

namespace common::ui {

// The file list: the files of one folder that match a pattern such as "*.rtf" or
// "*.exe;*.com;*.bat", sorted by name. Optionally files with an executable bit count too, which is
// how Linux marks programs.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    void setIncludeExecutables(bool on);
    // Throws Error 76 when the folder does not exist.
    void setFolder(const std::filesystem::path& folder);
    std::filesystem::path folder() const { return folder_; }
    void refresh();
    // The names as shown: read by the text rule (UTF-8 when valid, else windows-1252).
    QStringList names() const;
    // The file of a row, by the name's own bytes, so a name that is not UTF-8 opens too.
    std::filesystem::path filePath(int row) const;

signals:
    void listed();

private:
    QString pattern_ = QStringLiteral("*.*");
    bool executables_ = false;
    std::filesystem::path folder_;
};

} // namespace common::ui
