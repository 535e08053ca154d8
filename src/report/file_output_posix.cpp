// Saved files on Linux: new files in the working folder, created only where no file of the name
// exists (O_EXCL), so that nothing is ever written over.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "report/file_output.h"

int writeNewFile(const std::string& name, const std::string& bytes, const char*) {
    const int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0) {
        return errno;
    }
    std::size_t written = 0;
    int error = 0;
    while (written < bytes.size() && error == 0) {
        const ssize_t n = write(file, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    if (close(file) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(name.c_str());
    }
    return error;
}

void removeFile(const std::string& name) {
    unlink(name.c_str());
}

std::string folderOfFiles() {
    std::string folder(PATH_MAX, '\0');
    if (getcwd(&folder[0], folder.size()) == nullptr) {
        return ".";
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder;
}

std::string pathInFolder(const std::string& name) {
    const std::string folder = folderOfFiles();
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool folderExists(const std::string& folder) {
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
