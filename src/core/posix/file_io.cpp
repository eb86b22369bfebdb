#include "core/file_io.h"

#include "core/error.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tavrix {

std::optional<std::string> readWholeFile(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    content.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file that a write must replace: the target of a symbolic link rather than the link.
std::string resolveTarget(const std::string& fileName) {
    struct stat info {};
    if (::lstat(fileName.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(fileName.c_str(), resolved) != nullptr) return resolved;
    }
    return fileName;
}

bool writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

}  // namespace

void writeFileAtomically(const std::string& fileName, const std::string& bytes) {
    writeFileAtomically(fileName, [&bytes](const ByteSink& sink) { sink(bytes); });
}

void writeFileAtomically(const std::string& fileName, const std::function<void(const ByteSink&)>& produce) {
    const std::string target = resolveTarget(fileName);
    mode_t mode = 0644;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) throw cannotCreateFileError(fileName, systemErrorText(EISDIR));
        // A read-only file must not be replaced behind the user's back.
        if (::access(target.c_str(), W_OK) != 0) throw cannotCreateFileError(fileName, systemErrorText(errno));
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string pattern = directoryOf(target) + "/.tavrix-XXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) throw cannotCreateFileError(fileName, systemErrorText(errno));
    const std::string temp(tempName.data());

    auto fail = [&](int errorNumber) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw cannotCreateFileError(fileName, systemErrorText(errorNumber));
    };
    int writeError = 0;
    try {
        produce([&](std::string_view piece) {
            if (writeError == 0 && !writeAll(fd, piece)) writeError = errno != 0 ? errno : EIO;
        });
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (writeError != 0) fail(writeError);
    if (::fchmod(fd, mode) != 0) fail(errno);
    if (::fsync(fd) != 0) fail(errno);
    if (::close(fd) != 0) {
        const int errorNumber = errno;
        ::unlink(temp.c_str());
        throw cannotCreateFileError(fileName, systemErrorText(errorNumber));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int errorNumber = errno;
        ::unlink(temp.c_str());
        throw cannotCreateFileError(fileName, systemErrorText(errorNumber));
    }
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::vector<std::string>> listFolderNames(const std::string& nativeFolder) {
    DIR* folder = ::opendir(nativeFolder.empty() ? "." : nativeFolder.c_str());
    if (folder == nullptr) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(folder)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        names.emplace_back(name);
    }
    ::closedir(folder);
    return names;
}

std::string toNativePath(const std::string& path) {
    std::string result = path;
    for (char& c : result)
        if (c == '\\') c = '/';
    return result;
}

}  // namespace tavrix
