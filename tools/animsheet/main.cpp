// animsheet: every sequence of the packs' animations drawn frame by frame, for the contact sheets.
//
//     animsheet [--subjects-only] OUT_DIR SUBJECTS PACK.dat...
//
// The packs are opened once, in the order given (an earlier pack wins a name). SUBJECTS lists the
// things to draw, one a line ("#" starts a comment):
//
//     <title> <layer> [<layer> ...]
//
// A layer is "[part:]file[|parameter|...][@prefix]": an animation script or body template of the
// packs with its parameters "(0)", "(1)", ... (as the game passes them), the body part it dresses
// (0 right arm, 1 left arm, 2 torso, 3 legs, 4 head; none for a prop) and, for scripts that hold
// several layers as sequence families ("torso_idle", "lh_idle"), the family's prefix. The layers
// of a subject are stacked in the order listed, every frame on its insertion point, the way the
// game stacks a character's sprites. Arm layers play the arm's name of a facing ("walk_r_r_1s"
// for the right arm of "walk_r_1s"); a layer without the richer name (a variant suffix such as
// "_3_2" or "_carry_1") plays the plain one, and a layer whose sequence is shorter than the
// others holds its last frame (or starts again when it loops).
//
// Every script of the packs that no subject names is drawn on its own as well (templates need
// parameters, so only the ".anim" files; one that does not load without parameters is noted on
// standard error and skipped). Pictures (".png" entries) are copied out unchanged.
// --subjects-only draws the subjects and nothing else.
//
// Output in OUT_DIR: "strips/NNNNN.png", one strip per subject and sequence with the frames side
// by side in cells of one size (the origin, the insertion point, at the same place in each cell);
// "pictures/<pack>/<name>.png"; and "index.txt", one line per strip:
//     strip <file> <title> <sequence> <frames> <cell width> <cell height> <origin x> <origin y> <markers>
// where markers lists the frame properties as "<frame>:<key>[=<value>],..." ("-" for none), and
// one line per picture: "picture <file> <pack> <name>". A layer that fails to load is reported
// on standard error and left out; the exit code is then 1. The last line on standard output
// counts the strips, the pictures and the layers that failed.
#include "app/gameapp.h"
#include "app/pngwriter.h"
#include "gfx/animation.h"
#include "gfx/animationloader.h"
#include "gfx/image.h"
#include "gfx/imageenv.h"
#include "gfx/sequence.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resourcefile.h"
#include "platform/sdl/sdlimagefactory.h"
#include "testkit/fakeplatform.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{

const int PADDING = 2;

struct Layer
{
    int nPart = -1; // -1: not a body part
    std::string sSpec;
    std::string sPrefix;
    RIR::SmartPtr<Animation> pAnim;
};

bool isArm(int nPart) { return nPart == 0 || nPart == 1; }

bool isFacing(const std::string& s) { return s == "r" || s == "l" || s == "u" || s == "d"; }

std::vector<std::string> split(const std::string& s, char c)
{
    std::vector<std::string> l;
    std::string sWord;
    std::istringstream in(s);
    while (std::getline(in, sWord, c))
        l.push_back(sWord);
    if (!s.empty() && s.back() == c)
        l.push_back("");
    return l;
}

std::string join(const std::vector<std::string>& l, size_t nFrom, size_t nTo)
{
    std::string s;
    for (size_t i = nFrom; i < nTo && i < l.size(); ++i)
        s += (i > nFrom ? "_" : "") + l[i];
    return s;
}

// The subject's name of a layer's sequence: the arm's side code taken out ("walk_r_r_1s" of the
// right arm is "walk_r_1s"), the family prefix taken off; false when it is not the layer's.
bool subjectName(const Layer& layer, const std::string& sSeq, std::string* psName)
{
    if (sSeq.compare(0, layer.sPrefix.size(), layer.sPrefix) != 0)
        return false;
    *psName = sSeq.substr(layer.sPrefix.size());
    if (!isArm(layer.nPart))
        return true;
    const std::vector<std::string> l = split(*psName, '_');
    for (size_t i = 0; i + 1 < l.size(); ++i)
        if ((l[i] == "r" || l[i] == "l") && isFacing(l[i + 1]))
        {
            if (l[i] != (layer.nPart == 0 ? "r" : "l"))
                return false;
            std::vector<std::string> lOut(l.begin(), l.begin() + (long)i);
            lOut.insert(lOut.end(), l.begin() + (long)i + 1, l.end());
            *psName = join(lOut, 0, lOut.size());
            return true;
        }
    return true;
}

