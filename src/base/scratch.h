// Zero-filled scratch for one call of the determinant or the integrator. A request that cannot be
// met prints "memory overflow" on standard output and ends the process with status 1; it never
// returns null, and a request for no elements is not a failure.
#pragma once

#include <cstddef>

double* takeScratch(std::size_t count);
int* takeIndexScratch(std::size_t count);
void releaseScratch(void* scratch);
