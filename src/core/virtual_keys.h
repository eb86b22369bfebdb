#pragma once
// The Windows virtual-key code of a key press as the GUI toolkit reports it, so a captured key
// finds its row in the input name table on every system. The toolkit's key codes are plain
// integers here; the values below are the toolkit's (Qt's) own key numbers, checked against its
// headers where the widgets use them.
namespace tavrix {

namespace toolkit_key {
inline constexpr int Escape = 0x01000000;
inline constexpr int Tab = 0x01000001;
inline constexpr int Backtab = 0x01000002;
inline constexpr int Backspace = 0x01000003;
inline constexpr int Return = 0x01000004;
inline constexpr int Enter = 0x01000005;
inline constexpr int Insert = 0x01000006;
inline constexpr int Delete = 0x01000007;
inline constexpr int Pause = 0x01000008;
inline constexpr int Print = 0x01000009;
inline constexpr int Clear = 0x0100000b;
inline constexpr int Home = 0x01000010;
inline constexpr int End = 0x01000011;
inline constexpr int Left = 0x01000012;
inline constexpr int Up = 0x01000013;
inline constexpr int Right = 0x01000014;
inline constexpr int Down = 0x01000015;
inline constexpr int PageUp = 0x01000016;
inline constexpr int PageDown = 0x01000017;
inline constexpr int Shift = 0x01000020;
inline constexpr int Control = 0x01000021;
inline constexpr int Meta = 0x01000022;
inline constexpr int Alt = 0x01000023;
inline constexpr int CapsLock = 0x01000024;
inline constexpr int NumLock = 0x01000025;
inline constexpr int ScrollLock = 0x01000026;
inline constexpr int F1 = 0x01000030;
inline constexpr int F24 = 0x01000047;
inline constexpr int SuperL = 0x01000053;
inline constexpr int SuperR = 0x01000054;
inline constexpr int Menu = 0x01000055;
inline constexpr int Calculator = 0x010000cb;
inline constexpr int AltGr = 0x01001103;
}  // namespace toolkit_key

// The virtual-key code of a key, or 0 for a key that has none. `keypad` is set when the key
// comes from the numeric keypad: digits and operators there have codes of their own, while
// both Enter keys give 13. Punctuation follows the US layout, shifted forms included (Shift+8
// "*" is the key 8), since the capture wants the key, not the character.
int windowsVirtualKey(int toolkitKey, bool keypad);

}  // namespace tavrix
