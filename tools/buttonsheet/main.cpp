// buttonsheet: draws every state of every button style of the game's theme into PNG files.
//
//     buttonsheet <game folder> <output folder> [caption ...]
//
// Opens the packs of the game folder the way the game does (those the theme needs: the
// language, interface and sound packs), loads "dolly.theme" with the game's TrueType fonts, and
// writes, for each button style, state and caption, "<style>_<state>_<n>.png" (the "" style as
// "plain"), plus "sheet.png": every picture on a dark wooden backdrop, one row per style and
// caption, one column per state (normal, pushed, highlight, disabled), with the natural width
// and a fixed width of 200. The default captions are a short word, a long one and a string-table
// key. Prints "buttonsheet: <n> pictures"; a failure prints its class and message and exits 1.
#include "imagepng.h"
#include "sheetapp.h"

#include "app/gameapp.h"
#include "ui/theme.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const char* const STATES[BS_COUNT] = {"normal", "pushed", "highlight", "disabled"};
const int GAP = 8;

std::string fileName(const RIR::String& sStyle)
{
    std::string s = sStyle.length() ? sStyle.c_str() : "plain";
    for (char& c : s)
        if (!std::isalnum((unsigned char)c))
            c = '_';
    return s;
}

int run(int argc, char** argv)
{
    const std::string sGame = argv[1];
    const std::string sOut = argv[2];
    std::vector<std::string> captions;
    for (int i = 3; i < argc; ++i)
        captions.push_back(argv[i]);
    if (captions.empty())
        captions = {"OK", "Howdy, partner!", "GOD_BtnContinue"};

    demokit::beginSheetRun(sOut, "buttonsheet");
    int nCount = 0;
    {
        demokit::SheetApp sheet(sGame);
        GameApp& app = sheet.app();
        RIR::SmartPtr<Theme> pTheme = app.getTheme();
        RIR::List<RIR::String> lStyles = pTheme->getButtonStyleNames();
        std::vector<std::string> styles;
        for (int i = 0; i < lStyles.getLength(); ++i)
            styles.push_back(lStyles.get(i).c_str());
        std::sort(styles.begin(), styles.end());

        // Every picture, row by row, then the sheet that holds them.
        std::vector<std::vector<RIR::SmartPtr<Image>>> rows;
        for (const std::string& sStyle : styles)
            for (size_t c = 0; c < captions.size(); ++c)
                for (int nWidth : {-1, 200})
                {
                    std::vector<RIR::SmartPtr<Image>> row;
                    for (int nState = 0; nState < BS_COUNT; ++nState)
                    {
                        RIR::SmartPtr<Image> pImage = pTheme->getButtonImage(
                            captions[c].c_str(), nState, nWidth, sStyle.c_str());
                        row.push_back(pImage);
                        if (nWidth != -1)
                            continue;
                        const std::string sPath = sOut + "/" + fileName(sStyle.c_str()) + "_" +
                                                  STATES[nState] + "_" + std::to_string(c) + ".png";
                        demokit::writeImagePng(sPath, pImage.get());
                        ++nCount;
                    }
                    rows.push_back(row);
                }

        std::vector<int> columns(BS_COUNT, 0);
        int nHeight = GAP;
        for (const auto& row : rows)
        {
            int nRowH = 0;
            for (int i = 0; i < BS_COUNT; ++i)
            {
                columns[i] = std::max(columns[i], row[i]->getWidth());
                nRowH = std::max(nRowH, row[i]->getHeight());
            }
            nHeight += nRowH + GAP;
        }
        int nWidth = GAP;
        for (int w : columns)
            nWidth += w + GAP;
        RIR::SmartPtr<Image> pSheet = app.createImage(nWidth, nHeight, true);
        pSheet->fill(Color(74, 44, 24, 255));
        int y = GAP;
        for (const auto& row : rows)
        {
            int x = GAP;
            int nRowH = 0;
            for (int i = 0; i < BS_COUNT; ++i)
            {
                RIR::SmartPtr<Image> pCopy = row[i]->clone(false);
                pCopy->setInsPoint(0, 0);
                pSheet->blit(pCopy.get(), x, y);
                x += columns[i] + GAP;
                nRowH = std::max(nRowH, row[i]->getHeight());
            }
            y += nRowH + GAP;
        }
        demokit::writeImagePng(sOut + "/sheet.png", pSheet.get());
        pTheme.release();
    }
    demokit::endSheetRun();
    std::printf("buttonsheet: %d pictures\n", nCount);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: buttonsheet <game folder> <output folder> [caption ...]\n");
        return 2;
    }
    try
    {
        return run(argc, argv);
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "buttonsheet: %s: %s\n", e.getClassName(), e.getMessage());
        return 1;
    }
}
