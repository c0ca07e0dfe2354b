// framesheet: draws framed tables of the game's theme into PNG sheets.
//
//     framesheet <game folder> <output folder>
//
// Opens the packs of the game folder the way the game does (those the theme needs: the language,
// interface and sound packs), loads "dolly.theme" with the game's TrueType fonts, and lays out a
// few tables the way dialogs do: a title, wrapped body text and a button, in each frame style of
// the theme and at several sizes, from a one-word slip to a wide banner. The theme frames them
// (it is the tables' frame builder once the application makes it current). Every sprite of the
// mode is then drawn in z order onto a backdrop of the saloon's dark wood: "panels.png". The
// frames drawn as single pictures (Theme::renderFrame) go to "frames.png". Prints
// "framesheet: <n> framed tables, <m> frame pictures"; a failure prints its class and message and
// exits 1.
#include "imagepng.h"
#include "sheetapp.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const int GAP = 24;
const Color BACKDROP(62, 38, 22, 255);

// The text in the theme font, wrapped to the width, as a picture just large enough.
RIR::SmartPtr<Image> textPicture(GameApp* pApp, Theme* pTheme, const char* pszFont,
                                 const char* pszText, int nWrap)
{
    RIR::SmartPtr<Font> pFont = pTheme->getFont(pszFont);
    RIR::SmartPtr<Image> pScratch = pApp->createImage(nWrap, 400, true);
    pScratch->fill(Color(0, 0, 0, 0));
    Rect area(0, 0, nWrap, 400);
    pFont->drawText(pScratch, area, pszText);
    const int nW = std::max(1, std::min(nWrap, (int)(area.right - area.left)));
    const int nH = std::max(1, std::min(400, (int)(area.bottom - area.top)));
    // Centred text reports its own extent; the picture keeps the wrap width then.
    const bool bCentred = (pFont->getAlignment() & 4) != 0;
    return pScratch->createSubImage(0, 0, bCentred ? nWrap : nW, nH, true);
}

struct Panel
{
    const char* pszStyle;
    const char* pszFont;  // of the body text
    const char* pszTitle; // null: no title row
    const char* pszBody;
    int nWrap;
    const char* pszButton; // null: no button row
};

// A dialog-like table of the panel in the mode, not yet placed.
RIR::SmartPtr<Table> makeTable(GameApp* pApp, Theme* pTheme, GameMode* pMode, const Panel& panel)
{
    RIR::SmartPtr<Table> pTable = new Table(pMode);
    pTable->setVSpacing(8);
    if (panel.pszTitle)
    {
        pTable->newRow();
        pTable->add(
            RIR::SmartPtr<IVisualObject>(new Sprite(
                textPicture(pApp, pTheme, "Theme::DialogTitle", panel.pszTitle, panel.nWrap), 0, 0,
                0)),
            0x24);
    }
    pTable->newRow();
    pTable->add(RIR::SmartPtr<IVisualObject>(new Sprite(
                    textPicture(pApp, pTheme, panel.pszFont, panel.pszBody, panel.nWrap), 0, 0, 0)),
                0x24);
    if (panel.pszButton)
    {
        pTable->newRow();
        pTable->add(RIR::SmartPtr<IVisualObject>(new Sprite(
                        pTheme->getButtonImage(panel.pszButton, BS_NORMAL, -1, ""), 0, 0, 0)),
                    0x24);
    }
    pTable->setFrame(panel.pszStyle);
    return pTable;
}

// The outer size of a framed table: its content, the style's borders, snapped.
void framedSize(Theme* pTheme, Table* pTable, const char* pszStyle, int* pnW, int* pnH)
{
    const Rect b = pTheme->getFrameBorders(pszStyle);
    *pnW = pTable->getWidth() + b.left + b.right;
    *pnH = pTable->getHeight() + b.top + b.bottom;
    pTheme->snapFrameSize(pnW, pnH, pszStyle);
}

// Every visible sprite of the mode drawn in z order (stable for equal z) onto the sheet.
void drawMode(GameMode* pMode, Image* pSheet)
{
    RIR::List<RIR::SmartPtr<Sprite>> lSprites = pMode->getSprites();
    std::vector<Sprite*> sprites;
    for (int i = 0; i < lSprites.getLength(); ++i)
        sprites.push_back(lSprites.get(i).get());
    std::stable_sort(sprites.begin(), sprites.end(),
                     [](Sprite* a, Sprite* b) { return a->getZOrder() < b->getZOrder(); });
    for (Sprite* pSprite : sprites)
    {
        RIR::SmartPtr<Image> pImage = pSprite->getDisplayImage();
        if (!pSprite->isVisible() || !pImage)
            continue;
        int nX = 0;
        int nY = 0;
        pSprite->getPos(&nX, &nY);
        pSheet->blit(pImage.get(), nX, nY);
    }
}

