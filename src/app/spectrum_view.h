// The spectrum of the motion ('w'), as the window shows it and the report saves it.
#pragma once

#include "model/records.h"

// Each drawn mass's amplitude spectrum over the newest integration steps recorded, computed again
// only when the record has grown, the drawn curves have changed, or a new run has begun.
const MotionSpectrum& motionSpectrum();

// A new run begins: its spectrum is its own.
void forgetSpectrum();

// The spectrum in the window's left half, with the modes' printed frequencies.
void drawSpectrumView();