// The layer's sequence for the subject's name, falling back to fewer trailing words after the
// facing (the look variants), and for the body (not the arms) to standing in that facing; ""
// when it has none.
std::string layerSequence(const Layer& layer, const std::string& sName)
{
    if (sName.empty())
        return layer.pAnim->hasSequence(layer.sPrefix.c_str()) ? layer.sPrefix : "";
    std::vector<std::string> l = split(sName, '_');
    size_t nFacing = l.size();
    for (size_t i = 0; i < l.size(); ++i)
        if (isFacing(l[i]) && nFacing == l.size())
            nFacing = i;
    if (nFacing == l.size())
    {
        const std::string sSeq = layer.sPrefix + sName;
        return layer.pAnim->hasSequence(sSeq.c_str()) ? sSeq : "";
    }
    const std::string sFacing = l[nFacing];
    if (isArm(layer.nPart))
        l.insert(l.begin() + (long)nFacing, layer.nPart == 0 ? "r" : "l");
    const size_t nLast = nFacing + (isArm(layer.nPart) ? 1 : 0);
    for (size_t n = l.size(); n > nLast; --n)
    {
        const std::string sSeq = layer.sPrefix + join(l, 0, n);
        if (layer.pAnim->hasSequence(sSeq.c_str()))
            return sSeq;
    }
    const std::string sStand = layer.sPrefix + "stand_" + sFacing;
    if (layer.nPart >= 2 && layer.pAnim->hasSequence(sStand.c_str()))
        return sStand;
    return "";
}

RIR::SmartPtr<Animation> loadLayer(const std::string& sSpec)
{
    RIR_TRACE("loadLayer");
    const std::vector<std::string> lWords = split(sSpec, '|');
    RIR::List<RIR::String> lParams;
    for (size_t i = 1; i < lWords.size(); ++i)
    {
        std::string sParam = lWords[i];
        std::replace(sParam.begin(), sParam.end(), '~', ' ');
        lParams.append(RIR::String(sParam.c_str()));
    }
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    pLoader->setParams(lParams);
    return pLoader->load(lWords[0].c_str());
}

// "[part:]layer[@prefix]".
Layer parseLayer(const std::string& sWord)
{
    Layer layer;
    std::string s = sWord;
    if (s.size() > 2 && s[1] == ':' && s[0] >= '0' && s[0] <= '4')
    {
        layer.nPart = s[0] - '0';
        s = s.substr(2);
    }
    const size_t nAt = s.find('@');
    if (nAt != std::string::npos)
    {
        layer.sPrefix = s.substr(nAt + 1);
        s = s.substr(0, nAt);
    }
    layer.sSpec = s;
    return layer;
}

// Pixels as straight RGBA bytes, row by row.
struct Pixels
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> ab;
};

// A picture's whole canvas read once (reading pixel by pixel through the image is slow), with
// its pending mirroring paid.
const Pixels& canvasOf(Image* pImage, std::map<Image*, Pixels>* pCache)
{
    auto it = pCache->find(pImage);
    if (it != pCache->end())
        return it->second;
    Pixels& px = (*pCache)[pImage];
    pImage->applyPendingChanges();
    px.nWidth = pImage->getWidth();
    px.nHeight = pImage->getHeight();
    px.ab.assign((size_t)px.nWidth * px.nHeight * 4, 0);
    int nOffX = 0;
    int nOffY = 0;
    pImage->getCanvasOffset(&nOffX, &nOffY);
    pImage->lock();
    for (int y = 0; y < pImage->getPhysicalHeight(); ++y)
        for (int x = 0; x < pImage->getPhysicalWidth(); ++x)
        {
            const int nX = x + nOffX;
            const int nY = y + nOffY;
            if (nX < 0 || nY < 0 || nX >= px.nWidth || nY >= px.nHeight)
                continue;
            const Color c = pImage->getPixel(x, y);
            uint8_t* p = &px.ab[((size_t)nY * px.nWidth + nX) * 4];
            p[0] = (uint8_t)c.r;
            p[1] = (uint8_t)c.g;
            p[2] = (uint8_t)c.b;
            p[3] = (uint8_t)c.a;
        }
    pImage->unlock();
    return px;
}

