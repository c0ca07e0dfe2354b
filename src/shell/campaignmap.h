// The campaign map's pictures: where each town's star marker stands, how strongly a side's
// overlay shows, the frame around the map and the hit test of the towns.
//
// Every town has a full-screen overlay picture per side ("map_p_<n>" for the player, "map_c_<n>"
// for the computer), placed at (0, 0) and opaque only over the town's area; the player's overlays
// also serve as the hit masks of every town, whoever holds it.
//
//     int nCity = campaignCityAt(pApp, x, y);       // -1 outside every town
//     buildCampaignMapFrame(pMode, 600 - nMenuHeight);
#ifndef DBD_SHELL_CAMPAIGNMAP_H
#define DBD_SHELL_CAMPAIGNMAP_H

#include "gfx/point.h"

class GameApp;
class GameMode;

// The star marker of the town (0..19) on the 800 x 600 screen; (0, 0) outside.
Point getCityMarker(int nCity);
// The factor an overlay's alpha is multiplied by when its side has nStars (1..5) there: 51, 102,
// 153, 204, 255; 0 outside.
int getOverlayStrength(int nStars);
// The first town whose "map_p_<n>" picture holds the point inside its stored pixels (left and
// top included) at a pixel that is not fully transparent; -1 when none.
int campaignCityAt(GameApp* pApp, int nX, int nY);
// Adds the frame around the map area of height nMapHeight to the mode: "borde_v" repeated down
// both sides and "borde_h" across top and bottom (depth 3), the corner "borde_e" mirrored into
// the four corners (depth 4). Returns the number of sprites added.
int buildCampaignMapFrame(GameMode* pMode, int nMapHeight);

#endif
