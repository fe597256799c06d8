#include "platform/core/DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

namespace orv {

namespace {

std::string WithSlash(std::string_view folder)
{
    std::string out(folder);
    if (out.empty() || out.back() != '/')
        out += '/';
    return out;
}

bool IsFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// `folder` ends with '/'.
bool HoldsData(const std::string& folder)
{
    return IsFile(folder + "Orvanta.ini") || IsFolder(folder + "tOrvanta");
}

// "/usr/bin/" -> "/usr/"; "/" stays "/".
std::string ParentOf(const std::string& folder)
{
    std::string_view trimmed(folder);
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.remove_suffix(1);
    const std::size_t slash = trimmed.rfind('/');
    if (slash == std::string_view::npos)
        return "../";
    return std::string(trimmed.substr(0, slash + 1));
}

} // namespace

std::string ExecutableFolder()
{
    char path[PATH_MAX + 1] = {};
    const ssize_t n = readlink("/proc/self/exe", path, PATH_MAX);
    const std::string_view exe(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    const std::size_t slash = exe.rfind('/');
    if (slash == std::string_view::npos)
        return "./";
    return std::string(exe.substr(0, slash + 1));
}

std::string DataFolderFor(std::string_view exeFolder)
{
    const std::string beside = WithSlash(exeFolder);
    if (HoldsData(beside))
        return beside;
    const std::string installed = ParentOf(beside) + "share/orvanta/";
    if (HoldsData(installed))
        return installed;
    return beside;
}

std::string DataFolder()
{
    return DataFolderFor(ExecutableFolder());
}

} // namespace orv
