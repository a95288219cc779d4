#include "common/file_name_gate.h"

#include "common/error.h"
#include "common/name_resolver.h"
#include "common/own_files.h"

#include <QStringList>

#include <algorithm>

namespace common {

namespace {

bool isControl(QChar c) {
    return c.unicode() < 32 || c.unicode() == 127;
}

bool isWindowsDevice(const QString& name) {
    static const QStringList devices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    // Windows takes "CON.txt" for the device too.
    return devices.contains(name.section(u'.', 0, 0).toUpper());
}

} // namespace

FileNameGate::FileNameGate(QString what, QString suffix)
    : what_(std::move(what)), suffix_(std::move(suffix)) {}

std::optional<QString> FileNameGate::formRefusal(const QString& name) const {
    const QString kind = QStringLiteral("A ") + what_ + QStringLiteral(" name ");
    if (name.trimmed().isEmpty())
        return QStringLiteral("Type a name for the ") + what_ + QStringLiteral(" first.");
    if (name.contains(u'/') || name.contains(u'\\'))
        return kind + QStringLiteral("cannot hold / or \\.");
    // Without separators the name is one component: ".." would be the parent folder.
    if (name == QStringLiteral(".."))
        return kind + QStringLiteral("cannot be \"..\".");
    if (std::any_of(name.begin(), name.end(), isControl))
        return kind + QStringLiteral("cannot hold control characters.");
    for (const char c : {':', '*', '?', '"', '<', '>', '|'}) {
        if (name.contains(QLatin1Char(c)))
            return kind + QStringLiteral("cannot hold any of  : * ? \" < > |");
    }
    if (name.endsWith(u' ') || name.endsWith(u'.') || name.startsWith(u' '))
        return kind + QStringLiteral("cannot begin with a blank or end with a blank or a dot.");
    if (isWindowsDevice(name))
        return QStringLiteral("\"") + name +
               QStringLiteral("\" is a device name on Windows and cannot name a file.");
    return std::nullopt;
}

std::optional<QString> FileNameGate::refusal(const QString& name) const {
    if (auto reason = formRefusal(name))
        return reason;
    const QString fileName = name + suffix_;
    if (fileName.toUtf8().size() > 255)
        return QStringLiteral("The ") + what_ +
               QStringLiteral(" name is too long for a file name.");
    if (const auto own = ownFile(fileName))
        return QStringLiteral("\"%1\" is the name of a list the program keeps (%2) and cannot "
                              "name a %3.")
            .arg(name, QString::fromUtf8(own->data(), static_cast<qsizetype>(own->size())), what_);
    return std::nullopt;
}

std::filesystem::path FileNameGate::place(const std::filesystem::path& folder,
                                          const QString& name) const {
    if (const auto reason = refusal(name))
        throw Error(ErrorNumber::InvalidArgument, reason->toStdString());
    return NameResolver::resolve(folder, (name + suffix_).toStdString());
}

std::optional<std::string_view> FileNameGate::ownFile(const QString& fileName) {
    const std::string bytes = fileName.toStdString();
    for (const std::string_view own : OwnFiles::All) {
        if (NameResolver::sameName(bytes, own))
            return own;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FileNameGate::below(const std::filesystem::path& root,
                                                         std::string_view relative) {
    std::string rest(relative);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    int depth = 0;
    for (std::size_t at = 0; at <= rest.size();) {
        std::size_t end = rest.find('/', at);
        if (end == std::string::npos)
            end = rest.size();
        const std::string_view part = std::string_view(rest).substr(at, end - at);
        if (part == "..")
            --depth;
        else if (!part.empty() && part != ".")
            ++depth;
        if (depth < 0)
            return std::nullopt;
        at = end + 1;
    }
    rest.erase(0, rest.find_first_not_of('/'));
    return rest.empty() ? root : root / rest;
}

} // namespace common
