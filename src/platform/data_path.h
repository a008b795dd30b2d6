// Where the read-only data (level collections, help pages) is found: the current directory
// first, then the data folder beside the binary (the build tree), then the install prefix's
// share/zahlgarten. Player files ("brett.zgb", "Champions.Rhm") are always in the current
// directory and are not resolved.
#pragma once

#include <string>
#include <vector>

namespace zg {

// The folders searched after the current directory, in order.
std::vector<std::string> dataSearchDirs();

// The first existing "dir/name" of the current directory and dirs; name itself when none
// exists (a load then finds the file missing, as it should).
std::string resolveDataFile(const std::string& name, const std::vector<std::string>& dirs);
std::string resolveDataFile(const std::string& name);

}  // namespace zg
