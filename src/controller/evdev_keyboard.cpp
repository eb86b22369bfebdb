#include "controller/evdev_keyboard.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <memory>
#include <utility>

#include "controller/scan_codes.h"

namespace tavrix::controller {
namespace {

constexpr unsigned kTranslatedKeys = 256;  // every keyboard key we translate is below this
constexpr std::size_t kKeyBitBytes = KEY_MAX / 8 + 1;

struct Translation {
    unsigned evdev;
    std::uint8_t scanCode;
};

// Keys whose evdev code differs from their DirectInput code. Codes 1 ... 83 (Escape to the
// keypad's full stop, the classic keyboard block) are the same number in both.
constexpr Translation kTranslations[] = {
    {KEY_ZENKAKUHANKAKU, 0x94}, {KEY_102ND, 0x56},     {KEY_F11, 0x57},
    {KEY_F12, 0x58},            {KEY_RO, 0x73},         {KEY_HENKAN, 0x79},
    {KEY_KATAKANAHIRAGANA, 0x70}, {KEY_MUHENKAN, 0x7B}, {KEY_KPENTER, 0x9C},
    {KEY_RIGHTCTRL, 0x9D},      {KEY_KPSLASH, 0xB5},    {KEY_SYSRQ, 0xB7},
    {KEY_RIGHTALT, 0xB8},       {KEY_HOME, 0xC7},       {KEY_UP, 0xC8},
    {KEY_PAGEUP, 0xC9},         {KEY_LEFT, 0xCB},       {KEY_RIGHT, 0xCD},
    {KEY_END, 0xCF},            {KEY_DOWN, 0xD0},       {KEY_PAGEDOWN, 0xD1},
    {KEY_INSERT, 0xD2},         {KEY_DELETE, 0xD3},     {KEY_MUTE, 0xA0},
    {KEY_VOLUMEDOWN, 0xAE},     {KEY_VOLUMEUP, 0xB0},   {KEY_POWER, 0xDE},
    {KEY_KPEQUAL, 0x8D},        {KEY_PAUSE, 0xC5},      {KEY_KPCOMMA, 0xB3},
    {KEY_YEN, 0x7D},            {KEY_LEFTMETA, 0xDB},   {KEY_RIGHTMETA, 0xDC},
    {KEY_COMPOSE, 0xDD},        {KEY_STOP, 0xE8},       {KEY_CALC, 0xA1},
    {KEY_SLEEP, 0xDF},          {KEY_WAKEUP, 0xE3},     {KEY_MAIL, 0xEC},
    {KEY_BOOKMARKS, 0xE6},      {KEY_COMPUTER, 0xEB},   {KEY_BACK, 0xEA},
    {KEY_FORWARD, 0xE9},        {KEY_NEXTSONG, 0x99},   {KEY_PLAYPAUSE, 0xA2},
    {KEY_PREVIOUSSONG, 0x90},   {KEY_STOPCD, 0xA4},     {KEY_HOMEPAGE, 0xB2},
    {KEY_REFRESH, 0xE7},        {KEY_F13, 0x64},        {KEY_F14, 0x65},
    {KEY_F15, 0x66},            {KEY_SEARCH, 0xE5},     {KEY_MEDIA, 0xED},
};

constexpr std::array<std::uint8_t, kTranslatedKeys> makeTable() {
    std::array<std::uint8_t, kTranslatedKeys> table{};
    for (unsigned code = KEY_ESC; code <= KEY_KPDOT; ++code) table[code] = static_cast<std::uint8_t>(code);
    for (const Translation& t : kTranslations) table[t.evdev] = t.scanCode;
    return table;
}

constexpr std::array<std::uint8_t, kTranslatedKeys> kScanCodes = makeTable();
static_assert(kScanCodes[KEY_UP] == dik::Up && kScanCodes[KEY_LEFT] == dik::Left &&
              kScanCodes[KEY_RIGHT] == dik::Right && kScanCodes[KEY_DOWN] == dik::Down);
static_assert(kScanCodes[KEY_Q] == dik::Q && kScanCodes[KEY_M] == dik::M &&
              kScanCodes[KEY_1] == dik::Key1);

bool bitSet(const std::uint8_t* bits, unsigned n) { return (bits[n / 8] >> (n % 8)) & 1; }

// A device is used as a keyboard when it reports at least one key DirectInput knows.
bool isKeyboard(int fd) {
    std::uint8_t eventTypes[EV_MAX / 8 + 1] = {};
    if (ioctl(fd, EVIOCGBIT(0, sizeof eventTypes), eventTypes) < 0 || !bitSet(eventTypes, EV_KEY))
        return false;
    std::uint8_t keys[kKeyBitBytes] = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys), keys) < 0) return false;
    for (unsigned code = 0; code < kTranslatedKeys; ++code)
        if (kScanCodes[code] != 0 && bitSet(keys, code)) return true;
    return false;
}

}  // namespace

