#pragma once
// FILETIME (100-nanosecond ticks since 1601) as seconds and nanoseconds since 1970.
#include <windows.h>

#include <cstdint>

namespace tavrix {

struct UnixTime {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
};

inline UnixTime unixTime(std::uint64_t ticks) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    const auto t = static_cast<std::int64_t>(ticks);
    return UnixTime{t / 10000000 - kSecondsFrom1601To1970, (t % 10000000) * 100};
}

inline UnixTime unixTime(const FILETIME& time) {
    return unixTime((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

}  // namespace tavrix
