#include "base/scratch.h"

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void exitOnMemoryOverflow() {
    std::fputs("memory overflow\n", stdout);
    std::fflush(stdout);
    std::exit(1);
}

void* takeZeroFilled(std::size_t count, std::size_t size) {
    // calloc may answer a request for nothing with null; one element keeps that from looking like
    // a failure.
    void* scratch = std::calloc(count > 0 ? count : 1, size);
    if (scratch == nullptr) {
        exitOnMemoryOverflow();
    }
    return scratch;
}

} // namespace

double* takeScratch(std::size_t count) {
    return static_cast<double*>(takeZeroFilled(count, sizeof(double)));
}

int* takeIndexScratch(std::size_t count) {
    return static_cast<int*>(takeZeroFilled(count, sizeof(int)));
}

void releaseScratch(void* scratch) {
    std::free(scratch);
}
