#pragma once

#include "common/code_page.h"

namespace common::testing {

// Writes in one code page for the life of a test, then goes back to the one before.
class ScopedCodePage {
public:
    explicit ScopedCodePage(CodePage::Kind kind) : saved_(CodePage::system()) {
        CodePage::setSystem(kind);
    }
    ~ScopedCodePage() { CodePage::setSystem(saved_); }
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;

private:
    CodePage::Kind saved_;
};

} // namespace common::testing
