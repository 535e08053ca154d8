// libFuzzer harness: arbitrary bytes typed into the real dialogue, then into the window's keys
// (without the window), as a student could type them. It fails on a crash, a sanitizer report, a
// run over the time limit, a nan or inf anywhere in the console output, or results and motion
// that are not finite or not in range (dialogue_harness.cpp).
#include <strings.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "dialogue_harness.h"

namespace {

bool mentionsNanOrInf(const std::string& text) {
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        if (strncasecmp(text.c_str() + i, "nan", 3) == 0 ||
            strncasecmp(text.c_str() + i, "inf", 3) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    prepareDialogueHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (mentionsNanOrInf(typeIntoProgram(data, size))) {
        std::abort();
    }
    return 0;
}
