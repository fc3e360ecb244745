// Reads the virtual card's picture back from a frame: luma probes, a
// measure of snow, and the text lines matched against the card's font.
#pragma once
#include "FrameGrabber.h"

#include <string>

int LumaAt(const Frame& frame, int x, int y);
// Mean luma over a rectangle.
double MeanLuma(const Frame& frame, const RECT& area);
// Mean difference between horizontal neighbours: near 0 on a flat bar,
// tens on snow.
double Roughness(const Frame& frame, const RECT& area);
// Inside the first colour bar, clear of its edges.
RECT FirstBarArea(const Frame& frame);
// Text line 0, 1 or 2 as the picture writes it.
std::string ReadLine(const Frame& frame, int line);
