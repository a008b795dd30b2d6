// The file operations of the load and save paths, behind a seam that tests can make fail.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zg {

enum class ReadStatus { ok, missing, error };

class FileIo {
public:
    virtual ~FileIo() = default;
    // Reads the whole file.
    virtual ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out) = 0;
    // The steps of an atomic replace. Each returns false on failure (errno kept where known).
    virtual int openTemp(const std::string& targetPath, std::string& tempPath) = 0;  // fd or -1
    virtual bool write(int fd, const unsigned char* data, std::size_t size) = 0;
    virtual bool flush(int fd) = 0;
    virtual bool close(int fd) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;
};

// The real files, through POSIX calls.
class PosixFileIo : public FileIo {
public:
    ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out) override;
    int openTemp(const std::string& targetPath, std::string& tempPath) override;
    bool write(int fd, const unsigned char* data, std::size_t size) override;
    bool flush(int fd) override;
    bool close(int fd) override;
    bool rename(const std::string& from, const std::string& to) override;
    void remove(const std::string& path) override;
};

struct WriteResult {
    bool ok = true;
    std::string message;  // German, for the player; names the file
};

// Writes a temporary file in the same folder, flushes it to disk and renames it over the
// target: the old file stays whole until the new one is complete.
WriteResult replaceFile(FileIo& io, const std::string& path, const std::vector<unsigned char>& data);

}  // namespace zg
