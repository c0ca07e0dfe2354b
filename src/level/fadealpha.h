// The fade of a rising text: which alpha variant ("<name>_alpha<level>") it shows.
//
// A fade text's life is cut into ten equal slices; it shows alpha level 225 in the first, then
// 200, 175, ... down to 0 in the last tenth.
#ifndef DBD_LEVEL_FADEALPHA_H
#define DBD_LEVEL_FADEALPHA_H

// 225 - ((int)(elapsed x 100 / duration) / 10) x 25, kept within 0..225 (before the start it is
// 225, from the end on 0; a duration of 0 or less counts as over).
int fadeAlphaLevel(float fElapsed, float fDuration);

#endif
