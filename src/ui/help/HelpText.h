#pragma once

#include "core/base/Language.h"

// The help window's text in both languages (UTF-8), one string each; lines end in '\n', the
// last one without it. Leading blanks, the blanks that end a few lines and the one tab
// (Chinese, the sqr line) are part of the text.
extern const Text HELP_TEXT;
