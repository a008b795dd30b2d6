// The real files through Win32 calls: UTF-8 names become wide names, so any name works, not
// only those of the ANSI code page.
#include "platform/win32/win32_file_io.h"

#include <windows.h>

#include <cerrno>
#include <cstdint>

namespace zg {

namespace {

// errno from GetLastError(), so that saveErrorText() gives the reason in German.
void setErrno(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            errno = ENOENT;
            break;
        case ERROR_ACCESS_DENIED:
        case ERROR_NETWORK_ACCESS_DENIED:
            errno = EACCES;
            break;
        // Another program has the file open: the common reason on Windows, worth its own text.
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            errno = EBUSY;
            break;
        case ERROR_WRITE_PROTECT:
            errno = EROFS;
            break;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            errno = ENOSPC;
            break;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            errno = EEXIST;
            break;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_PARAMETER:
        case ERROR_NO_UNICODE_TRANSLATION:
            errno = EINVAL;
            break;
        case ERROR_FILENAME_EXCED_RANGE:
            errno = ENAMETOOLONG;
            break;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            errno = ENOMEM;
            break;
        default:
            errno = EIO;
            break;
    }
}

void setErrnoFromLastError() {
    setErrno(GetLastError());
}

// The wide name, or an empty one (errno EINVAL) for bytes that are not UTF-8.
std::wstring widen(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return {};
    }
    const int size = static_cast<int>(path.size());
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (n <= 0) {
        errno = EINVAL;
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), n);
    return wide;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string narrow(const std::wstring& wide) {
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
    return text;
}

// True when path lies in the Windows folder or below it. Wine makes that the current folder
// of a program started where it cannot map the Unix one (a path too long): what the player
// saves must never land there.
bool inWindowsFolder(const std::wstring& path) {
    wchar_t windows[MAX_PATH];
    const UINT n = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return false;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    return full.size() >= n &&
           CompareStringOrdinal(full.c_str(), static_cast<int>(n), windows, static_cast<int>(n),
                                TRUE) == CSTR_EQUAL &&
           (full.size() == n || full[n] == L'\\' || windows[n - 1] == L'\\');
}

// Opens an existing path for reading, folders included, so that their kind can be told.
HANDLE openExisting(const std::wstring& wide, DWORD access) {
    return CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A plain file on a disk: not a folder, a console, a printer port or a pipe, which would block a
// read or must never be replaced. Sets errno otherwise.
bool isPlainFile(HANDLE h) {
    if (GetFileType(h) != FILE_TYPE_DISK) {
        errno = EINVAL;
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) {
        setErrnoFromLastError();
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        errno = EISDIR;
        return false;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
        errno = EINVAL;
        return false;
    }
    return true;
}

// A kernel handle's lower 32 bits are all of it (Windows keeps handles 32-bit for its 32-bit
// programs), so the int that openTemp() hands out is the handle itself: positive, never -1.
int fdOf(HANDLE h) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(h));
}

HANDLE handleOf(int fd) {
    return fd > 0 ? reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd)) : INVALID_HANDLE_VALUE;
}

}  // namespace

ReadStatus Win32FileIo::readAll(const std::string& path, std::vector<unsigned char>& out,
                                std::size_t maxBytes) {
    out.clear();
    const std::wstring wide = widen(path);
    if (wide.empty()) return errno == ENOENT ? ReadStatus::missing : ReadStatus::error;
    HANDLE h = openExisting(wide, GENERIC_READ);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        setErrno(error);
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::missing
                                                                              : ReadStatus::error;
    }
    if (!isPlainFile(h)) {
        const int saved = errno;
        CloseHandle(h);
        errno = saved;
        return ReadStatus::error;
    }
    unsigned char chunk[65536];
    while (out.size() < maxBytes) {
        DWORD want = sizeof chunk;
        if (maxBytes - out.size() < want) want = static_cast<DWORD>(maxBytes - out.size());
        DWORD n = 0;
        if (!ReadFile(h, chunk, want, &n, nullptr)) {
            setErrnoFromLastError();
            const int saved = errno;
            CloseHandle(h);
            errno = saved;
            out.clear();
            return ReadStatus::error;
        }
        if (n == 0) break;
        out.insert(out.end(), chunk, chunk + n);
    }
    CloseHandle(h);
    return ReadStatus::ok;
}

bool Win32FileIo::mayReplace(const std::string& path) {
    const std::wstring wide = widen(path);
    if (wide.empty()) return false;
    if (inWindowsFolder(wide)) {
        errno = kSystemFolderError;
        return false;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        setErrnoFromLastError();
        return errno == ENOENT;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        errno = EISDIR;
        return false;
    }
    // The player has made it read-only; a replace would quietly undo that.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        errno = EACCES;
        return false;
    }
    // Device names (NUL, COM1, ...) have attributes too: only a plain file may be replaced.
    HANDLE h = openExisting(wide, 0);
    if (h == INVALID_HANDLE_VALUE) {
        setErrnoFromLastError();
        return false;
    }
    const bool plain = isPlainFile(h);
    const int saved = errno;
    CloseHandle(h);
    errno = saved;
    return plain;
}

