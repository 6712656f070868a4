#pragma once
#include <string>

#include "formats/Picture.h"

// Largest side of a picture read: far more than any material takes, small enough that a
// hostile header cannot ask for gigabytes.
constexpr int kMaxPictureSide = 8192;

// Reads a PNG picture of any colour type and depth as RGBA. Raises EInOutError naming the
// file when it is not a PNG picture, is damaged or cut short, or a side is 0 or over
// kMaxPictureSide pixels.
TPicture ReadPng(const std::string& path);
