#include "core/base/Language.h"
#include "ui/upper/Upper.h"

int LowerValue() { return UPPER_VALUE - 1; }