int run(const std::string& sGame, const std::string& sOut)
{
    demokit::beginSheetRun(sOut, "framesheet");
    int nTables = 0;
    int nFrames = 0;
    {
        demokit::SheetApp sheet(sGame);
        GameApp& app = sheet.app();
        RIR::SmartPtr<Theme> pTheme = app.getTheme();

        const Panel panels[] = {
            {"", "Theme::Default", "Howdy, stranger!",
             "The saloon opens at sundown. Keep the glasses full, the piano playing and the "
             "sheriff happy, and Dolly's place will be the talk of the territory.",
             320, "Saddle up"},
            {"Plain", "Theme::Default", nullptr, "Out of whiskey! The next wagon comes on Tuesday.",
             260, "OK"},
            {"", "Theme::Default", nullptr, "Bar", 40, nullptr},
            {"System::DefaultFrame", "Dolly::UI", "Plain grey",
             "The frame every theme has, even without a file.", 220, nullptr},
            {"", "Theme::Default", nullptr,
             "Wanted: one piano player who can keep a tune through a bar fight.", 620, nullptr},
            {"Plain", "Theme::Default", "Tiny", "Hi", 70, nullptr},
        };

        GameMode mode;
        std::vector<RIR::SmartPtr<Table>> tables;
        const int nSheetW = 1000;
        int nX = GAP;
        int nY = GAP;
        int nRowH = 0;
        for (const Panel& panel : panels)
        {
            RIR::SmartPtr<Table> pTable = makeTable(&app, pTheme.get(), &mode, panel);
            int nW = 0;
            int nH = 0;
            framedSize(pTheme.get(), pTable.get(), panel.pszStyle, &nW, &nH);
            if (nX + nW + GAP > nSheetW && nX > GAP)
            {
                nX = GAP;
                nY += nRowH + GAP;
                nRowH = 0;
            }
            // The content goes where the frame's top-left corner lands at (nX, nY); a snapped
            // frame is centred on the content, so go by the panel's own position.
            pTable->setPos(nX, nY);
            RIR::SmartPtr<Table> pPanel = pTable->getFrameTable();
            if (pPanel)
            {
                const Point corner = pPanel->getPosPoint();
                pTable->setPos(2 * nX - (int)corner.x, 2 * nY - (int)corner.y);
            }
            nX += nW + GAP;
            nRowH = std::max(nRowH, nH);
            tables.push_back(pTable);
            ++nTables;
        }
        const int nSheetH = nY + nRowH + GAP;
        RIR::SmartPtr<Image> pSheet = app.createImage(nSheetW, nSheetH, true);
        pSheet->fill(BACKDROP);
        drawMode(&mode, pSheet.get());
        demokit::writeImagePng(sOut + "/panels.png", pSheet.get());

        // The frames as single pictures, a row per style.
        const char* const styles[] = {"", "Plain", "System::DefaultFrame"};
        const int sizes[][2] = {{120, 80}, {260, 140}, {400, 60}, {60, 200}};
        std::vector<std::vector<RIR::SmartPtr<Image>>> rows;
        int nFramesW = GAP;
        int nFramesH = GAP;
        for (const char* pszStyle : styles)
        {
            std::vector<RIR::SmartPtr<Image>> row;
            int nW = GAP;
            int nH = 0;
            for (const auto& size : sizes)
            {
                RIR::SmartPtr<Image> pFrame = pTheme->renderFrame(size[0], size[1], pszStyle);
                row.push_back(pFrame);
                nW += pFrame->getWidth() + GAP;
                nH = std::max(nH, pFrame->getHeight());
                ++nFrames;
            }
            nFramesW = std::max(nFramesW, nW);
            nFramesH += nH + GAP;
            rows.push_back(row);
        }
        RIR::SmartPtr<Image> pFrames = app.createImage(nFramesW, nFramesH, true);
        pFrames->fill(BACKDROP);
        int y = GAP;
        for (const auto& row : rows)
        {
            int x = GAP;
            int nH = 0;
            for (const auto& pFrame : row)
            {
                pFrames->blit(pFrame.get(), x, y);
                x += pFrame->getWidth() + GAP;
                nH = std::max(nH, pFrame->getHeight());
            }
            y += nH + GAP;
        }
        demokit::writeImagePng(sOut + "/frames.png", pFrames.get());

        for (auto& pTable : tables)
        {
            pTable->destroyContents();
            pTable.release();
        }
        rows.clear();
        pTheme.release();
    }
    demokit::endSheetRun();
    std::printf("framesheet: %d framed tables, %d frame pictures\n", nTables, nFrames);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: framesheet <game folder> <output folder>\n");
        return 2;
    }
    try
    {
        return run(argv[1], argv[2]);
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "framesheet: %s: %s\n", e.getClassName(), e.getMessage());
        return 1;
    }
}
