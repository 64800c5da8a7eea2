#include "runtime/system/filesystem/Folders.h"

#include "runtime/system/filesystem/FileSystem.h"
#include "runtime/system/strings/Strings.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace nevalon::system {
namespace {

// Paths are kept without trailing "/" (the root is ""), so joining never doubles a separator.
std::string Trimmed(std::string path)
{
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

String AsFolder(const std::string& trimmed)
{
    return StringFromUtf8(trimmed + "/");
}

bool Home(std::string& home)
{
    const char* variable = std::getenv("HOME");
    if (variable && *variable) {
        home = Trimmed(variable);
        return true;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> scratch(size > 0 ? size : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, scratch.data(), scratch.size(), &found) != 0 || !found ||
        !found->pw_dir || !*found->pw_dir)
        return false;
    home = Trimmed(found->pw_dir);
    return true;
}

// An XDG base directory variable counts only when it holds an absolute path.
bool AbsoluteVariable(const char* name, std::string& path)
{
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return false;
    path = Trimmed(value);
    return true;
}

std::string BaseDirectory(const char* variable, const std::string& home, const char* fallback)
{
    std::string path;
    return AbsoluteVariable(variable, path) ? path : home + fallback;
}

std::string ConfigHome(const std::string& home)
{
    return BaseDirectory("XDG_CONFIG_HOME", home, "/.config");
}

// The value of `XDG_<name>_DIR` in user-dirs.dirs: "$HOME/..." or an absolute path in double quotes.
bool UserDirsEntry(const std::string& home, const std::string& name, std::string& path)
{
    std::ifstream file(ConfigHome(home) + "/user-dirs.dirs");
    const std::string key = "XDG_" + name + "_DIR";
    std::string line;
    bool found = false;
    while (std::getline(file, line)) {
        size_t at = line.find_first_not_of(" \t");
        if (at == std::string::npos || line.compare(at, key.size(), key) != 0) continue;
        at = line.find_first_not_of(" \t", at + key.size());
        if (at == std::string::npos || line[at] != '=') continue;
        at = line.find_first_not_of(" \t", at + 1);
        if (at == std::string::npos || line[at] != '"') continue;
        ++at;
        std::string value;
        if (line.compare(at, 5, "$HOME") == 0 && (line[at + 5] == '/' || line[at + 5] == '"')) {
            value = home;
            at += 5;
        } else if (line[at] != '/') {
            continue;
        }
        for (; at < line.size() && line[at] != '"'; ++at) {
            if (line[at] == '\\' && at + 1 < line.size()) ++at;
            value += line[at];
        }
        path = Trimmed(value);
        found = true; // a later line wins, as when the file is read by a shell
    }
    return found;
}

// xdg-user-dir's order: the user-dirs.dirs file, then the environment, then the folder under the home.
std::string UserFolder(const std::string& home, const std::string& name, const char* fallback)
{
    std::string path;
    if (UserDirsEntry(home, name, path) || AbsoluteVariable(("XDG_" + name + "_DIR").c_str(), path))
        return path;
    return home + "/" + fallback;
}

std::string FirstDataDirectory()
{
    const char* value = std::getenv("XDG_DATA_DIRS");
    std::string list = value ? value : "";
    for (size_t start = 0; start < list.size();) {
        size_t end = list.find(':', start);
        if (end == std::string::npos) end = list.size();
        if (list[start] == '/') return Trimmed(list.substr(start, end - start));
        start = end + 1;
    }
    return "/usr/local/share";
}

} // namespace

String HomeDirectory()
{
    std::string home;
    return Home(home) ? AsFolder(home) : String();
}

String UserDirectory(int64_t kind)
{
    std::string home;
    if (kind < UserFolderDesktop || kind > UserFolderPublic || !Home(home)) return String();
    const std::string dataHome = BaseDirectory("XDG_DATA_HOME", home, "/.local/share");
    switch (kind) {
    case UserFolderDesktop:
        return AsFolder(UserFolder(home, "DESKTOP", "Desktop"));
    case UserFolderApplications:
        return AsFolder(dataHome + "/applications");
    case UserFolderDownloads:
        return AsFolder(UserFolder(home, "DOWNLOAD", "Downloads"));
    case UserFolderDocuments:
        return AsFolder(UserFolder(home, "DOCUMENTS", "Documents"));
    case UserFolderApplicationSupport:
        // Files are written straight into this folder, which a fresh account may not have yet.
        CreateFolders(StringFromUtf8(dataHome));
        return AsFolder(dataHome);
    case UserFolderSharedApplicationSupport:
        return AsFolder(FirstDataDirectory());
    case UserFolderMovies:
        return AsFolder(UserFolder(home, "VIDEOS", "Videos"));
    case UserFolderMusic:
        return AsFolder(UserFolder(home, "MUSIC", "Music"));
    case UserFolderPictures:
        return AsFolder(UserFolder(home, "PICTURES", "Pictures"));
    default:
        return AsFolder(UserFolder(home, "PUBLICSHARE", "Public"));
    }
}

String ApplicationSupportDirectory()
{
    std::string home;
    return Home(home) ? AsFolder(BaseDirectory("XDG_DATA_HOME", home, "/.local/share")) : String();
}

String ConfigDirectory()
{
    std::string home;
    return Home(home) ? AsFolder(ConfigHome(home)) : String();
}

String RuntimeDirectory()
{
    std::string path, home;
    if (AbsoluteVariable("XDG_RUNTIME_DIR", path)) return AsFolder(path);
    if (!Home(home)) return String();
    path = BaseDirectory("XDG_CACHE_HOME", home, "/.cache");
    CreateFolders(StringFromUtf8(path));
    return AsFolder(path);
}

String ExecutablePath()
{
    std::vector<char> path(4096);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return String();
        if (static_cast<size_t>(length) < path.size())
            return StringFromUtf8(std::string_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

String BundleDirectory()
{
    std::string executable = StringToUtf8(ExecutablePath());
    size_t slash = executable.rfind('/');
    return slash == std::string::npos ? String() : AsFolder(Trimmed(executable.substr(0, slash)));
}

} // namespace nevalon::system
