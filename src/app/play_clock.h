// Play's clock: one frame of motion per StepsPerFrame x TimeStep (0.04 s) of wall time, so that
// simulated time runs at real time. Times are seconds on a steady clock, handed in by the caller.
#pragma once

// Play starts at `now`; stopping it makes any tick still pending stale.
void startPlay(double now);
void stopPlay();
bool playing();

// The generation of the play that runs; a tick carries the generation it was scheduled for.
int playGeneration();

// What a tick of play asks for: the frames of motion whose time has come (the last of them to be
// drawn), and when the next tick is due. A stale tick, of a play since stopped, asks for nothing
// and schedules nothing.
struct PlayTick {
    bool live;
    int frames;
    int msToNext; // at least 1
};
PlayTick playTick(int generation, double now);

// Milliseconds from `now` until the next frame is due, at least 1.
int msToNextFrame(double now);
