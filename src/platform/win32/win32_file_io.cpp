// Placeholder until the Win32 file calls land; every call fails.
#include "platform/win32/win32_file_io.h"

namespace zg {

ReadStatus Win32FileIo::readAll(const std::string&, std::vector<unsigned char>& out, std::size_t) {
    out.clear();
    return ReadStatus::error;
}
bool Win32FileIo::mayReplace(const std::string&) { return false; }
int Win32FileIo::openTemp(const std::string&, std::string&) { return -1; }
bool Win32FileIo::write(int, const unsigned char*, std::size_t) { return false; }
bool Win32FileIo::flush(int) { return false; }
bool Win32FileIo::close(int) { return false; }
bool Win32FileIo::rename(const std::string&, const std::string&) { return false; }
void Win32FileIo::remove(const std::string&) {}

}  // namespace zg