// Draws src over dst with its top-left corner at (nX, nY) ("over" composition).
void blend(Pixels& dst, const Pixels& src, int nX, int nY)
{
    for (int y = 0; y < src.nHeight; ++y)
    {
        const int nDY = y + nY;
        if (nDY < 0 || nDY >= dst.nHeight)
            continue;
        for (int x = 0; x < src.nWidth; ++x)
        {
            const int nDX = x + nX;
            if (nDX < 0 || nDX >= dst.nWidth)
                continue;
            const uint8_t* s = &src.ab[((size_t)y * src.nWidth + x) * 4];
            if (s[3] == 0)
                continue;
            uint8_t* d = &dst.ab[((size_t)nDY * dst.nWidth + nDX) * 4];
            const int nSA = s[3];
            const int nDA = d[3] * (255 - nSA) / 255;
            const int nA = nSA + nDA;
            for (int c = 0; c < 3; ++c)
                d[c] = (uint8_t)((s[c] * nSA + d[c] * nDA) / nA);
            d[3] = (uint8_t)nA;
        }
    }
}

void writePng(const std::string& sPath, const Pixels& px)
{
    const std::vector<uint8_t> abPng = encodePng(px.nWidth, px.nHeight, 4, px.ab.data());
    std::ofstream out(sPath, std::ios::binary);
    out.write((const char*)abPng.data(), (std::streamsize)abPng.size());
}

class SheetWriter
{
public:
    explicit SheetWriter(const std::string& sOut) : m_sOut(sOut), m_index(sOut + "/index.txt")
    {
    }

    int failures() const { return m_nFailures; }
    int strips() const { return m_nStrips; }
    std::ofstream& index() { return m_index; }

