#pragma once
// Whole-file reads and writes of the front end's files. Names are relative to the current
// directory, as the program uses them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrix {

// The whole file, or empty when it does not exist or cannot be read.
std::optional<std::string> readWholeFile(const std::string& fileName);

// Replaces the file's content with `bytes` as one step: the bytes go to a temporary file in
// the same directory, which is then renamed over the target. A target that cannot be written
// (read-only file or directory, a directory in its place, a full disk) keeps its old content,
// no temporary file is left, and the failure is thrown as "Cannot create file "name". reason".
void writeFileAtomically(const std::string& fileName, const std::string& bytes);

// The same for content made piece by piece: `produce` hands each piece, in order, to the sink it
// is given, so a large file need not be held whole in memory. Whatever `produce` throws leaves
// the target as it was and no temporary file behind.
using ByteSink = std::function<void(std::string_view piece)>;
void writeFileAtomically(const std::string& fileName, const std::function<void(const ByteSink&)>& produce);

bool fileExists(const std::string& path);
bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);

// The names in the folder at a native path ("." and ".." left out), in no particular order, or
// nothing when it cannot be listed. Finding a name in another letter case reads folders only
// through this.
std::optional<std::vector<std::string>> listFolderNames(const std::string& nativeFolder);

// Whether the file system itself finds a name in any letter case (Windows does). Then a name is
// only ever looked up as it is spelled and no folder is listed to find it. Chosen by the build.
inline constexpr bool kFileSystemIgnoresCase = TAVRIX_FILE_SYSTEM_IGNORES_CASE != 0;

// A path typed for the emulator (".\roms") as this system names the same place: on POSIX
// systems the separators "\" become "/"; Windows takes the path as it is.
std::string toNativePath(const std::string& path);

}  // namespace tavrix
