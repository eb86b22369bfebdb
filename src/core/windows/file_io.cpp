// Whole-file reads and writes on Windows, through the UTF-16 file API.
#include "core/file_io.h"

#include "core/error.h"
#include "core/windows/windows_text.h"

#include <vector>

namespace tavrix {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string directoryOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    if (separator == std::string::npos) return ".";
    if (separator == 0 || (separator == 2 && path[1] == ':')) return path.substr(0, separator + 1);
    return path.substr(0, separator);
}

bool writeAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr)) return false;
        done += wrote;
    }
    return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& fileName) {
    OwnedHandle file(CreateFileW(widePath(fileName).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    std::string content;
    content.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        content.append(buffer, got);
    }
    return content;
}

void writeFileAtomically(const std::string& fileName, const std::string& bytes) {
    writeFileAtomically(fileName, [&bytes](const ByteSink& sink) { sink(bytes); });
}

void writeFileAtomically(const std::string& fileName, const std::function<void(const ByteSink&)>& produce) {
    const std::wstring target = widePath(fileName);
    // A file that cannot be opened for writing (read-only, a folder in its place, locked by
    // another program) is refused before anything is written, with the system's reason. The
    // read-only attribute is looked at first: Wine run by root would let the open through.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        throw cannotCreateFileError(fileName, windowsErrorText(ERROR_ACCESS_DENIED));
    {
        OwnedHandle existing(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing.valid()) {
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_NOT_FOUND) throw cannotCreateFileError(fileName, windowsErrorText(error));
        }
    }

    wchar_t tempName[MAX_PATH + 1] = {};
    if (GetTempFileNameW(widePath(directoryOf(fileName)).c_str(), L"tvx", 0, tempName) == 0)
        throw cannotCreateFileError(fileName, windowsErrorText(GetLastError()));

    auto fail = [&](DWORD error) {
        DeleteFileW(tempName);
        throw cannotCreateFileError(fileName, windowsErrorText(error));
    };
    OwnedHandle temp(CreateFileW(tempName, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!temp.valid()) fail(GetLastError());
    bool failed = false;
    DWORD writeError = 0;
    try {
        produce([&](std::string_view piece) {
            if (failed || writeAll(temp.get(), piece)) return;
            failed = true;
            writeError = GetLastError();
        });
    } catch (...) {
        temp.close();
        DeleteFileW(tempName);
        throw;
    }
    if (!failed && !FlushFileBuffers(temp.get())) {
        failed = true;
        writeError = GetLastError();
    }
    if (failed) {
        temp.close();
        fail(writeError);
    }
    if (!temp.close()) fail(GetLastError());
    if (!MoveFileExW(tempName, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) fail(GetLastError());
}

bool fileExists(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::vector<std::string>> listFolderNames(const std::string& nativeFolder) {
    std::wstring pattern = widePath(nativeFolder.empty() ? "." : nativeFolder);
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::string> names;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        names.push_back(utf8Text(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Windows takes both "\" and "/" as separators: a path typed for the emulator is used as it is.
std::string toNativePath(const std::string& path) {
    return path;
}

}  // namespace tavrix
