#include "splitter/extension_classifier.h"

#include "common/code_page.h"
#include "common/upper_case.h"

#include <QList>
#include <QString>

namespace splitter {

namespace {
constexpr std::string_view Other = "OTHER";
constexpr std::string_view None = "NONE";

// The characters that make an extension "OTHER"; the separators keep every extension file inside
// the output folder.
bool refused(char32_t c) {
    static constexpr std::string_view marks = "~`@#$%^&()_-+=|}]{[;',/\\";
    return c < 0x20 || (c < 0x80 && marks.find(static_cast<char>(c)) != std::string_view::npos);
}

bool reservedName(std::string_view upper) {
    return upper == "PRN" || upper == "CON" || upper == "LPT";
}
} // namespace

std::string_view ExtensionClassifier::remember(std::string_view cls) {
    if (cls.data() != previous_.data())
        previous_.assign(cls);
    return previous_;
}

std::string_view ExtensionClassifier::classify(std::string_view name) {
    if (name.empty())
        return previous_;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return remember(Other);
    const std::string_view extension = name.substr(dot + 1);
    if (extension.empty())
        return remember(None);
    if (extension.size() > 4 * 4)
        return remember(Other); // longer than four characters in any code page
    char upper[4];
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const auto c = static_cast<unsigned char>(extension[i]);
        if (c >= 0x80)
            return remember(classifyWide(extension));
        if (i >= 4 || refused(c))
            return remember(Other);
        upper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : static_cast<char>(c);
    }
    const std::string_view up(upper, extension.size());
    if (up.size() < 3 || reservedName(up))
        return remember(Other);
    return remember(up);
}

// Extensions with characters beyond ASCII are rare: count and upper-case them as text.
std::string_view ExtensionClassifier::classifyWide(std::string_view extension) {
    const QString text =
        common::CodePage::system() == common::CodePage::Kind::Windows1252
            ? common::CodePage::fromWindows1252(extension)
            : QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
    const QList<uint> chars = text.toUcs4();
    if (chars.size() < 3 || chars.size() > 4)
        return Other;
    for (const uint c : chars) {
        if (refused(c))
            return Other;
    }
    wide_ = common::CodePage::encode(common::UpperCase::of(text));
    return wide_;
}

} // namespace splitter
