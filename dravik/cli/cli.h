#pragma once

#include <QStringList>

#include <ostream>

namespace dravik::cli {

// dravik-cli: the catalogue for scripts and terminals, over the same engines as the window.
class Cli {
public:
    Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // `arguments` without the program name; returns the exit status.
    int run(const QStringList& arguments);

    static constexpr int Usage = 2;
    static constexpr int Refused = 1;
    static constexpr int Incomplete = 3;

private:
    int catalogue(const QStringList& arguments);
    int search(const QStringList& arguments); // cli_search.cpp
    void help();

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace dravik::cli
