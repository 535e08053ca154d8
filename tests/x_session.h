// A real X server (Xvfb) of the test's own, the program's window in it, real key presses through
// the XTest extension, and the window's pixels read back from the server.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

// Xvfb on a display number it picks itself, so several tests can run side by side.
class VirtualScreen {
  public:
    explicit VirtualScreen(int width = 1024, int height = 1024);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    bool running() const { return display_ != nullptr; }
    const std::string& name() const { return name_; } // ":N"
    Display* display() const { return display_; }

    // The first mapped top-level window with a title that contains `title` (any title: the
    // program titles its window in the language it was started in); 0 after the timeout.
    Window waitForWindow(const std::string& title = "", double seconds = 20.0) const;
    bool windowExists(Window window) const;
    Window findWindow(const std::string& title) const;

    // Presses and releases the key of the character (with Shift where it needs it) while the
    // window has the keyboard focus. 27 is Escape.
    void press(Window window, char key) const;
    // Presses the key and keeps it down (down = true), or lets it go.
    void hold(Window window, char key, bool down) const;

    std::string property(Window window, const char* name) const;
    // A property of 32-bit items (CARDINAL and the like); empty when the window has none.
    std::vector<long> cardinals(Window window, const char* name) const;

  private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // row by row from the top left
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool empty() const { return pixels.empty(); }
};

Picture capture(Display* display, Window window);
bool writePng(const Picture& picture, const std::string& path);
