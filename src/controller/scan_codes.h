#pragma once
// DirectInput keyboard scan codes (the published DIK numbering) of the keys the key maps use.
// The keyboard state buffer is indexed by these codes.
#include <cstdint>

namespace tavrix::controller::dik {

inline constexpr std::uint8_t None = 0x00;  // no key reports it: an unused map position
inline constexpr std::uint8_t Key1 = 0x02;
inline constexpr std::uint8_t Key2 = 0x03;
inline constexpr std::uint8_t Key3 = 0x04;
inline constexpr std::uint8_t Key4 = 0x05;
inline constexpr std::uint8_t Key5 = 0x06;
inline constexpr std::uint8_t Key6 = 0x07;
inline constexpr std::uint8_t Key7 = 0x08;
inline constexpr std::uint8_t Q = 0x10;
inline constexpr std::uint8_t W = 0x11;
inline constexpr std::uint8_t E = 0x12;
inline constexpr std::uint8_t R = 0x13;
inline constexpr std::uint8_t U = 0x16;
inline constexpr std::uint8_t I = 0x17;
inline constexpr std::uint8_t O = 0x18;
inline constexpr std::uint8_t A = 0x1E;
inline constexpr std::uint8_t S = 0x1F;
inline constexpr std::uint8_t D = 0x20;
inline constexpr std::uint8_t F = 0x21;
inline constexpr std::uint8_t H = 0x23;
inline constexpr std::uint8_t J = 0x24;
inline constexpr std::uint8_t K = 0x25;
inline constexpr std::uint8_t L = 0x26;
inline constexpr std::uint8_t Z = 0x2C;
inline constexpr std::uint8_t X = 0x2D;
inline constexpr std::uint8_t C = 0x2E;
inline constexpr std::uint8_t B = 0x30;
inline constexpr std::uint8_t N = 0x31;
inline constexpr std::uint8_t M = 0x32;
inline constexpr std::uint8_t Up = 0xC8;
inline constexpr std::uint8_t Left = 0xCB;
inline constexpr std::uint8_t Right = 0xCD;
inline constexpr std::uint8_t Down = 0xD0;

// A byte of the keyboard state with this bit set means the key is down.
inline constexpr std::uint8_t Pressed = 0x80;

}  // namespace tavrix::controller::dik