    // Draws every sequence of the subject; the scripts it loaded go into pLoaded.
    // bStandalone: a script drawn on its own, whose failure to load is only noted.
    void subject(const std::string& sTitle, std::vector<Layer> lLayers,
                 std::set<std::string>* pLoaded, bool bStandalone = false)
    {
        RIR_TRACE("SheetWriter::subject");
        std::vector<Layer> lGood;
        for (Layer& layer : lLayers)
        {
            pLoaded->insert(split(layer.sSpec, '|')[0]);
            try
            {
                layer.pAnim = loadLayer(layer.sSpec);
                lGood.push_back(layer);
            }
            catch (const RIR::Exception& e)
            {
                std::fprintf(stderr, "animsheet: %s: %s: %s%s\n", sTitle.c_str(),
                             layer.sSpec.c_str(), e.getMessage(),
                             bStandalone ? " (skipped: it may need parameters)" : "");
                if (!bStandalone)
                    ++m_nFailures;
            }
        }
        std::set<std::string> names;
        for (const Layer& layer : lGood)
        {
            const RIR::List<RIR::String> lSeqs = layer.pAnim->getSequenceNames();
            for (int i = 0; i < lSeqs.getLength(); ++i)
            {
                // A shadow's own sequences (the heroine's, under a customer) show nothing.
                std::string sName;
                if (subjectName(layer, lSeqs.get(i).c_str(), &sName) &&
                    (lGood.size() == 1 ||
                     !layer.pAnim->getSequence(lSeqs.get(i).c_str())->hasProp("isshadow", true)))
                    names.insert(sName);
            }
        }
        for (const std::string& sName : names)
            strip(sTitle, sName, lGood);
        // The subject's animations go with it, and a new picture may take a freed one's address.
        m_hPixels.clear();
    }

private:
    void strip(const std::string& sTitle, const std::string& sName, const std::vector<Layer>& lLayers)
    {
        std::vector<Sequence*> lSeqs;
        std::vector<int> lParts;
        int nFrames = 0;
        for (const Layer& layer : lLayers)
        {
            const std::string sSeq = layerSequence(layer, sName);
            if (sSeq.empty())
                continue;
            RIR::SmartPtr<Sequence> pSeq = layer.pAnim->getSequence(sSeq.c_str());
            if (!pSeq || pSeq->getFrameCount() == 0)
                continue;
            lSeqs.push_back(pSeq.get());
            lParts.push_back(layer.nPart);
            nFrames = std::max(nFrames, pSeq->getFrameCount());
        }
        if (nFrames == 0)
            return;
        // The union of the frames' canvases around the insertion point.
        int nLeft = 0, nTop = 0, nRight = 1, nBottom = 1;
        auto frameOf = [&](Sequence* pSeq, int i) {
            const int n = pSeq->getFrameCount();
            return pSeq->getFrames().get(pSeq->getLoop() ? i % n : std::min(i, n - 1));
        };
        for (Sequence* pSeq : lSeqs)
            for (int i = 0; i < pSeq->getFrameCount(); ++i)
            {
                Image* pImage = pSeq->getFrames().get(i)->getImage().get();
                if (!pImage)
                    continue;
                nLeft = std::min(nLeft, -pImage->getInsPointX());
                nTop = std::min(nTop, -pImage->getInsPointY());
                nRight = std::max(nRight, pImage->getWidth() - pImage->getInsPointX());
                nBottom = std::max(nBottom, pImage->getHeight() - pImage->getInsPointY());
            }
        // The game draws a character's layers by depth: the shadow on the floor, then by "zdelta".
        std::vector<size_t> lOrder;
        for (size_t n = 0; n < lSeqs.size(); ++n)
            lOrder.push_back(n);
        auto depth = [&](size_t n) {
            if (lSeqs[n]->hasProp("isshadow", true))
                return -100000;
            return std::atoi(lSeqs[n]->getProp("zdelta").c_str());
        };
        std::stable_sort(lOrder.begin(), lOrder.end(),
                         [&](size_t a, size_t b) { return depth(a) < depth(b); });
        // While sitting down and getting up the game moves the head by the sitting offsets (it
        // is one still picture); seated, it stays where sitting down left it.
        std::vector<std::pair<int, int>> lHeadOffsets(nFrames, {0, 0});
        const int nSitFrames = (int)m_lSitOffsets.size();
        const bool bSitDown = sName.compare(0, 8, "sitdown_") == 0;
        const bool bStandUp = sName.compare(0, 8, "standup_") == 0;
        const bool bSeated = isSeated(sName);
        if (nSitFrames == 9 && (bSitDown || bStandUp || bSeated))
        {
            const std::vector<std::string> lWords = split(sName, '_');
            const int nSide = std::find(lWords.begin(), lWords.end(), "l") != lWords.end() ? -1 : 1;
            for (int i = 0; i < nFrames; ++i)
            {
                const int k = bSeated ? 8 : std::min(i, 8);
                const std::pair<int, int>& o = m_lSitOffsets[bStandUp ? 8 - k : k];
                lHeadOffsets[i] = {o.first * nSide, o.second};
            }
            nTop -= 40;
            nLeft -= 40;
            nRight += 40;
        }
        const int nCellW = nRight - nLeft + PADDING * 2;
        const int nCellH = nBottom - nTop + PADDING * 2;
        const int nOriginX = -nLeft + PADDING;
        const int nOriginY = -nTop + PADDING;
        Pixels strip;
        strip.nWidth = nCellW * nFrames;
        strip.nHeight = nCellH;
        strip.ab.assign((size_t)strip.nWidth * strip.nHeight * 4, 0);
        std::string sMarkers;
        for (int i = 0; i < nFrames; ++i)
        {
            for (size_t n : lOrder)
            {
                Sequence* pSeq = lSeqs[n];
                RIR::SmartPtr<FrameData> pFrame = frameOf(pSeq, i);
                const int nDx = lParts[n] == 4 ? lHeadOffsets[i].first : 0;
                const int nDy = lParts[n] == 4 ? lHeadOffsets[i].second : 0;
                Image* pImage = pFrame->getImage().get();
                if (pImage)
                    blend(strip, canvasOf(pImage, &m_hPixels),
                          i * nCellW + nOriginX + nDx - pImage->getInsPointX(),
                          nOriginY + nDy - pImage->getInsPointY());
                if (i >= pSeq->getFrameCount())
                    continue;
                RIR::List<RIR::String> lKeys = pFrame->getPropNames();
                for (int k = 0; k < lKeys.getLength(); ++k)
                {
                    const RIR::String sValue = pFrame->getProp(lKeys.get(k).c_str());
                    std::string sMarker = std::to_string(i) + ":" + lKeys.get(k).c_str();
                    if (sValue.length() > 0)
                        sMarker += std::string("=") + sValue.c_str();
                    if (sMarkers.find(sMarker) == std::string::npos)
                        sMarkers += (sMarkers.empty() ? "" : ",") + sMarker;
                }
            }
        }
        // Cells cut down to what the frames cover (and the origin), the same for every frame.
        int nX0 = nOriginX, nY0 = nOriginY, nX1 = nOriginX + 1, nY1 = nOriginY + 1;
        for (int y = 0; y < strip.nHeight; ++y)
            for (int x = 0; x < strip.nWidth; ++x)
                if (strip.ab[((size_t)y * strip.nWidth + x) * 4 + 3])
                {
                    const int nCX = x % nCellW;
                    nX0 = std::min(nX0, nCX);
                    nX1 = std::max(nX1, nCX + 1);
                    nY0 = std::min(nY0, y);
                    nY1 = std::max(nY1, y + 1);
                }
        nX0 = std::max(0, nX0 - PADDING);
        nY0 = std::max(0, nY0 - PADDING);
        nX1 = std::min(nCellW, nX1 + PADDING);
        nY1 = std::min(nCellH, nY1 + PADDING);
        Pixels cut;
        cut.nWidth = (nX1 - nX0) * nFrames;
        cut.nHeight = nY1 - nY0;
        cut.ab.resize((size_t)cut.nWidth * cut.nHeight * 4);
        for (int i = 0; i < nFrames; ++i)
            for (int y = 0; y < cut.nHeight; ++y)
                std::copy_n(&strip.ab[((size_t)(y + nY0) * strip.nWidth + i * nCellW + nX0) * 4],
                            (size_t)(nX1 - nX0) * 4,
                            &cut.ab[((size_t)y * cut.nWidth + (size_t)i * (nX1 - nX0)) * 4]);
        char szFile[32];
        std::snprintf(szFile, sizeof szFile, "strips/%05d.png", m_nStrips++);
        writePng(m_sOut + "/" + szFile, cut);
        m_index << "strip " << szFile << " " << sTitle << " " << (sName.empty() ? "-" : sName)
                << " " << nFrames << " " << nX1 - nX0 << " " << nY1 - nY0 << " " << nOriginX - nX0
                << " " << nOriginY - nY0 << " " << (sMarkers.empty() ? "-" : sMarkers) << "\n";
    }

