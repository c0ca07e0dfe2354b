#include "gfx/imageptrarraywrapper.h"

ImagePtrArrayWrapper::ImagePtrArrayWrapper(RIR::SmartPtr<Image>* apImages) : m_apImages(apImages) {}

ImagePtrArrayWrapper::~ImagePtrArrayWrapper()
{
    delete[] m_apImages;
}
