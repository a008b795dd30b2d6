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
        case EFBIG:
            return "die Datei ist zu groß";
        case kSystemFolderError:
            return "der Ordner gehört zu Windows selbst";
        default:
            return "Fehler Nr. " + std::to_string(error);
    }
}

// A folder in the way keeps its own text; for reading, a refusal is about reading.
std::string readReason(int error) {
    return error == EACCES || error == EPERM ? std::string("keine Leseberechtigung")
                                             : reasonText(error);
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
    return "Die Datei „" + baseName(path) +
           "“ konnte nicht gespeichert werden: " + reasonText(error) +
           ". Die bisherige Datei bleibt unverändert.";
}

std::string lockErrorText(const std::string& path, int error) {
    // A missing folder, a busy lock or a refused folder are about the file's folder.
    if (error == ENOENT || error == ENOTDIR || error == EBUSY || error == kSystemFolderError)
        return saveErrorText(path, error);
    return "Die Datei „" + baseName(path) + "“ konnte nicht gespeichert werden: die Sperrdatei „" +
           kLockFileName + "“ in ihrem Ordner lässt sich nicht öffnen (" + reasonText(error) +
           "). Die bisherige Datei bleibt unverändert.";
}

std::string readFailureText(const std::string& path, int error, const std::string& consequence) {
    return "Die Datei „" + baseName(path) + "“ konnte nicht gelesen werden: " + readReason(error) +
           ". " + consequence;
}

std::string readErrorText(const std::string& path, int error) {
    return readFailureText(path, error, "Es wurde nichts gespeichert.");
}

std::string tempPrefix(const std::string& base) {
    return "." + base + ".zgtmp-";
}

bool isTempName(const std::string& name, const std::string& base) {
    const std::string stem = tempPrefix(base);
    if (name.size() != stem.size() + 6 || name.compare(0, stem.size(), stem) != 0) return false;
    for (std::size_t i = stem.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

WriteResult replaceFile(FileIo& io, const std::string& path,
                        const std::vector<unsigned char>& data) {
    errno = 0;
    if (!io.mayReplace(path)) {
        const int error = errno == 0 ? EACCES : errno;
        // A missing name is no refusal: ENOENT here is a link whose target is gone.
        if (error == ENOENT) {
            const std::string target = io.linkTarget(path);
            return {false, "Die Datei „" + baseName(path) +
                               "“ konnte nicht gespeichert werden: sie verweist auf " +
                               (target.empty() ? "eine Datei" : "„" + target + "“") +
                               ", die es nicht gibt. Es wurde nichts gespeichert."};
        }
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
