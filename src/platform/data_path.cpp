#include "platform/data_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zg {

std::vector<std::string> dataSearchDirs() {
    std::vector<std::string> dirs;
    if (QCoreApplication::instance() == nullptr) return dirs;
    const QString bin = QCoreApplication::applicationDirPath();
    dirs.push_back(QDir(bin).filePath(QStringLiteral("data")).toStdString());
    dirs.push_back(QDir(bin).filePath(QStringLiteral("../share/zahlgarten")).toStdString());
    return dirs;
}

std::string resolveDataFile(const std::string& name, const std::vector<std::string>& dirs) {
    if (QFileInfo(QString::fromStdString(name)).isFile()) return name;
    for (const std::string& dir : dirs) {
        const QString path =
            QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(name));
        if (QFileInfo(path).isFile()) return QDir::cleanPath(path).toStdString();
    }
    return name;
}

std::string resolveDataFile(const std::string& name) {
    return resolveDataFile(name, dataSearchDirs());
}

}  // namespace zg
