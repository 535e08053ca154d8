#include <cstdlib>

#include "console/console.h"
#include "integration/integration.h"
#include "render/render.h"

namespace {

constexpr unsigned char SpaceKey = ' ';

// The space bar is down: the window system's repeats of it are not presses of their own.
bool SpaceHeld = false;

} // namespace

// A redraw is one direct call of the frame's drawing, after the change, so the new scale or curve
// count shows at once, at the same instant of the motion. 's' steps one frame and stops play, and
// so does every key that asks in the console ('c', 'n', 'm', 'j'): those leave the window
// unserviced until the answer is in, and what was pressed in it meanwhile is dropped rather than
// replayed.
void onKeyboard(unsigned char key, int, int) {
    if (key == SpaceKey) {
        if (SpaceHeld) {
            return;
        }
        SpaceHeld = true;
        ignoreKeyRepeat(true);
    }
    if (key == 's' || keyAsksInConsole(key)) {
        stopPlay();
    }
    const KeyOutcome outcome = applyKeyCommand(key);
    if (keyAsksInConsole(key)) {
        discardKeysPressedMeanwhile();
    }
    switch (outcome) {
    case KeyOutcome::Redraw:
        drawFrame();
        break;
    case KeyOutcome::Step:
        stepFrame();
        break;
    case KeyOutcome::TogglePlay:
        togglePlay();
        break;
    case KeyOutcome::Quit:
        std::exit(0);
    case KeyOutcome::Nothing:
        break;
    }
}

// Repeats of a held key are ignored only while the space bar is down, so 's' held down still
// steps frame after frame.
void onKeyboardUp(unsigned char key, int, int) {
    if (key == SpaceKey) {
        SpaceHeld = false;
        ignoreKeyRepeat(false);
    }
}
