#include "files/datafiles.h"

#include "files/platform.h"

#include <filesystem>
#include <system_error>

namespace files {

namespace fs = std::filesystem;

namespace {

std::string inFolder(const std::string &folder, const std::string &relative)
{
    if (folder.empty())
        return relative;
    // "shape/buzai.txt" with the system's separators: one kind of them in a Windows path
    return platform::pathText((platform::nativePath(folder) / platform::nativePath(relative)).make_preferred());
}

bool exists(const std::string &path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(platform::nativePath(path), ec);
}

} // namespace

DataFolders dataFolders()
{
    DataFolders folders;
    folders.user = platform::userDataFolder();
    folders.installed = platform::installedDataFolder();
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
    if (platform::replaceProtection(path))
        return false;
    fs::path folder = platform::nativePath(path).parent_path();
    if (folder.empty())
        folder = ".";
    // a folder still to be made: the nearest one that exists decides
    std::error_code ec;
    while (!fs::exists(folder, ec) && folder.has_parent_path() && folder.parent_path() != folder)
        folder = folder.parent_path();
    return platform::mayCreateIn(folder.string());
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
