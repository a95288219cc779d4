#include "dravik/cli/error_line.h"

namespace dravik::cli {

void ErrorLine::write(std::string_view text) const {
    err_ << "dravik-cli: " << text << '\n';
}

void ErrorLine::write(const common::Error& error, std::string_view before) const {
    err_ << "dravik-cli: " << before << error.description() << " (error " << error.number()
         << ")\n";
}

void ErrorLine::usage(std::string_view text) const {
    err_ << "dravik-cli: " << text << " (try --help)\n";
}

} // namespace dravik::cli
