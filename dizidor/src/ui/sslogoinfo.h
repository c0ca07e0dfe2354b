// SSLogoInfo: one logo of the splash screen, a plain record the splash screen owns.
#ifndef DIZIDOR_UI_SSLOGOINFO_H
#define DIZIDOR_UI_SSLOGOINFO_H

#include "rir2/rirstring.h"

// What a logo shows.
enum SSLogoType
{
    SSLT_PICTURE = 0, // a picture that fades in, stays and fades out
    SSLT_FLASH = 1,   // a Flash movie (".flv")
    SSLT_VIDEO = 2    // a Theora video (".ogv")
};

struct SSLogoInfo
{
    RIR::String m_sName;       // picture name (SSLT_PICTURE) or movie file name
    int m_eType = SSLT_PICTURE;
    float m_fFadeInRate = 0;   // alpha units per second while fading in
    float m_fHold = 0;         // seconds the picture stays fully shown
    float m_fFadeOutRate = 0;  // alpha units per second while fading out
    RIR::String m_sMusic;      // music started with a picture logo; "" for none
};

#endif
