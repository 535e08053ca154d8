// Text between the program's UTF-8 and the UTF-16 of Windows' wide API, for the console and the
// window alike (Windows only).
#pragma once

#include <string>

std::wstring widen(const char* utf8);
