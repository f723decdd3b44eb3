#pragma once

class QKeyEvent;

constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
// Any key without a code of its own; it still counts as a key that went down.
constexpr int VK_OTHER = 0xFF;

// The virtual-key code the console records for a key event (ConsoleHost.h codes among them).
int VirtualKeyOf(const QKeyEvent& event);
// The keypad's decimal key, whichever separator the keyboard layout gives it.
bool IsKeypadDecimal(const QKeyEvent& event);
