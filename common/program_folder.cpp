#include "common/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "common/file_access.h"
#include "common/shipped_files.h"

namespace tovek {
namespace fs = std::filesystem;

UserEnvironment UserEnvironment::FromProcess() {
    UserEnvironment environment;
    if (const char* value = std::getenv("XDG_DATA_HOME")) environment.xdgDataHome = value;
    if (const char* value = std::getenv("HOME")) environment.home = value;
    if (environment.home.empty()) {
        if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir) {
            environment.home = account->pw_dir;
        }
    }
    return environment;
}

fs::path UserProgramFolder(const UserEnvironment& environment) {
    const fs::path dataHome(environment.xdgDataHome);
    if (dataHome.is_absolute()) return dataHome / "tovek";
    const fs::path home(environment.home);
    if (home.is_absolute()) return home / ".local" / "share" / "tovek";
    return {};
}

fs::path ShippedFilesFolder(const fs::path& executableFolder) {
    return (executableFolder / TOVEK_SHIPPED_FILES_FROM_BINDIR).lexically_normal();
}

PreparedProgramFolder PrepareProgramFolder(const fs::path& executableFolder,
                                           const UserEnvironment& environment) {
    const fs::path shipped = ShippedFilesFolder(executableFolder);
    std::error_code error;
    if (!fs::is_directory(shipped, error)) return {executableFolder, {}};
    PreparedProgramFolder prepared{UserProgramFolder(environment), {}};
    if (prepared.folder.empty()) {
        prepared.problems.push_back("no home folder: set HOME or XDG_DATA_HOME");
        return prepared;
    }
    // Installed with the prefix ~/.local, the shipped files lie in the per-user
    // folder itself: installing is what updates them, by the same rule.
    if (fs::equivalent(shipped, prepared.folder, error)) return prepared;
    ShippedFilesSync sync = SyncShippedFiles(shipped, prepared.folder);
    prepared.problems = std::move(sync.failures);
    if (!fs::is_directory(prepared.folder, error)) prepared.folder.clear();
    return prepared;
}

fs::path PrepareOwnProgramFolder(std::string_view programName, std::ostream& err) {
    PreparedProgramFolder prepared =
        PrepareProgramFolder(ProgramFolder(), UserEnvironment::FromProcess());
    for (const std::string& problem : prepared.problems) {
        err << programName << ": " << problem << '\n';
    }
    return std::move(prepared.folder);
}

}  // namespace tovek