std::uint8_t scanCodeForEvdevKey(unsigned evdevCode) {
    return evdevCode < kTranslatedKeys ? kScanCodes[evdevCode] : 0;
}

void addEvdevKeys(const std::uint8_t* bits, std::size_t byteCount,
                  std::uint8_t (&keys)[kKeyStateSize]) {
    const std::size_t limit = byteCount * 8 < kTranslatedKeys ? byteCount * 8 : kTranslatedKeys;
    for (unsigned code = 0; code < limit; ++code)
        if (bitSet(bits, code) && kScanCodes[code] != 0) keys[kScanCodes[code]] |= dik::Pressed;
}

EvdevKeyboardSource::EvdevKeyboardSource(std::string directory) : directory_(std::move(directory)) {}

EvdevKeyboardSource::~EvdevKeyboardSource() { closeKeyboards(); }

void EvdevKeyboardSource::openKeyboards() {
    closeKeyboards();
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory_.c_str()), closedir);
    if (!dir) return;
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strncmp(entry->d_name, "event", 5) != 0) continue;
        const std::string path = directory_ + "/" + entry->d_name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;  // typically no permission: not a keyboard we can read
        if (isKeyboard(fd))
            descriptors_.push_back(fd);
        else
            ::close(fd);
    }
}

void EvdevKeyboardSource::closeKeyboards() {
    for (int fd : descriptors_) ::close(fd);
    descriptors_.clear();
}

// Nothing to create before the devices: the kernel is the input object.
SourceResult EvdevKeyboardSource::createInput(void*) { return result::Ok; }

SourceResult EvdevKeyboardSource::createDevice() {
    openKeyboards();
    if (descriptors_.empty()) return result::NotFound;
    deviceOpen_ = true;
    lost_ = false;
    return result::Ok;
}

// The state always comes as a key bit array; there is no format to choose.
SourceResult EvdevKeyboardSource::setDataFormat() {
    return deviceOpen_ ? result::Ok : result::InvalidParam;
}

// EVIOCGKEY reads the keys whatever has the focus, which is the background access wanted.
SourceResult EvdevKeyboardSource::setCooperativeLevel(void*, std::uint32_t) {
    return deviceOpen_ ? result::Ok : result::InvalidParam;
}

SourceResult EvdevKeyboardSource::acquire() {
    if (!deviceOpen_) return result::InvalidParam;
    acquired_ = true;
    if (lost_ || descriptors_.empty()) {
        // A keyboard went away (unplugged, or its permission withdrawn): take whatever
        // keyboards there are now, which also picks up one plugged back in.
        openKeyboards();
        lost_ = descriptors_.empty();
    }
    return lost_ ? result::InputLost : result::Ok;
}

SourceResult EvdevKeyboardSource::getDeviceState(std::uint8_t* keys, std::uint32_t size) {
    if (keys == nullptr || size != kKeyStateSize) return result::InvalidParam;
    if (!acquired_) return result::NotAcquired;
    if (lost_) return result::InputLost;
    std::uint8_t merged[kKeyStateSize] = {};
    for (int fd : descriptors_) {
        std::uint8_t bits[kKeyBitBytes] = {};
        if (ioctl(fd, EVIOCGKEY(sizeof bits), bits) < 0) {
            lost_ = true;
            return result::InputLost;
        }
        addEvdevKeys(bits, sizeof bits, merged);
    }
    std::memcpy(keys, merged, sizeof merged);
    return result::Ok;
}

void EvdevKeyboardSource::unacquire() { acquired_ = false; }

void EvdevKeyboardSource::releaseDevice() {
    closeKeyboards();
    deviceOpen_ = false;
    acquired_ = false;
    lost_ = false;
}

void EvdevKeyboardSource::releaseInput() {}

std::unique_ptr<KeyboardSource> makeSystemKeyboard() {
    return std::make_unique<EvdevKeyboardSource>();
}

void* moduleInstance() { return nullptr; }

}  // namespace tavrix::controller