int Win32FileIo::openTemp(const std::string& targetPath, std::string& tempPath) {
    const std::string stem =
        folderOf(targetPath) + tempPrefix(targetPath.substr(folderOf(targetPath).size()));
    // A file that is replaced keeps its attributes (read-only ones are never replaced).
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    const std::wstring wideTarget = widen(targetPath);
    const DWORD old =
        wideTarget.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wideTarget.c_str());
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY) && (old & kKept))
        attributes = old & kKept;
    // Six letters or digits, as removeStaleTemps() knows them, from the process, the clock and
    // a counter; CREATE_NEW never takes over a file that is there already, so a clash only
    // costs another round.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long salt = GetTickCount64() ^ (++counter * 0x9E3779B97F4A7C15ull) ^
                                  (GetCurrentProcessId() * 0xC2B2AE3D27D4EB4Full);
        char suffix[7];
        for (int i = 0; i < 6; ++i) {
            suffix[i] = "0123456789abcdefghijklmnopqrstuvwxyz"[salt % 36];
            salt = (salt / 36) ^ (salt << 43);
        }
        suffix[6] = '\0';
        const std::string name = stem + suffix;
        const std::wstring wide = widen(name);
        if (wide.empty()) return -1;
        HANDLE h =
            CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            tempPath = name;
            return fdOf(h);
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            setErrno(error);
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

bool Win32FileIo::write(int fd, const unsigned char* data, std::size_t size) {
    HANDLE h = handleOf(fd);
    if (h == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    while (size > 0) {
        const DWORD want = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD n = 0;
        if (!WriteFile(h, data, want, &n, nullptr)) {
            setErrnoFromLastError();
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

bool Win32FileIo::flush(int fd) {
    HANDLE h = handleOf(fd);
    if (h == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    if (FlushFileBuffers(h)) return true;
    setErrnoFromLastError();
    return false;
}

bool Win32FileIo::close(int fd) {
    HANDLE h = handleOf(fd);
    if (h == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    if (CloseHandle(h)) return true;
    setErrnoFromLastError();
    return false;
}

bool Win32FileIo::rename(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = widen(from);
    const std::wstring wideTo = widen(to);
    if (wideFrom.empty() || wideTo.empty()) return false;
    // One rename of the flushed file: the name holds the old or the new contents at every
    // instant. (ReplaceFileW moves the old file aside first, so a kill in between leaves
    // neither, and it follows a link to delete its target.) A link is replaced, not its target.
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    setErrnoFromLastError();
    return false;
}

void Win32FileIo::remove(const std::string& path) {
    const std::wstring wide = widen(path);
    if (!wide.empty()) DeleteFileW(wide.c_str());
}

int Win32FileIo::lockFolder(const std::string& path) {
    // Windows locks only files: a hidden lock file in the folder, kept, since deleting it would
    // let a third copy lock a new file while the second still holds the old one. It is made
    // only where no name is (a link to nothing is a name) and opened without following a link,
    // so nothing outside the folder is made.
    const std::wstring wide = widen(folderOf(path) + kLockFileName);
    if (wide.empty()) return -1;
    if (inWindowsFolder(wide)) {
        errno = kSystemFolderError;
        return -1;
    }
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, kShare, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN, nullptr);
    const DWORD made = GetLastError();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (h == INVALID_HANDLE_VALUE && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return -1;
    }
    if (h == INVALID_HANDLE_VALUE && (made == ERROR_FILE_EXISTS || made == ERROR_ALREADY_EXISTS)) {
        h = CreateFileW(wide.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            // Gone as it was followed: a link that points nowhere.
            const DWORD error = GetLastError();
            setErrno(error);
            if (errno == ENOENT) errno = EINVAL;
            return -1;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        if (!isPlainFile(h) || !GetFileInformationByHandle(h, &info) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            const int error = errno == EISDIR ? EISDIR : EINVAL;
            CloseHandle(h);
            errno = error;
            return -1;
        }
    }
    if (h == INVALID_HANDLE_VALUE) {
        setErrno(made);
        return -1;
    }
    // A copy that keeps it longer than a few seconds is not waited for.
    for (int attempt = 0; attempt <= 500; ++attempt) {
        OVERLAPPED at{};
        if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
            return fdOf(h);
        if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) break;
        Sleep(10);
    }
    const DWORD error = GetLastError();
    CloseHandle(h);
    setErrno(error);
    return -1;
}

void Win32FileIo::unlockFolder(int handle) {
    CloseHandle(handleOf(handle));  // releases the lock
}

void Win32FileIo::removeStaleTemps(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string base = path.substr(folder.size());
    const std::wstring pattern = widen(folder + tempPrefix(base) + "*");
    if (pattern.empty()) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {  // 100 ns
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            ticks(now) < ticks(found.ftLastWriteTime) + kStaleTempSeconds * 10'000'000ull)
            continue;
        char name[MAX_PATH * 3];
        const int n = WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, name, sizeof name,
                                          nullptr, nullptr);
        if (n > 0 && isTempName(name, base)) {
            const std::wstring stale = widen(folder + name);
            if (!stale.empty()) DeleteFileW(stale.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::string Win32FileIo::currentFolderProblem() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(size == 0 ? 0 : GetCurrentDirectoryW(size, folder.data()));
    if (folder.empty() || !inWindowsFolder(folder)) return {};
    return "Zahlgarten kann im aktuellen Ordner „" + narrow(folder) +
           "“ nichts speichern: er gehört zu Windows selbst. Spielstände und Rekorde werden nicht "
           "gespeichert. Bitte Zahlgarten in einem eigenen Ordner starten (unter Wine in einem, "
           "dessen Pfad nicht zu lang ist).";
}

}  // namespace zg
