#include "platform/data_path.h"

#include <system_error>

namespace zg {

namespace fs = std::filesystem;

fs::path pathFromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string resolveDataFile(const std::string& name, const std::vector<std::string>& dirs) {
    std::error_code ec;
    if (fs::is_regular_file(pathFromUtf8(name), ec)) return name;
    for (const std::string& dir : dirs) {
        const fs::path path = pathFromUtf8(dir) / pathFromUtf8(name);
        if (fs::is_regular_file(path, ec)) return utf8FromPath(path.lexically_normal());
    }
    return name;
}

}  // namespace zg
