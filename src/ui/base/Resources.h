#pragma once

#include <QString>

// The program's bitmaps, compiled into the widget library.
namespace res
{
inline constexpr const char* ICON = ":/icon128.png";          // application icon
inline constexpr const char* LOGO = ":/logo151.png";          // 100 x 25, main window
inline constexpr const char* HELP_LOGO = ":/helplogo135.png"; // 100 x 50, help window
} // namespace res

// The path of skin bitmap nNumber (166 to 206).
QString SkinBitmapPath(int nNumber);

// Registers the resources; a static library's resources are not linked in on their own.
void InitPelmorixResources();
