#pragma once

namespace platform {

enum SystemMetric { SM_CXVSCROLL = 2, SM_CXICON = 11, SM_CYICON = 12 };

// The resolved system metrics of this stand-in: icons are 32 x 32, vertical scroll bars 17 wide;
// unknown indexes give 0.
int GetSystemMetrics(int index);

}  // namespace platform
