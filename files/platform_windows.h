// What the two Windows halves of files/platform.h share: the conversions between the
// program's UTF-8 and the system's UTF-16, and the system's errors as the program reports
// them. Only platform_windows.cpp and console_windows.cpp include it.
#pragma once

#include "files/platform.h"

#include <string>
#include <string_view>

#include <windows.h>

namespace files::platform {

// UTF-8 and UTF-16 of the system's calls; invalid input gives an empty text.
std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

// An errno value, and a Windows error code, as the program reports a failed call.
SystemError errorOfErrno(int err);
SystemError errorOf(DWORD err);

} // namespace files::platform
