#include "core/virtual_keys.h"

namespace tavrix {
namespace {

// Virtual-key codes used below.
constexpr int kBack = 8, kTab = 9, kClear = 12, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18;
constexpr int kPause = 19, kCapital = 20, kEscape = 27, kSpace = 32, kPrior = 33, kNext = 34;
constexpr int kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kSnapshot = 44, kInsert = 45, kDelete = 46, kLeftWindows = 91, kRightWindows = 92;
constexpr int kApps = 93, kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSubtract = 109;
constexpr int kDecimal = 110, kDivide = 111, kF1 = 112, kNumLock = 144, kScroll = 145;
constexpr int kLaunchApp2 = 183, kOem1 = 186, kOemPlus = 187, kOemComma = 188, kOemMinus = 189;
constexpr int kOemPeriod = 190, kOem2 = 191, kOem3 = 192, kOem4 = 219, kOem5 = 220, kOem6 = 221;
constexpr int kOem7 = 222;

int keypadOperator(int key) {
    switch (key) {
    case '*': return kMultiply;
    case '+': return kAdd;
    case '-': return kSubtract;
    case '.': case ',': return kDecimal;
    case '/': return kDivide;
    default: return 0;
    }
}

// Printable keys (Qt uses the upper-case character code for letters).
int printableKey(int key) {
    if (key >= 'A' && key <= 'Z') return key;
    if (key >= '0' && key <= '9') return key;
    switch (key) {
    case ' ': return kSpace;
    case ';': case ':': return kOem1;
    case '=': case '+': return kOemPlus;
    case ',': case '<': return kOemComma;
    case '-': case '_': return kOemMinus;
    case '.': case '>': return kOemPeriod;
    case '/': case '?': return kOem2;
    case '`': case '~': return kOem3;
    case '[': case '{': return kOem4;
    case '\\': case '|': return kOem5;
    case ']': case '}': return kOem6;
    case '\'': case '"': return kOem7;
    // Shifted digits of the US layout.
    case '!': return '1';
    case '@': return '2';
    case '#': return '3';
    case '$': return '4';
    case '%': return '5';
    case '^': return '6';
    case '&': return '7';
    case '*': return '8';
    case '(': return '9';
    case ')': return '0';
    default: return 0;
    }
}

}  // namespace

int windowsVirtualKey(int toolkitKey, bool keypad) {
    namespace k = toolkit_key;
    if (keypad) {
        if (toolkitKey >= '0' && toolkitKey <= '9') return kNumpad0 + (toolkitKey - '0');
        if (const int op = keypadOperator(toolkitKey)) return op;
    }
    if (toolkitKey >= k::F1 && toolkitKey <= k::F24) return kF1 + (toolkitKey - k::F1);
    switch (toolkitKey) {
    case k::Escape: return kEscape;
    case k::Tab: case k::Backtab: return kTab;
    case k::Backspace: return kBack;
    case k::Return: case k::Enter: return kReturn;
    case k::Insert: return kInsert;
    case k::Delete: return kDelete;
    case k::Pause: return kPause;
    case k::Print: return kSnapshot;
    case k::Clear: return kClear;
    case k::Home: return kHome;
    case k::End: return kEnd;
    case k::Left: return kLeft;
    case k::Up: return kUp;
    case k::Right: return kRight;
    case k::Down: return kDown;
    case k::PageUp: return kPrior;
    case k::PageDown: return kNext;
    case k::Shift: return kShift;
    case k::Control: return kControl;
    case k::Alt: case k::AltGr: return kMenu;
    case k::Meta: case k::SuperL: return kLeftWindows;
    case k::SuperR: return kRightWindows;
    case k::Menu: return kApps;
    case k::CapsLock: return kCapital;
    case k::NumLock: return kNumLock;
    case k::ScrollLock: return kScroll;
    case k::Calculator: return kLaunchApp2;
    default: break;
    }
    if (toolkitKey >= 0 && toolkitKey < 0x80) return printableKey(toolkitKey);
    return 0;
}

}  // namespace tavrix
