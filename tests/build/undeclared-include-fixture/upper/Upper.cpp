#include "core/lower/Lower.h"

int UpperValue() { return LOWER_VALUE + 1; }
