// The real files through POSIX calls (Linux). A Windows build gives its own FileIo instead.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "files/file_io.h"

namespace zg {

namespace {

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// The file called name in path's folder.
std::string beside(const std::string& path, const std::string& name) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

}  // namespace

ReadStatus PosixFileIo::readAll(const std::string& path, std::vector<unsigned char>& out,
                                std::size_t maxBytes) {
    out.clear();
    // Without O_NONBLOCK, opening a FIFO waits for a writer; the type is checked on the open
    // descriptor, so nothing can swap the file in between.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return errno == ENOENT ? ReadStatus::missing : ReadStatus::error;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return ReadStatus::error;
    }
    unsigned char chunk[65536];
    while (out.size() < maxBytes) {
        std::size_t want = sizeof chunk;
        if (maxBytes - out.size() < want) want = maxBytes - out.size();
        ssize_t n = ::read(fd, chunk, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            int saved = errno;
            ::close(fd);
            errno = saved;
            out.clear();
            return ReadStatus::error;
        }
        if (n == 0) break;
        out.insert(out.end(), chunk, chunk + n);
    }
    ::close(fd);
    return ReadStatus::ok;
}

bool PosixFileIo::mayReplace(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    // A link is judged by its target; the rename then replaces the link, never the target. A
    // link whose target is gone gives ENOENT.
    if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) return false;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    // A FIFO or a device: the player's own thing, never silently turned into a file.
    if (!S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return false;
    }
    // A rename would silently replace a file the player has made read-only. The mode bits are
    // looked at too, since access() lets the superuser write anything; access() tells a
    // read-only medium (EROFS) from a refusal.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

int PosixFileIo::openTemp(const std::string& targetPath, std::string& tempPath) {
    const std::string pattern = beside(targetPath, tempPrefix(baseName(targetPath)) + "XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    tempPath = name.data();
    // mkstemp creates 0600: a file that is replaced keeps its permissions, a new one gets the
    // usual ones.
    struct stat old {};
    if (::stat(targetPath.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 0777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return fd;
}

bool PosixFileIo::write(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool PosixFileIo::flush(int fd) {
    return ::fsync(fd) == 0;
}

bool PosixFileIo::close(int fd) {
    return ::close(fd) == 0;
}

bool PosixFileIo::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    // The new name is in the folder, which a power loss could still lose: sync the folder. The
    // new file is in place whatever this gives, so its result does not make the save fail.
    int dir = ::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void PosixFileIo::remove(const std::string& path) {
    ::unlink(path.c_str());
}

int PosixFileIo::lockFolder(const std::string& path) {
    // The folder itself is locked, so no lock file is needed; flock() on a folder works on a
    // read-only medium too. A folder that may be written but not read cannot be opened for
    // it: there the lock file is locked, made in the folder and never followed elsewhere. A
    // copy that keeps the lock longer than a few seconds is not waited for.
    int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 && errno == EACCES) {
        dir = ::open(beside(path, kLockFileName).c_str(),
                     O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        struct stat st {};
        if (dir < 0 && errno == ELOOP) errno = EINVAL;  // a link
        if (dir >= 0 && (::fstat(dir, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(dir);
            dir = -1;
            errno = EINVAL;
        }
    }
    if (dir < 0) return -1;
    for (int attempt = 0;; ++attempt) {
        if (::flock(dir, LOCK_EX | LOCK_NB) == 0) return dir;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || attempt == 500) break;
        const timespec pause{0, 10'000'000};
        ::nanosleep(&pause, nullptr);
    }
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    ::close(dir);
    errno = error;
    return -1;
}

void PosixFileIo::unlockFolder(int handle) {
    ::close(handle);  // releases the lock
}

void PosixFileIo::removeStaleTemps(const std::string& path) {
    const std::string base = baseName(path);
    DIR* dir = ::opendir(folderOf(path).c_str());
    if (dir == nullptr) return;
    const int fd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (isTempName(e->d_name, base) &&
            ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            now - st.st_mtime >= kStaleTempSeconds)
            ::unlinkat(fd, e->d_name, 0);
    }
    ::closedir(dir);
}

std::string PosixFileIo::linkTarget(const std::string& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace zg
