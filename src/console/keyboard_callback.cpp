#include <cstdlib>

#include "console/console.h"
#include "integration/integration.h"

// A redraw is one direct call of the display callback, after the change, so the new scale or
// curve count shows in the very frame the key produces.
void onKeyboard(unsigned char key, int, int) {
    switch (applyKeyCommand(key)) {
    case KeyOutcome::Redraw:
        onDisplay();
        break;
    case KeyOutcome::Quit:
        std::exit(0);
    case KeyOutcome::Nothing:
        break;
    }
}
