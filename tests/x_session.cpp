#include "x_session.h"

#include "waiting.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Xvfb writes the display number it chose to the descriptor named by -displayfd.
std::string startXvfb(pid_t* pid, int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "";
    }
    *pid = fork();
    if (*pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    struct pollfd p = {fds[0], POLLIN, 0};
    while (poll(&p, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') {
            break;
        }
        number.push_back(c);
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

bool isTitled(const std::string& name, const std::string& title) {
    return !name.empty() && name.find(title) != std::string::npos;
}

} // namespace

VirtualScreen::VirtualScreen(int width, int height) {
    name_ = startXvfb(&pid_, width, height);
    for (int attempt = 0; attempt < 100 && !name_.empty() && display_ == nullptr; ++attempt) {
        display_ = XOpenDisplay(name_.c_str());
        if (display_ == nullptr) {
            pause(50);
        }
    }
}

// Xvfb under load has been seen to miss a SIGTERM that came as its last client left: after a
// while it is killed outright.
VirtualScreen::~VirtualScreen() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        constexpr double TermSeconds = 10.0;
        if (!waitUntil(TermSeconds, [this] { return waitpid(pid_, nullptr, WNOHANG) == pid_; })) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
}

std::string VirtualScreen::property(Window window, const char* name) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 4096, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 8) {
            value.assign(reinterpret_cast<char*>(data), count);
        }
        XFree(data);
    }
    return value;
}

std::vector<long> VirtualScreen::cardinals(Window window, const char* name) const {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, 64, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            // Xlib hands 32-bit items over as longs.
            const long* items = reinterpret_cast<const long*>(data);
            values.assign(items, items + count);
        }
        XFree(data);
    }
    return values;
}

// The first mapped top-level window with a title that holds `title`, or 0.
Window VirtualScreen::findWindow(const std::string& title) const {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display_, children[i], &attributes) &&
                attributes.map_state == IsViewable &&
                isTitled(property(children[i], "_NET_WM_NAME"), title)) {
                found = children[i];
            }
        }
        XFree(children);
    }
    return found;
}

Window VirtualScreen::waitForWindow(const std::string& title, double seconds) const {
    Window found = 0;
    waitUntil(
        seconds, [&] { return (found = findWindow(title)) != 0; }, 50);
    return found;
}

namespace {
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}
} // namespace

bool VirtualScreen::windowExists(Window window) const {
    XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    XWindowAttributes attributes;
    const bool exists = XGetWindowAttributes(display_, window, &attributes) != 0;
    XSync(display_, False);
    XSetErrorHandler(previous);
    return exists;
}

void VirtualScreen::press(Window window, char key) const {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    const KeySym symbol =
        key == 27 ? XK_Escape : static_cast<KeySym>(static_cast<unsigned char>(key));
    const KeyCode code = XKeysymToKeycode(display_, symbol);
    const bool shift = key >= 'A' && key <= 'Z';
    const KeyCode shiftCode = XKeysymToKeycode(display_, XK_Shift_L);
    if (shift) {
        XTestFakeKeyEvent(display_, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    if (shift) {
        XTestFakeKeyEvent(display_, shiftCode, False, CurrentTime);
    }
    XSync(display_, False);
}

void VirtualScreen::hold(Window window, char key, bool down) const {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, static_cast<unsigned char>(key));
    XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    XSync(display_, False);
}

Picture capture(Display* display, Window window) {
    Picture picture;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return picture;
    }
    // Read through the root window: what it shows is what the student sees. Without a window
    // manager GLUT may place the window partly off the screen; what lies outside reads as magenta.
    const Window root = DefaultRootWindow(display);
    XWindowAttributes screen;
    XGetWindowAttributes(display, root, &screen);
    int left = 0;
    int top = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + attributes.width, screen.width);
    const int y1 = std::min(top + attributes.height, screen.height);
    if (x1 <= x0 || y1 <= y0) {
        return picture;
    }
    XImage* image = XGetImage(display, root, x0, y0, static_cast<unsigned>(x1 - x0),
                              static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, {255, 0, 255});
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned long p = XGetPixel(image, x - x0, y - y0);
            picture.pixels[static_cast<std::size_t>(y - top) * picture.width + (x - left)] = {
                static_cast<std::uint8_t>((p & image->red_mask) >> 16),
                static_cast<std::uint8_t>((p & image->green_mask) >> 8),
                static_cast<std::uint8_t>(p & image->blue_mask)};
        }
    }
    XDestroyImage(image);
    return picture;
}

namespace {

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>((v >> shift) & 0xff));
    }
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

} // namespace

bool writePng(const Picture& picture, const std::string& path) {
    std::string raw;
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back('\0'); // no filter
        for (int x = 0; x < picture.width; ++x) {
            const Rgb p = picture.at(x, y);
            raw.push_back(static_cast<char>(p.r));
            raw.push_back(static_cast<char>(p.g));
            raw.push_back(static_cast<char>(p.b));
        }
    }
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9) != Z_OK) {
        return false;
    }
    packed.resize(size);
    std::string header;
    put32(header, static_cast<std::uint32_t>(picture.width));
    put32(header, static_cast<std::uint32_t>(picture.height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    std::string png = "\x89PNG\r\n\x1a\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", "");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}
