// The window's geometry from the command line, X11's form [=][W{xX}H][{+-}X{+-}Y], read here rather
// than by GLUT: GLUT takes the size of a geometry that names only a position from memory it never
// set, and opens a window of no size or none at all.
#include <cctype>
#include <climits>
#include <cstring>
#include <string>

#include "render/render.h"

namespace {

constexpr int DefaultWindowSize = 800;  // pixels, both ways
constexpr int SmallestWindowSize = 200; // pixels: the chain, the chart and the captions still show

// A run of digits into *value, at most a window's worth; false when there is none.
bool readNumber(const char** text, int* value) {
    const char* c = *text;
    long number = 0;
    while (std::isdigit(static_cast<unsigned char>(*c))) {
        number = number * 10 + (*c - '0');
        if (number > INT_MAX / 16) {
            return false;
        }
        ++c;
    }
    if (c == *text) {
        return false;
    }
    *value = static_cast<int>(number);
    *text = c;
    return true;
}

// A sign and a number: the offset from the left (top) edge, or with '-' from the right (bottom).
bool readOffset(const char** text, int* offset, bool* fromFarEdge) {
    if (**text != '+' && **text != '-') {
        return false;
    }
    *fromFarEdge = **text == '-';
    ++*text;
    return readNumber(text, offset);
}

bool parse(const char* text, WindowGeometry* g) {
    if (*text == '=') {
        ++text;
    }
    if (std::isdigit(static_cast<unsigned char>(*text))) {
        if (!readNumber(&text, &g->width) || (*text != 'x' && *text != 'X')) {
            return false;
        }
        ++text;
        if (!readNumber(&text, &g->height)) {
            return false;
        }
    }
    if (*text != '\0') {
        if (!readOffset(&text, &g->x, &g->fromRight) || !readOffset(&text, &g->y, &g->fromBottom)) {
            return false;
        }
        g->placed = true;
    }
    return *text == '\0';
}

} // namespace

WindowGeometry takeWindowGeometry(int* argc, char** argv) {
    WindowGeometry g = {DefaultWindowSize, DefaultWindowSize, 0, 0, false, false, false, false, ""};
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (std::strcmp(argv[i], "-geometry") != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        const char* typed = i + 1 < *argc ? argv[++i] : "";
        WindowGeometry given = g;
        if (parse(typed, &given) && *typed != '\0') {
            g = given;
            g.unreadable = false;
        } else {
            g.unreadable = true;
            g.typed = typed;
        }
    }
    *argc = kept;
    argv[kept] = nullptr;
    if (g.width < SmallestWindowSize) {
        g.width = SmallestWindowSize;
    }
    if (g.height < SmallestWindowSize) {
        g.height = SmallestWindowSize;
    }
    return g;
}
