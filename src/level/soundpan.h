// Sound panning by screen position.
//
// A saloon sound is played at the screen x of its source: 0 is full left, 800 full right, and
// NO_PANNING (-1000) leaves the channel's panning alone.
#ifndef DBD_LEVEL_SOUNDPAN_H
#define DBD_LEVEL_SOUNDPAN_H

enum
{
    NO_PANNING = -1000
};

// x clamped to 0..800, then (int)(x / 800 x 255) clamped to 0..255: 400 gives 127.
int panForX(int nX);

#endif
