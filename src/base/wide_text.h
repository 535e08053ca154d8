// Text between the program's UTF-8 and the UTF-16 of Windows' wide API, for the console and the
// window alike (Windows only).
#pragma once

#include <string>

// Windows' number of code page 932, Shift-JIS.
constexpr unsigned ShiftJisCodePage = 932;

std::wstring widen(const char* utf8);

// UTF-16 text in a code page's bytes (ShiftJisCodePage, or CP_UTF8).
std::string narrow(const wchar_t* text, int count, unsigned codePage);

// Whether the handle (a HANDLE) is a console's, which reads and writes UTF-16 through the wide
// API, rather than a pipe's or a file's, which carry bytes.
bool isConsoleHandle(void* handle);
