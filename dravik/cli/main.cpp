// dravik-cli: cataloguing from scripts and terminals, no window.
#include "dravik/cli/cli.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return dravik::cli::Cli(std::cout, std::cerr).run(arguments);
}
