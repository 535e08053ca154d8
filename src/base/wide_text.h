// Text between the program's UTF-8 and the UTF-16 of Windows' wide API, for the console and the
// window alike (Windows only).
#pragma once

#include <string>

std::wstring widen(const char* utf8);

// UTF-16 text in a code page's bytes (932, or CP_UTF8).
std::string narrow(const wchar_t* text, int count, unsigned codePage);
