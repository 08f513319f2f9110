#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tovek {

// Where the user's own files go, from the process environment.
struct UserEnvironment {
    std::string xdgDataHome;  // $XDG_DATA_HOME
    std::string home;         // $HOME, or the home folder of the user's account

    static UserEnvironment FromProcess();
};

// The per-user program folder of an installed program: $XDG_DATA_HOME/tovek,
// or ~/.local/share/tovek when XDG_DATA_HOME is unset, empty or relative.
// Empty when no home folder is known either.
std::filesystem::path UserProgramFolder(const UserEnvironment& environment);

// Where an installed program's shipped files (Tovek.ini, Tovek.mid, the
// stage folder) lie for an executable in `executableFolder`: share/tovek
// beside its bin folder.
std::filesystem::path ShippedFilesFolder(const std::filesystem::path& executableFolder);

struct PreparedProgramFolder {
    std::filesystem::path folder;       // empty when no program folder could be made
    std::vector<std::string> problems;  // one line for each thing that went wrong
};

// The program folder for a program whose executable lies in
// `executableFolder`. An installed program (its shipped files found by
// ShippedFilesFolder) cannot write beside itself: its program folder is the
// per-user folder, made on the first start and brought up to date from the
// shipped files on every start without replacing what the user changed. Any
// other program, such as one in a build folder, uses `executableFolder`.
PreparedProgramFolder PrepareProgramFolder(const std::filesystem::path& executableFolder,
                                           const UserEnvironment& environment);

// PrepareProgramFolder for the running program in its environment; every
// problem goes to `err` as "PROGRAM: problem". Empty when there is no folder
// to run with.
std::filesystem::path PrepareOwnProgramFolder(std::string_view programName, std::ostream& err);

}  // namespace tovek
