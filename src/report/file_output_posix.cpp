// Saved files on Linux: new files in the working folder, created only where no file of the name
// exists (O_EXCL), so that nothing is ever written over.
#include <fcntl.h>
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

std::string pathInFolder(const std::string& name) {
    std::string folder(PATH_MAX, '\0');
    if (getcwd(&folder[0], folder.size()) == nullptr) {
        return name;
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder == "/" ? folder + name : folder + "/" + name;
}
