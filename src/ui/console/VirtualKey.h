#pragma once

#include "core/console/KeyCodes.h"

class QKeyEvent;

// The key code the console records for a key event (KeyCodes.h).
int VirtualKeyOf(const QKeyEvent& event);
// The keypad's decimal key, whichever separator the keyboard layout gives it.
bool IsKeypadDecimal(const QKeyEvent& event);
