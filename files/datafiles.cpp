#include "files/datafiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace fs = std::filesystem;

namespace {

std::string inFolder(const std::string &folder, const std::string &relative)
{
    if (folder.empty())
        return relative;
    return (fs::path(folder) / relative).string();
}

bool exists(const std::string &path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

DataFolders dataFolders()
{
    DataFolders folders;
    // XDG: a relative $XDG_DATA_HOME is to be ignored
    const std::string xdg = environment("XDG_DATA_HOME");
    const std::string home = environment("HOME");
    if (!xdg.empty() && xdg.front() == '/')
        folders.user = inFolder(xdg, "kovel");
    else if (!home.empty())
        folders.user = inFolder(home, ".local/share/kovel");
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        folders.installed = (exe.parent_path().parent_path() / "share" / "kovel").string();
    return folders;
}

DataFile findDataFile(const DataFolders &folders, const std::string &relative)
{
    const std::pair<const std::string *, DataPlace> order[] = {
        {&folders.work, DataPlace::Work}, {&folders.user, DataPlace::User}, {&folders.installed, DataPlace::Installed}};
    for (const auto &[folder, place] : order) {
        if (place != DataPlace::Work && folder->empty())
            continue;
        const std::string path = inFolder(*folder, relative);
        if (exists(path))
            return {path, place};
    }
    return {inFolder(folders.work, relative), DataPlace::Missing};
}

std::string userDataFile(const DataFolders &folders, const std::string &relative)
{
    return folders.user.empty() ? std::string() : inFolder(folders.user, relative);
}

bool mayWriteFile(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
            return false;
    }
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    // a folder still to be made: the nearest one that exists decides
    std::error_code ec;
    while (!fs::exists(folder, ec) && folder.has_parent_path() && folder.parent_path() != folder)
        folder = folder.parent_path();
    return ::access(folder.c_str(), W_OK) == 0;
}

std::string placeName(DataPlace place)
{
    switch (place) {
    case DataPlace::Work:
        return "作業フォルダ";
    case DataPlace::User:
        return "ユーザーのデータフォルダ";
    case DataPlace::Installed:
        return "インストール先";
    case DataPlace::Missing:
        break;
    }
    return "見つかりません";
}

} // namespace files
