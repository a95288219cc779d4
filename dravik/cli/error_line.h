#pragma once

#include "common/error.h"

#include <QString>

#include <ostream>
#include <string_view>

namespace dravik::cli {

// Every line dravik-cli writes about a failure, in one form: "dravik-cli: " and what went wrong.
class ErrorLine {
public:
    explicit ErrorLine(std::ostream& err) : err_(err) {}

    void write(std::string_view text) const;
    void write(const char* text) const { write(std::string_view(text)); }
    void write(const QString& text) const { write(text.toStdString()); }
    // The description and the error number, after `before` ("the report was not saved: ").
    void write(const common::Error& error, std::string_view before = {}) const;
    // Wrong usage: the text and where to look.
    void usage(std::string_view text) const;

private:
    std::ostream& err_;
};

} // namespace dravik::cli
