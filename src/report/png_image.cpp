// PNG encoding by stb_image_write (Debian's libstb-dev), its file functions left out: the bytes
// go wherever the platform puts files.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include "report/report.h"

namespace {

void append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

} // namespace

std::string pngImage(int width, int height, const unsigned char* rgb) {
    std::string file;
    stbi_write_png_to_func(append, &file, width, height, 3, rgb, width * 3);
    return file;
}
