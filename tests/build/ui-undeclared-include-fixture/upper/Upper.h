#pragma once

#include "ui/lower/Lower.h"

constexpr int UPPER_VALUE = 2;
