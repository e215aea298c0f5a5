#include "formats/JpegSettings.h"

TJPEGSettings DefaultJpegSettings;
