#pragma once

#include "core/base/Language.h"

// Messages of the long-number calculator. The texts with %d take a 1-based character position or
// a limit.
namespace longmsg
{
inline constexpr Text DIVISOR_ZERO{"Divisor can not be zero", "除数不能为零"};
inline constexpr Text MOD_DIVISOR_ZERO{"Divor can not be zero", "除数不能为零"};
inline constexpr Text CAPTION_ERROR{"Error", "错误"};
inline constexpr Text NO_MEMORY{"insufficient memory!", "内存空间不够"};
inline constexpr Text ILLEGAL_FIRST{"Ingeter 1 bit %d has illegal character",
                                    "整数1第 %d 位有非法字符"};
inline constexpr Text ILLEGAL_SECOND{"Ingeter 2 bit %d has illegal character",
                                     "整数2第 %d 位有非法字符"};
inline constexpr Text CAPTION_WARNING{"Warning", "提示"};
inline constexpr Text DIGITS_RANGE{"The digit count of pi or e must be from 0 to %d",
                                   "pi或e的位数必须在0到%d之间"};
inline constexpr Text FACTORIAL_RANGE{"Fac needs an integer from 0 to %d",
                                      "阶乘的整数必须在0到%d之间"};
inline constexpr Text FIRST_TOO_LONG{"Integer 1 has more than %d digits", "整数1超过%d位"};
inline constexpr Text SECOND_TOO_LONG{"Integer 2 has more than %d digits", "整数2超过%d位"};
inline constexpr Text FILE_UNREADABLE{"cannot read the file", "无法读取文件"};
inline constexpr Text STDIN_UNREADABLE{"cannot read standard input", "无法读取标准输入"};
// A running calculation: the share done in percent, then the time left.
inline constexpr Text PROGRESS{"%d%% done", "已完成 %d%%"};
inline constexpr Text PROGRESS_LEFT{"%d%% done, about %s left", "已完成 %d%%，约剩 %s"};
// The end of a calculation: the digit count of the result, or the stop.
inline constexpr Text ENDED_DONE{"Done: %d digits", "完成：%d 位"};
inline constexpr Text ENDED_STOPPED{"Stopped", "已停止"};
} // namespace longmsg
