#include "gfx/imagefactory.h"

ImageFactory::~ImageFactory() {}
