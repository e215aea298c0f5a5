#include "platform/SystemMetrics.h"

namespace platform {

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXICON:
        case SM_CYICON:
            return 32;
        case SM_CXVSCROLL:
            return 17;
        default:
            return 0;
    }
}

}  // namespace platform
