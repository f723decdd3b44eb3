#pragma once

#include <string>

// Pi, e and factorials to many digits, computed in decimal limbs by binary splitting of their
// series. All three return the empty text for a negative n or when memory runs out. They answer
// to the current calculation's control (LongControl.h): they throw LongCancelled when it is
// cancelled, and plan and report their progress on it, which ends at the full share when they
// return a result. They may take long: call them off the GUI thread.

// "3" for n = 0, else "3." and the first n - 1 fraction digits of pi, cut (not rounded).
std::string ComputePi(int n);
// "2" for n = 0, else "2." and the first n - 1 fraction digits of e, cut (not rounded).
std::string ComputeE(int n);
// All digits of n!; "1" for n = 0.
std::string ComputeFactorial(int n);
