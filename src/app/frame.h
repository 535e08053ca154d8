// One frame: the motion moved on (only 's' and play do that), and the picture of the instant the
// motion has reached handed to the drawing.
#pragma once

// StepsPerFrame steps of motion and one sample of the history.
void advanceFrame();

// The chain, the captions and the chart at the instant the motion has reached.
void drawFrame();

// 's': one frame of motion, then drawn.
void stepFrame();
