#include "platform/services.h"

namespace zg {

std::vector<std::string> splitCaptions(const std::string& captions) {
    std::vector<std::string> parts;
    std::string current;
    for (char ch : captions) {
        if (ch == '|') {
            parts.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    parts.push_back(current);
    return parts;
}

}  // namespace zg
