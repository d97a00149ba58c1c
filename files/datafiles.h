// Where the program's data files are: the catalogue, the registered members, the support
// and section pictures, the help page. Each is looked for by its relative name ("shape/
// buzai.txt", "boundary") in three folders, in this order:
//   1. the working directory (a folder copied from an older installation still works),
//   2. the user's data folder, $XDG_DATA_HOME/kovel (default ~/.local/share/kovel),
//   3. the installed folder PREFIX/share/kovel, found from the executable's own location
//      (PREFIX/bin/kovel), so a relocated installation works too.
// (files/platform.h finds the last two on each system: on Windows %APPDATA%\KOVEL and
// share\kovel in the program's own folder.)
// The window and kovel-cli use the same lookup.
#pragma once

#include <string>

namespace files {

struct DataFolders {
    std::string work;      // "" is the working directory itself: its files keep their relative names
    std::string user;      // "" when there is no home folder
    std::string installed; // "" when the executable's location is not known
};

// The folders of this process: the working directory, the user's data folder and the
// installed folder.
DataFolders dataFolders();

enum class DataPlace { Work, User, Installed, Missing };

struct DataFile {
    std::string path;                     // the file found; when missing, the working-directory name
    DataPlace place = DataPlace::Missing;
};

// The first of the three folders that holds `relative` (a file or a folder).
DataFile findDataFile(const DataFolders &folders, const std::string &relative);

// `relative` in the user's data folder ("" when there is none).
std::string userDataFile(const DataFolders &folders, const std::string &relative);

// True when the program may replace or create the file: the file, if it exists, has a
// write bit and this user may write it, and its folder takes a new file. Decided from
// the mode bits too, so a write-protected file counts as such even for root.
bool mayWriteFile(const std::string &path);

// The folder a data file was found in, in words ("作業フォルダ", "ユーザーのデータフォルダ",
// "インストール先"), for the About box and `kovel-cli --help`.
std::string placeName(DataPlace place);

} // namespace files
