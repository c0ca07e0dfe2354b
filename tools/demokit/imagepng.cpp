#include "imagepng.h"

#include "app/pngwriter.h"
#include "gfx/image.h"

#include "rir2/exception.h"

#include <fstream>

namespace demokit
{

std::vector<uint8_t> imageRGBA(Image* pImage)
{
    const int nW = pImage->getWidth();
    const int nH = pImage->getHeight();
    std::vector<uint8_t> abPixels((size_t)nW * nH * 4);
    for (int y = 0; y < nH; ++y)
        for (int x = 0; x < nW; ++x)
        {
            const Color c = pImage->getPixelAt(x, y);
            uint8_t* p = &abPixels[((size_t)y * nW + x) * 4];
            p[0] = (uint8_t)c.r;
            p[1] = (uint8_t)c.g;
            p[2] = (uint8_t)c.b;
            p[3] = (uint8_t)c.a;
        }
    return abPixels;
}

void writeImagePng(const std::string& sPath, Image* pImage)
{
    const std::vector<uint8_t> abPng =
        encodePng(pImage->getWidth(), pImage->getHeight(), 4, imageRGBA(pImage).data());
    std::ofstream out(sPath, std::ios::binary);
    out.write((const char*)abPng.data(), (std::streamsize)abPng.size());
    if (!out)
        RIR_THROW(FileAccessException, sPath.c_str());
}

} // namespace demokit
