#include "platform/FileIdentity.h"

#include <sys/stat.h>

#include "platform/File.h"

namespace platform {

namespace {

bool Identity(const std::string& path, std::string& identity) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return false;
    identity = std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    return true;
}

}  // namespace

std::string FileIdentity(const std::string& path) {
    std::string identity;
    if (Identity(path, identity)) return identity;
    if (Identity(FolderOf(path), identity)) return identity + "/" + path.substr(path.rfind('/') + 1);
    return FullPath(path);
}

}  // namespace platform
