// sync_program_folder SHIPPED FOLDER: brings a build folder's shipped files
// (settings, music, stages) up to date from dist/, by the same rule an
// installed program follows in its per-user folder. Used by the build only.
#include <iostream>

#include "common/shipped_files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: sync_program_folder SHIPPED FOLDER\n";
        return 2;
    }
    const tovek::ShippedFilesSync sync = tovek::SyncShippedFiles(argv[1], argv[2]);
    for (const std::string& name : sync.kept) {
        std::cout << "Keeping " << name << " in the program folder: it was changed there\n";
    }
    for (const std::string& failure : sync.failures) {
        std::cerr << "sync_program_folder: " << failure << '\n';
    }
    return sync.failures.empty() ? 0 : 1;
}
