// Legacy Windows code pages decoded by the system's own tables.
#include "core/native_file.h"
#include "core/windows/windows_text.h"

namespace tavrix {

std::optional<std::string> decodeCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return std::string();
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return utf8Text(wide);
}

}  // namespace tavrix
