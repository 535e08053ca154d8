#include <cstdlib>

#include "console/console.h"
#include "integration/integration.h"
#include "render/render.h"

// A redraw is one direct call of the display callback, after the change, so the new scale or
// curve count shows in the very frame the key produces. 's' steps one frame and stops play, and so
// does every key that asks in the console ('c', 'n', 'm', 'j'): those leave the window unserviced
// until the answer is in, and what was pressed in it meanwhile is dropped rather than replayed.
void onKeyboard(unsigned char key, int, int) {
    if (key == 's' || keyAsksInConsole(key)) {
        stopPlay();
    }
    const KeyOutcome outcome = applyKeyCommand(key);
    if (keyAsksInConsole(key)) {
        discardKeysPressedMeanwhile();
    }
    switch (outcome) {
    case KeyOutcome::Redraw:
        onDisplay();
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
