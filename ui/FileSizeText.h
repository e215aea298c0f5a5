#pragma once
#include <cstdint>
#include <string>

// The main window's size displays: this caption (in the interface's language), then the size in
// kilobytes beside it.
std::string FileSizeCaption();

// A byte count as the main window shows it: kilobytes rounded to the nearest integer (a tie goes
// to the even one); a missing file (-1) shows 0.
std::string KilobyteFigure(std::int64_t size);
// The figure followed by "  KB".
std::string KilobyteText(std::int64_t size);
