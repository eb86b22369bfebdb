#pragma once
// The core's few calls into the operating system beyond file_io.h, each implemented once in
// posix/ and once in windows/ (the build picks one). Paths are native paths in UTF-8.
#include "core/byte_source.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

// A regular file opened for random-access reads, or why it could not be.
struct OpenedFile {
    std::unique_ptr<ByteSource> source;  // null when the file was not opened
    FileStamp stamp;                     // of the open file
    bool missing = false;                // nothing at the path (or a folder on the way is missing)
    bool notRegular = false;             // a folder, a pipe or a device is at the path
    std::string reason;                  // the system's text when not opened
};

// Opens without ever waiting: a named pipe in a romset folder cannot hang the caller.
OpenedFile openRegularFile(const std::string& nativePath);

// Bytes in a Windows code page (949 Korean, 1252 Western) as UTF-8; nothing when they are not
// valid in that code page.
std::optional<std::string> decodeCodePage(std::string_view bytes, unsigned codePage);

}  // namespace tavrix
