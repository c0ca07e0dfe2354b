// The image table on the SDL back-end: every image operation, run on SDLImage over SDL's dummy
// video driver with the test kit's display formats.
#include "../gfx/test_image_blit_table.h"
#include "../gfx/test_image_geometry_table.h"
#include "../gfx/test_image_load_table.h"
#include "../gfx/test_image_pixels_table.h"
#include "sdlimagetestenv.h"

struct SDLImageBackend
{
    static ImageFactory* createFactory() { return new TestSDLImageFactory(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(SDL, ImageGeometry, SDLImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(SDL, ImageLoad, SDLImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(SDL, ImagePixels, SDLImageBackend);
INSTANTIATE_TYPED_TEST_SUITE_P(SDL, ImageBlit, SDLImageBackend);
