#pragma once

// The key codes the console records as the last key that went down, in the numbering of the
// Windows virtual keys. Letters and digits have their character's code.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12; // Alt
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_PRIOR = 0x21; // Page Up
constexpr int VK_NEXT = 0x22;  // Page Down
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;
constexpr int VK_NUMPAD0 = 0x60; // the keypad's digits follow on
constexpr int VK_DECIMAL = 0x6E;
constexpr int VK_F1 = 0x70; // the function keys follow on
constexpr int VK_F12 = 0x7B;
// Any key without a code of its own; it still counts as a key that went down.
constexpr int VK_OTHER = 0xFF;
