#pragma once

#include <string>
#include <string_view>

namespace splitter {

// Which extension file a record goes to, worked out from its file-name item (bytes in the
// system's code page): the upper-cased extension when it is a plain three- or four-character one,
// otherwise "OTHER" or "NONE".
class ExtensionClassifier {
public:
    // Valid until the next call. An empty name takes the class of the previous record.
    std::string_view classify(std::string_view name);
    // A new run starts from "NONE".
    void reset() { previous_ = "NONE"; }

private:
    std::string_view remember(std::string_view cls);
    std::string_view classifyWide(std::string_view extension);

    std::string previous_ = "NONE";
    std::string wide_;
};

} // namespace splitter
