// The host's keyboard. A key is named by its PC set-1 scan code: the code a module's
// vvcConsumeBufferedKey receives, and the index of the key's byte in the 256-byte keyboard
// state the host hands along, in which the bit VKEY_HELD_BIT marks a key held down.
// This is the one table of key codes; everything that names a key takes it from here.
#pragma once

#include <cstddef>

#include "vantor/Platform.h"

inline constexpr std::size_t VKEY_STATE_SIZE = 256;
inline constexpr unsigned char VKEY_HELD_BIT = 0x80;

// The digit row.
inline constexpr DWORD VKEY_1 = 0x02;
inline constexpr DWORD VKEY_2 = 0x03;
inline constexpr DWORD VKEY_3 = 0x04;
inline constexpr DWORD VKEY_4 = 0x05;
inline constexpr DWORD VKEY_5 = 0x06;
inline constexpr DWORD VKEY_6 = 0x07;
inline constexpr DWORD VKEY_7 = 0x08;
inline constexpr DWORD VKEY_8 = 0x09;
inline constexpr DWORD VKEY_9 = 0x0A;
inline constexpr DWORD VKEY_0 = 0x0B;

// The letters.
inline constexpr DWORD VKEY_Q = 0x10;
inline constexpr DWORD VKEY_W = 0x11;
inline constexpr DWORD VKEY_E = 0x12;
inline constexpr DWORD VKEY_R = 0x13;
inline constexpr DWORD VKEY_T = 0x14;
inline constexpr DWORD VKEY_Y = 0x15;
inline constexpr DWORD VKEY_U = 0x16;
inline constexpr DWORD VKEY_I = 0x17;
inline constexpr DWORD VKEY_O = 0x18;
inline constexpr DWORD VKEY_P = 0x19;
inline constexpr DWORD VKEY_A = 0x1E;
inline constexpr DWORD VKEY_S = 0x1F;
inline constexpr DWORD VKEY_D = 0x20;
inline constexpr DWORD VKEY_F = 0x21;
inline constexpr DWORD VKEY_G = 0x22;
inline constexpr DWORD VKEY_H = 0x23;
inline constexpr DWORD VKEY_J = 0x24;
inline constexpr DWORD VKEY_K = 0x25;
inline constexpr DWORD VKEY_L = 0x26;
inline constexpr DWORD VKEY_Z = 0x2C;
inline constexpr DWORD VKEY_X = 0x2D;
inline constexpr DWORD VKEY_C = 0x2E;
inline constexpr DWORD VKEY_V = 0x2F;
inline constexpr DWORD VKEY_B = 0x30;
inline constexpr DWORD VKEY_N = 0x31;
inline constexpr DWORD VKEY_M = 0x32;

// The modifiers; the right-hand Ctrl and Alt are the extended codes.
inline constexpr DWORD VKEY_LSHIFT = 0x2A;
inline constexpr DWORD VKEY_RSHIFT = 0x36;
inline constexpr DWORD VKEY_LCONTROL = 0x1D;
inline constexpr DWORD VKEY_RCONTROL = 0x9D;
inline constexpr DWORD VKEY_LALT = 0x38;
inline constexpr DWORD VKEY_RALT = 0xB8;

// By character: VKEY_LETTERS['K' - 'A'] is VKEY_K, VKEY_DIGITS[7] is VKEY_7.
inline constexpr DWORD VKEY_LETTERS[26] = {
    VKEY_A, VKEY_B, VKEY_C, VKEY_D, VKEY_E, VKEY_F, VKEY_G, VKEY_H, VKEY_I,
    VKEY_J, VKEY_K, VKEY_L, VKEY_M, VKEY_N, VKEY_O, VKEY_P, VKEY_Q, VKEY_R,
    VKEY_S, VKEY_T, VKEY_U, VKEY_V, VKEY_W, VKEY_X, VKEY_Y, VKEY_Z,
};
inline constexpr DWORD VKEY_DIGITS[10] = {
    VKEY_0, VKEY_1, VKEY_2, VKEY_3, VKEY_4, VKEY_5, VKEY_6, VKEY_7, VKEY_8, VKEY_9,
};
// While any of these is held, a plain key press is not the plain key.
inline constexpr DWORD VKEY_MODIFIERS[6] = {VKEY_LSHIFT,   VKEY_RSHIFT, VKEY_LCONTROL,
                                            VKEY_RCONTROL, VKEY_LALT,   VKEY_RALT};
