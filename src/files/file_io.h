// The file operations of the load and save paths, behind a seam that tests can make fail.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zg {

enum class ReadStatus { ok, missing, error };

// The file that other copies of the game lock where the folder itself cannot be locked.
inline constexpr const char* kLockFileName = ".zahlgarten.lock";
// errno for a save into a folder of the operating system itself, which the game never writes.
inline constexpr int kSystemFolderError = 0x5A47;
// A temporary file of a save that is older than this is certainly left by a killed one.
inline constexpr int kStaleTempSeconds = 60;

class FileIo {
  public:
    static constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
    virtual ~FileIo() = default;
    // Reads the whole file, at most maxBytes of it.
    virtual ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out,
                               std::size_t maxBytes = kNoLimit) = 0;
    // False when path exists but must not be replaced (read-only, not a plain file).
    virtual bool mayReplace(const std::string& path) = 0;
    // The steps of an atomic replace. Each returns false on failure and leaves errno set.
    virtual int openTemp(const std::string& targetPath, std::string& tempPath) = 0;  // fd or -1
    virtual bool write(int fd, const unsigned char* data, std::size_t size) = 0;
    virtual bool flush(int fd) = 0;
    virtual bool close(int fd) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    virtual void remove(const std::string& path) = 0;
    // Holds other copies of the game off the files of path's folder while one reads, merges and
    // writes. A handle (>= 0), or -1 with errno set (EBUSY when another copy keeps it too long).
    virtual int lockFolder(const std::string& path) {
        (void)path;
        return 0;
    }
    virtual void unlockFolder(int handle) { (void)handle; }
    // Removes the temporary files of path that a killed save left (see isTempName()) and that
    // are older than kStaleTempSeconds. Only the holder of the folder lock calls it.
    virtual void removeStaleTemps(const std::string& path) { (void)path; }
    // Where path points when it is a symbolic link; empty otherwise or when unknown.
    virtual std::string linkTarget(const std::string& path) {
        (void)path;
        return {};
    }
    // A German text for the player when nothing can be saved in the current folder at all.
    virtual std::string currentFolderProblem() { return {}; }
};

// The folder lock for as long as it lives. Every save holds it, so its holder knows that the
// temporary files of path it finds are left by killed saves: they are removed.
class FolderLock {
  public:
    FolderLock(FileIo& io, const std::string& path) : io_(io), handle_(io.lockFolder(path)) {
        if (handle_ >= 0) io.removeStaleTemps(path);
    }
    ~FolderLock() {
        if (handle_ >= 0) io_.unlockFolder(handle_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return handle_ >= 0; }

  private:
    FileIo& io_;
    int handle_;
};

// The real files, through POSIX calls (files/posix_file_io.cpp; Windows builds give their own).
class PosixFileIo : public FileIo {
  public:
    ReadStatus readAll(const std::string& path, std::vector<unsigned char>& out,
                       std::size_t maxBytes = kNoLimit) override;
    bool mayReplace(const std::string& path) override;
    int openTemp(const std::string& targetPath, std::string& tempPath) override;
    bool write(int fd, const unsigned char* data, std::size_t size) override;
    bool flush(int fd) override;
    bool close(int fd) override;
    bool rename(const std::string& from, const std::string& to) override;  // then syncs the folder
    void remove(const std::string& path) override;
    int lockFolder(const std::string& path) override;
    void unlockFolder(int handle) override;
    void removeStaleTemps(const std::string& path) override;
    std::string linkTarget(const std::string& path) override;
};

struct WriteResult {
    bool ok = true;
    std::string message;   // German, for the player; names the file
    bool damaged = false;  // nothing written: the file is damaged and message asks to replace it
};

// The start of the names that openTemp() makes for the file called base.
std::string tempPrefix(const std::string& base);
// True for a name that openTemp() makes for the file called base: tempPrefix() and six letters
// or digits, a name no person gives a file.
bool isTempName(const std::string& name, const std::string& base);

// Writes a temporary file in the same folder, flushes it to disk and renames it over the
// target: the old file stays whole until the new one is complete, and the new one keeps its
// permissions. Callers hold the folder lock.
WriteResult replaceFile(FileIo& io, const std::string& path,
                        const std::vector<unsigned char>& data);

// The file's name without its folder.
std::string baseName(const std::string& path);

// "Die Datei "name" konnte nicht gespeichert werden: reason."
std::string saveErrorText(const std::string& path, int error);
// The same when the folder lock cannot be had; names the lock file when it is in the way.
std::string lockErrorText(const std::string& path, int error);
// The same for a file that exists but cannot be read before it is updated.
std::string readErrorText(const std::string& path, int error);
// "Die Datei "name" konnte nicht gelesen werden: reason." and then the consequence.
std::string readFailureText(const std::string& path, int error, const std::string& consequence);

}  // namespace zg