    static bool isSeated(const std::string& sName)
    {
        for (const char* psz : {"sit_idle_", "ask_", "drink_", "drink_fast_", "throw_", "fight_"})
            if (sName.compare(0, std::strlen(psz), psz) == 0)
                return true;
        return false;
    }

public:
    // The head's offsets per frame of sitting down ("dx dy" lines), when the packs have them.
    void readSitOffsets(const char* pszText)
    {
        std::istringstream in(pszText);
        int nX = 0, nY = 0;
        while (in >> nX >> nY && m_lSitOffsets.size() < 9)
            m_lSitOffsets.push_back({nX, nY});
    }

private:
    std::string m_sOut;
    std::ofstream m_index;
    std::vector<std::pair<int, int>> m_lSitOffsets;
    std::map<Image*, Pixels> m_hPixels; // the pictures read so far; the animations keep them
    int m_nStrips = 0;
    int m_nFailures = 0;
};

std::string packName(const std::string& sPath)
{
    std::string s = sPath.substr(sPath.find_last_of('/') + 1);
    return s.substr(0, s.find('.'));
}

bool endsWith(const std::string& s, const char* pszEnd)
{
    const std::string sEnd = pszEnd;
    return s.size() >= sEnd.size() && s.compare(s.size() - sEnd.size(), sEnd.size(), sEnd) == 0;
}

} // namespace

