#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string_view>

namespace common {

// The one way from text the user typed to a file: a disc, a saved report or a saved selection
// name becomes name + suffix inside its folder, or is refused in words for the user. A name that
// could leave its folder, could not be a file name on Linux or Windows, or would land on one of
// the program's own files (see OwnFiles) is refused.
class FileNameGate {
public:
    // `what` names the kind of name in the messages ("disc": "A disc name cannot hold ...");
    // `suffix` is added to make the file name (".rtf").
    explicit FileNameGate(QString what, QString suffix = {});

    // Why the name cannot name a file, or nothing when it can.
    [[nodiscard]] std::optional<QString> refusal(const QString& name) const;
    // The file of the name in `folder`, matched without regard to case. Throws common::Error 5
    // with the refusal when refused.
    [[nodiscard]] std::filesystem::path place(const std::filesystem::path& folder,
                                              const QString& name) const;

    // Whether the file name is one of the program's own, without regard to case.
    [[nodiscard]] static std::optional<std::string_view> ownFile(const QString& fileName);

    // A folder path as lists hold it ("Photos\2009\", with \ or /) below `root`: root joined with
    // it, or nothing when its ".." would climb above the root.
    [[nodiscard]] static std::optional<std::filesystem::path>
    below(const std::filesystem::path& root, std::string_view relative);

private:
    [[nodiscard]] std::optional<QString> formRefusal(const QString& name) const;

    QString what_;
    QString suffix_;
};

} // namespace common
