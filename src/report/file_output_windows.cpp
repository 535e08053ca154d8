// Saved files on Windows: new files in the working folder, created only where no file of the
// name exists (_O_EXCL), and binary, so that the CSV's line ends stay single line feeds.
#define NOMINMAX // windows.h's min and max macros would hide std::min
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/wide_text.h"
#include "report/file_output.h"

int writeNewFile(const std::string& name, const std::string& bytes, const char*) {
    const int file =
        _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (file < 0) {
        return errno;
    }
    std::size_t written = 0;
    int error = 0;
    while (written < bytes.size() && error == 0) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - written, INT_MAX);
        const int n = _write(file, bytes.data() + written, static_cast<unsigned int>(chunk));
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else {
            error = errno != 0 ? errno : EIO;
        }
    }
    if (_close(file) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        std::remove(name.c_str());
    }
    return error;
}

void removeFile(const std::string& name) {
    std::remove(name.c_str());
}

// The folder as Windows names it, wide, in the program's UTF-8.
std::string folderOfFiles() {
    wchar_t* folder = _wgetcwd(nullptr, 0);
    if (folder == nullptr) {
        return ".";
    }
    std::string path = narrow(folder, -1, CP_UTF8);
    std::free(folder);
    path.resize(std::strlen(path.c_str()));
    return path;
}

std::string pathInFolder(const std::string& name) {
    const std::string folder = folderOfFiles();
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool folderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesW(widen(folder.c_str()).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
