#pragma once
#include <cstdint>
#include <vector>

// Whether `profile` is a whole ICC profile for RGB pixels: its declared length is its size, the
// header's signature is there, and its data colour space is RGB. Writers embed only such profiles:
// ours are RGB files, and a grey or CMYK profile (or a damaged one) would misdescribe them.
bool IsRgbProfile(const std::vector<std::uint8_t>& profile);
