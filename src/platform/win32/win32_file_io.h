// The real files through Win32 calls (Windows): UTF-8 names as wide names, saves through a
// temporary file renamed over the target.
#pragma once

#include "files/file_io.h"

namespace zg {

class Win32FileIo : public FileIo {
  public:
    ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out,
                       std::size_t maxBytes = kNoLimit) override;
    bool mayReplace(const std::string& path) override;
    int openTemp(const std::string& targetPath, std::string& tempPath) override;
    bool write(int fd, const unsigned char* data, std::size_t size) override;
    bool flush(int fd) override;
    bool close(int fd) override;
    bool rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
    int lockFolder(const std::string& path) override;
    void unlockFolder(int handle) override;
    void removeStaleTemps(const std::string& path) override;
    std::string currentFolderProblem() override;
};

}  // namespace zg
