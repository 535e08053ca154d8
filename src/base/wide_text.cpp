#include "base/wide_text.h"

#include <windows.h>

std::wstring widen(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string narrow(const wchar_t* text, int count, unsigned codePage) {
    const int length = WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
    std::string bytes(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    WideCharToMultiByte(codePage, 0, text, count, &bytes[0], length, nullptr, nullptr);
    return bytes;
}

bool isConsoleHandle(void* handle) {
    DWORD mode = 0;
    return GetConsoleMode(static_cast<HANDLE>(handle), &mode) != 0;
}
