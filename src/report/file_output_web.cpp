// Saved files in a page: each is handed to the browser as a download under its name. A name
// the page has already downloaded counts as a file that exists, so that two presses within one
// second give two pairs of names, as on the desktop.
#include <emscripten.h>

#include <cerrno>

#include "report/file_output.h"

namespace {

// clang-format off
EM_JS(int, downloaded, (const char* name), {
    return springChain.downloads.includes(UTF8ToString(name)) ? 1 : 0;
});
EM_JS(void, download, (const char* name, const char* bytes, int length, const char* type), {
    springChain.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + length),
                         UTF8ToString(type));
});
// clang-format on

} // namespace

int writeNewFile(const std::string& name, const std::string& bytes, const char* type) {
    if (downloaded(name.c_str()) != 0) {
        return EEXIST;
    }
    download(name.c_str(), bytes.data(), static_cast<int>(bytes.size()), type);
    return 0;
}

// A download cannot be taken back; a page never needs to, as every download is written.
void removeFile(const std::string&) {}

std::string folderOfFiles() {
    return "";
}

std::string pathInFolder(const std::string& name) {
    return name;
}

bool folderExists(const std::string&) {
    return true;
}
