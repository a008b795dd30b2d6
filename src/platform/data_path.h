// Where the read-only data (level collections, help pages) is found: the current directory
// first, then the backend's data folders (beside the binary, the install prefix). Player files
// ("brett.zgb", "Champions.Rhm") are always in the current directory and are not resolved.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zg {

// The first existing "dir/name" of the current directory and dirs; name itself when none
// exists (a load then finds the file missing, as it should).
std::string resolveDataFile(const std::string& name, const std::vector<std::string>& dirs);

// The game's names are UTF-8. A narrow std::string given to std::filesystem is read in the
// system's code page on Windows (the ANSI one, not UTF-8), so names cross only through these.
std::filesystem::path pathFromUtf8(const std::string& utf8);
std::string utf8FromPath(const std::filesystem::path& path);

}  // namespace zg
