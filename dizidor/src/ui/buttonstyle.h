// ButtonStyle: one named look of the theme's buttons.
//
// A plain record that the theme fills from its file and reads when it composes a button image
// (ui/theme.h). Its arrays are indexed by ButtonState. The theme owns its styles.
#ifndef DIZIDOR_UI_BUTTONSTYLE_H
#define DIZIDOR_UI_BUTTONSTYLE_H

#include "app/iaudiodriver.h"
#include "gfx/color.h"
#include "gfx/image.h"

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

// The four looks of a button; BS_COUNT is also "every state" for the theme's setters.
enum ButtonState
{
    BS_NORMAL = 0,
    BS_PRESSED = 1,
    BS_HIGHLIGHTED = 2,
    BS_DISABLED = 3,
    BS_COUNT = 4
};

struct ButtonStyle
{
    // Caption font "" (the theme's "Theme::Button"), no picture, caption offset (3, 3) when
    // pressed and 0 otherwise, white captions, no resizing, caps 0, no tiling, margin 20; the
    // events "clicked" and "highlighted" present with no sound and not set.
    ButtonStyle();

    ButtonStyle(const ButtonStyle&) = delete;
    ButtonStyle& operator=(const ButtonStyle&) = delete;

    RIR::String sFont[BS_COUNT];
    RIR::SmartPtr<Image> pImage[BS_COUNT];
    int nTextDX[BS_COUNT];
    int nTextDY[BS_COUNT];
    Color cTextColor[BS_COUNT];
    bool bUseTextColor[BS_COUNT];
    bool bResize;
    int nCapLeft;
    int nCapRight;
    bool bTileCenter;
    int nTextMargin;
    RIR::Hash<RIR::String, RIR::List<RIR::SmartPtr<Sample>>> hSounds;
    RIR::Hash<RIR::String, bool> hSoundSet;
};

#endif
