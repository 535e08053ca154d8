// The program typed at in one process, input after input, as the fuzzer drives it: each input
// runs the real dialogue from the start and then the window's keys (without the window), in a
// program that starts afresh every time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Once per process: a standard input that is no terminal and no controlling terminal, so that
// every question is answered from the inputs alone; the console's encoding from the locale.
void prepareDialogueHarness();

// Types the bytes (the dialogue, then keys) into the program from its start-up state and returns
// what the console wrote. Aborts the process on results or motion that are not finite or not in
// range.
std::string typeIntoProgram(const std::uint8_t* data, std::size_t size);
