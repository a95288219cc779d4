// Writes the association help the program ships into a folder, for the installed data folder:
// the installed file is the program's own text.
#include "dravik/launch/association_help.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shipped_help FOLDER\n");
        return 2;
    }
    dravik::launch::AssociationHelp::installWhenMissing(argv[1]);
    return 0;
}