int main(int nArgs, char** apszArgs)
{
    const bool bSubjectsOnly = nArgs > 1 && std::string(apszArgs[1]) == "--subjects-only";
    if (bSubjectsOnly)
    {
        ++apszArgs;
        --nArgs;
    }
    if (nArgs < 4)
    {
        std::fprintf(stderr, "usage: animsheet [--subjects-only] OUT_DIR SUBJECTS PACK.dat...\n");
        return 2;
    }
    const std::string sOut = apszArgs[1];
    try
    {
        // An application without a window, with SDL's pictures (loading and converting them is
        // much faster than the in-memory ones), looking names up in the packs as the game does.
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0)
        {
            std::fprintf(stderr, "animsheet: SDL_Init failed: %s\n", SDL_GetError());
            return 1;
        }
        FakePlatform* pPlatform = new FakePlatform(true);
        pPlatform->adoptImageFactory(new SDLImageFactory());
        GameApp app; // owns the platform
        app.setPlatform(pPlatform);
        app.init(800, 600, 0, RIR::SmartPtr<Image>());
        std::vector<std::unique_ptr<RIR::ResourceFile>> lOwned;
        std::vector<RIR::ResourceFile*> lPacks;
        for (int i = 3; i < nArgs; ++i)
        {
            app.addResourceFile(apszArgs[i], false);
            lOwned.emplace_back(new RIR::ResourceFile(apszArgs[i]));
            lPacks.push_back(lOwned.back().get());
        }
        mkdir(sOut.c_str(), 0777);
        mkdir((sOut + "/strips").c_str(), 0777);
        mkdir((sOut + "/pictures").c_str(), 0777);
        SheetWriter writer(sOut);
        if (app.hasResource("head_sit_offsets.txt"))
        {
            RIR::SmartPtr<RIR::Resource> pRes = app.getResource("head_sit_offsets.txt");
            writer.readSitOffsets(std::string((const char*)pRes->getData(), (size_t)pRes->getSize()).c_str());
        }

        std::set<std::string> loaded;
        int nPictures = 0;
        std::ifstream subjects(apszArgs[2]);
        if (!subjects)
        {
            std::fprintf(stderr, "animsheet: cannot read %s\n", apszArgs[2]);
            return 1;
        }
        std::string sLine;
        while (std::getline(subjects, sLine))
        {
            sLine = sLine.substr(0, sLine.find('#'));
            std::istringstream words(sLine);
            std::string sTitle;
            if (!(words >> sTitle))
                continue;
            std::vector<Layer> lLayers;
            std::string sWord;
            while (words >> sWord)
                lLayers.push_back(parseLayer(sWord));
            writer.subject(sTitle, lLayers, &loaded);
        }
        for (size_t p = 0; p < lPacks.size() && !bSubjectsOnly; ++p)
        {
            const std::string sPack = packName(apszArgs[3 + p]);
            RIR::List<RIR::String> lNames = lPacks[p]->names();
            std::vector<std::string> lSorted;
            for (int i = 0; i < lNames.getLength(); ++i)
                lSorted.push_back(lNames.get(i).c_str());
            std::sort(lSorted.begin(), lSorted.end());
            mkdir((sOut + "/pictures/" + sPack).c_str(), 0777);
            for (const std::string& sName : lSorted)
            {
                if (endsWith(sName, ".anim") && !loaded.count(sName))
                {
                    loaded.insert(sName);
                    writer.subject(sPack + ":" + sName, {parseLayer(sName)}, &loaded, true);
                }
                else if (endsWith(sName, ".png") && sName.find('/') == std::string::npos)
                {
                    const std::string sFile = "pictures/" + sPack + "/" + sName;
                    RIR::SmartPtr<RIR::Resource> pRes(lPacks[p]->load(sName.c_str()));
                    std::ofstream out(sOut + "/" + sFile, std::ios::binary);
                    out.write((const char*)pRes->getData(), (std::streamsize)pRes->getSize());
                    writer.index() << "picture " << sFile << " " << sPack << " "
                                   << sName.substr(0, sName.size() - 4) << "\n";
                    ++nPictures;
                }
            }
        }
        std::printf("animsheet: %d strips, %d pictures, %d layers failed\n", writer.strips(),
                    nPictures, writer.failures());
        return writer.failures() ? 1 : 0;
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "animsheet: %s: %s [%s:%d]\n", e.getClassName(), e.getMessage(),
                     e.getFile(), e.getLine());
        return 1;
    }
}
