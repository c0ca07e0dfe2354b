// The saloon demo on a real saloon: the game's packs opened beside the demo, and a scene file of
// the packs loaded with its tables, as the level does.
//
//     saloon-demo --scene N [--tables K] [--game-dir DIR]
//
// The packs come from DIR, by default the build's game/ folder, in the game's order. The scene is
// "scene<N>.scene"; the tables are placed at the level's places for K tables (1, 3, 4 or 5; by
// default 1 on day 0, 4 before day 15 and 5 from then on), the chairs of the one-table day's side
// tables kept out of use.
#ifndef DBD_TOOLS_SALOONDEMO_SCENEDEMO_H
#define DBD_TOOLS_SALOONDEMO_SCENEDEMO_H

#include "world/scene.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include <memory>
#include <string>

// Adds every pack of the game found in the folder to the application, in the game's order; the
// number added.
int addGamePacks(GameApp& app, const std::string& sFolder);

// An application without a window, with the in-memory image back-end, for headless runs on a
// real scene.
std::unique_ptr<GameApp> makeHeadlessApp(const std::string& sPackFolder);

// The tables the level places on that day when no count is given.
int defaultTableCount(int nScene);

// Reads "scene<N>.scene" into the scene and places nTables tables (1, 3, 4 or 5; others fail with
// "Assertion failed : nTables == 5"). With a screen, the empty wanted poster hangs at its place,
// as the level shows it.
void loadDemoScene(Scene* pScene, int nScene, int nTables, GameMode* pScreen);

#endif
