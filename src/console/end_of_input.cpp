#include <cstdlib>

#include "console/console.h"

void leaveOnEndOfInput() {
    std::exit(EndOfInputStatus);
}
