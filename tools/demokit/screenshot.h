// A demo's last frame written to a file.
#pragma once

#include <string>

class D3D7VideoDriver;
struct FrameCapture;

namespace demokit
{

// How a screenshot is written.
enum ScreenshotFormat
{
    SHOT_PNG,        // always PNG
    SHOT_BMP_BY_NAME // BMP (through SDL) when the name ends in ".bmp", else PNG
};

// Writes the capture as 24-bit pixels; false when the file cannot be written.
bool writeScreenshot(const FrameCapture& capture, const std::string& sPath,
                     ScreenshotFormat eFormat);

// Takes the frame pVideo captured and writes it to sPath. On failure prints
// "<pszProgram>: <pszDisplay> keeps no pixels: no screenshot" (no capture) or
// "<pszProgram>: cannot write <sPath>" to standard error and returns false.
bool saveScreenshot(const char* pszProgram, D3D7VideoDriver* pVideo, const std::string& sPath,
                    const std::string& sDisplay, ScreenshotFormat eFormat);

} // namespace demokit
