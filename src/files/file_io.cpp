#include "files/file_io.h"

#include <cerrno>
#include <cstdio>

namespace zg {

namespace {

std::string reasonText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "keine Schreibberechtigung";
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return "kein Platz mehr auf dem Datenträger";
        case EISDIR:
            return "ein Ordner dieses Namens ist im Weg";
        case EROFS:
            return "das Laufwerk ist schreibgeschützt";
        case ENOENT:
        case ENOTDIR:
            return "der Ordner fehlt";
        case EBUSY:
            return "die Datei wird gerade von einem anderen Programm benutzt";
        case EIO:
            return "Ein-/Ausgabefehler";
        case EINVAL:
            return "unter diesem Namen liegt keine gewöhnliche Datei";
        default:
            return "Fehler Nr. " + std::to_string(error);
    }
}

}  // namespace

std::string baseName(const std::string& path) {
#ifdef _WIN32
    auto slash = path.find_last_of("/\\");
#else
    auto slash = path.rfind('/');
#endif
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string saveErrorText(const std::string& path, int error) {
    return "Die Datei \"" + baseName(path) +
           "\" konnte nicht gespeichert werden: " + reasonText(error) +
           ". Die bisherige Datei bleibt unverändert.";
}

std::string readErrorText(const std::string& path, int error) {
    std::string reason = error == EISDIR                     ? reasonText(error)
                         : error == EACCES || error == EPERM ? std::string("keine Leseberechtigung")
                                                             : reasonText(error);
    return "Die Datei \"" + baseName(path) + "\" konnte nicht gelesen werden: " + reason +
           ". Es wurde nichts gespeichert.";
}

WriteResult replaceFile(FileIo& io, const std::string& path,
                        const std::vector<unsigned char>& data) {
    errno = 0;
    if (!io.mayReplace(path)) {
        int error = errno == 0 || errno == ENOENT ? EACCES : errno;
        return {false, saveErrorText(path, error)};
    }
    std::string temp;
    int fd = io.openTemp(path, temp);
    if (fd < 0) return {false, saveErrorText(path, errno)};
    bool ok = io.write(fd, data.data(), data.size()) && io.flush(fd);
    int error = errno;
    if (!io.close(fd) && ok) {
        ok = false;
        error = errno;
    }
    if (ok && !io.rename(temp, path)) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        io.remove(temp);
        return {false, saveErrorText(path, error)};
    }
    return {};
}

}  // namespace zg
