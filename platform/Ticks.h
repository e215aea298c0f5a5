#pragma once
#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the system tick count.
std::uint32_t GetTickCount();

// Blocks the calling thread for `milliseconds`.
void Sleep(std::uint32_t milliseconds);

}  // namespace platform
