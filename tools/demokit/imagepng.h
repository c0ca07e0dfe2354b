// Pictures written to PNG files by the sheet tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Image;

namespace demokit
{

// The RGBA bytes of the picture's canvas, row by row.
std::vector<uint8_t> imageRGBA(Image* pImage);

// Writes the picture to sPath as RGBA PNG; raises FileAccessException naming sPath when the
// file cannot be written.
void writeImagePng(const std::string& sPath, Image* pImage);

} // namespace demokit
