#pragma once

#include "core/base/Language.h"

// Texts of the kept console and of the windows' "save as" commands. %1, %2 ... are filled in by
// the windows; %d is a line number.
namespace keepmsg
{
// Why a kept console could not be read.
inline constexpr Text NOT_CONSOLE{"it is not a kept console", "它不是保存的控制台内容"};
inline constexpr Text NEWER_VERSION{"a newer version of Pelmorix wrote it",
                                    "它由更新版本的 Pelmorix 写入"};
inline constexpr Text CUT_SHORT{"it ends early", "文件不完整"};
inline constexpr Text BAD_LINE{"line %d cannot be read", "第 %d 行无法读取"};
inline constexpr Text IS_FOLDER{"a folder stands in its place", "该位置是一个文件夹"};
inline constexpr Text NOT_PLAIN{"it is no plain file", "它不是普通文件"};
inline constexpr Text TOO_LARGE{"it is larger than %1 MB", "它大于 %1 MB"};
inline constexpr Text UNREADABLE{"it cannot be read (%1)", "无法读取（%1）"};

// The first line of a console whose kept file could not be read: %1 the reason, %2 the place.
inline constexpr Text MOVED_ASIDE{"# The console of the last run could not be restored: %1. The "
                                  "file was moved to %2.",
                                  "# 无法恢复上次的控制台内容：%1。该文件已移至 %2。"};
inline constexpr Text NOT_MOVED{"# The console of the last run could not be restored: %1. The "
                                "file %2 could not be moved aside and stays as it is; the console "
                                "is not kept in this run.",
                                "# 无法恢复上次的控制台内容：%1。文件 %2 无法移开，保持原样；"
                                "本次运行不保留控制台内容。"};

// The frame's icon menu of the main window and the console's context menu.
inline constexpr Text KEEP_CONSOLE{"Keep console between runs", "退出后保留控制台内容"};
inline constexpr Text SAVE_CONSOLE{"Save console as…", "控制台另存为…"};
inline constexpr Text STOP_KEEPING{"Stop keeping the console between runs?\nThe kept console %1 "
                                   "will be deleted.",
                                   "不再保留控制台内容？\n已保存的控制台内容 %1 将被删除。"};
inline constexpr Text NOT_DELETED{"The kept console %1 could not be deleted: %2",
                                  "无法删除已保存的控制台内容 %1：%2"};
// A second calculator while another one keeps the console: %1 the kept file.
inline constexpr Text OTHER_KEEPS{"# Another Pelmorix keeps the console in %1: this one started "
                                  "empty and keeps nothing between runs. Ctrl+S still saves it.",
                                  "# 另一个 Pelmorix 正在 %1 中保留控制台内容：本窗口从空白开始，"
                                  "退出后不保留任何内容。仍可按 Ctrl+S 保存。"};
inline constexpr Text NOT_KEPT{"The console could not be kept in %1: %2\nThe file there is "
                               "unchanged.",
                               "无法将控制台内容保存到 %1：%2\n该文件保持不变。"};
inline constexpr Text TEXT_FILES{"Text files (*.txt)", "文本文件 (*.txt)"};

// Why a file cannot be replaced, put into NOT_SAVED or NOT_KEPT.
inline constexpr Text NOT_A_FILE{
    "what stands there is no plain file but a folder, pipe, device or "
    "socket, and only a file is replaced",
    "该位置不是普通文件，而是文件夹、管道、设备或套接字；只能替换普通文件"};

// Any "save as": %1 the file, %2 the system's reason.
inline constexpr Text NOT_SAVED{"Could not save %1: %2\nNothing was lost; the file there, if any, "
                                "is unchanged.",
                                "无法保存 %1：%2\n没有丢失任何内容；原有文件（如有）保持不变。"};
} // namespace keepmsg
