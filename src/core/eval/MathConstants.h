#pragma once

// Pi to double precision: the value of the names pi and PI, and the factor of the angle and
// area functions.
constexpr double PI = 3.141592653589793;
