#pragma once

// Fixes the JPEG decoding depth from the screen depth and registers the JPEG kind's extensions for JPEG
// pictures. Must run before any window description is read. Calling it again changes nothing.
void RegisterJpegFormats();

// Removes both extensions again.
void UnregisterJpegFormats();
