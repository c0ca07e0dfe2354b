// The image table on the in-memory back-end of the test kit.
#include "test_image_blit_table.h"
#include "test_image_geometry_table.h"
#include "test_image_load_table.h"
#include "test_image_pixels_table.h"
#include "testkit/memimagefactory.h"

struct MemImageBackend
{
    static ImageFactory* createFactory() { return new MemImageFactory(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Mem, ImageGeometry, MemImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Mem, ImageLoad, MemImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Mem, ImagePixels, MemImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(Mem, ImageBlit, MemImageBackend);
