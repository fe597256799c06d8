#pragma once
// Where the program's data lives: the settings file "Orvanta.ini", the image
// folder and the template folder "tOrvanta/". The wizard, orvanta-cli and
// every other program of the project find it the same way: beside the
// executable first (the build tree, a copied folder), then in the installed
// layout's ../share/orvanta relative to the executable.
#include <string>
#include <string_view>

namespace orv {

// Folder of the running executable (symbolic links resolved), with a
// trailing '/'. "./" when the system cannot tell.
std::string ExecutableFolder();

// The data folder for an executable in `exeFolder` (absolute, with or without
// a trailing '/'): `exeFolder` itself when it holds the settings file or the
// template folder, else <parent of exeFolder>/share/orvanta/ when that does,
// else `exeFolder` (so a missing file is reported where it was looked for
// first). Always ends with '/'.
std::string DataFolderFor(std::string_view exeFolder);

// DataFolderFor(ExecutableFolder()).
std::string DataFolder();

} // namespace orv
