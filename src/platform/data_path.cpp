#include "platform/data_path.h"

#include <filesystem>
#include <system_error>

namespace zg {

std::string resolveDataFile(const std::string& name, const std::vector<std::string>& dirs) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(fs::path(name), ec)) return name;
    for (const std::string& dir : dirs) {
        const fs::path path = fs::path(dir) / fs::path(name);
        if (fs::is_regular_file(path, ec)) return path.lexically_normal().string();
    }
    return name;
}

}  // namespace zg
