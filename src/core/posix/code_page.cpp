// Legacy Windows code pages decoded through iconv.
#include "core/native_file.h"

#include <iconv.h>

#include <vector>

namespace tavrix {

std::optional<std::string> decodeCodePage(std::string_view bytes, unsigned codePage) {
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input(bytes);
    std::vector<char> output(input.size() * 4 + 16);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) return std::nullopt;
    return std::string(output.data(), output.size() - outLeft);
}

}  // namespace tavrix
