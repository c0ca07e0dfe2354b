#include "widgetsmode.h"

#include "app/gameapp.h"
#include "gfx/alignflags.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "ui/sliderthumb.h"
#include "ui/theme.h"

#include "rir2/list_impl.h"

#include <SDL.h>

#include <cstdio>

namespace
{

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
// The parchment panel.
const int PANEL_X = 60;
const int PANEL_Y = 40;
const int PANEL_W = 680;
const int PANEL_H = 520;
// Where the row captions and the widgets start.
const int CAPTION_X = 110;
const int WIDGET_X = 300;

enum
{
    ID_NAME = 1,
    ID_SOUND = 2,
    ID_MUSIC = 3,
    ID_CODE = 4,
    ID_GREENHORN = 11,
    ID_COWHAND = 12,
    ID_GUNSLINGER = 13
};

// ---- input through SDL's queue ------------------------------------------------------------------

// The pointer goes there as a real one would: SDL reports the motion in a later pump.
void warpTo(int x, int y)
{
    SDL_WarpMouse((Uint16)x, (Uint16)y);
}

void pushButton(bool bDown, int x, int y)
{
    SDL_Event event = {};
    event.type = bDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = bDown ? SDL_PRESSED : SDL_RELEASED;
    event.button.x = (Uint16)x;
    event.button.y = (Uint16)y;
    SDL_PushEvent(&event);
}

// A key press and release carrying the character, as SDL reports typing with Unicode on.
void pushKey(SDLKey key, SDLMod mod, Uint16 nChar)
{
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    event.key.keysym.unicode = nChar;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.unicode = 0;
    SDL_PushEvent(&event);
}

void pushChar(char c)
{
    const bool bUpper = c >= 'A' && c <= 'Z';
    const SDLKey key = bUpper ? (SDLKey)(c - 'A' + 'a') : (SDLKey)c;
    pushKey(key, bUpper ? KMOD_LSHIFT : KMOD_NONE, (Uint16)c);
}

Point centreOf(Sprite& sprite)
{
    const Rect bounds = sprite.getBounds();
    return Point((float)(bounds.left + bounds.right) / 2.0f,
                 (float)(bounds.top + bounds.bottom) / 2.0f);
}

} // namespace

WidgetsMode::WidgetsMode(int nFrames, D3D7VideoDriver* pVideo)
    : FramedMode(nFrames, pVideo), m_nChoice(0)
{
    setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
}

WidgetsMode::~WidgetsMode() {}

void WidgetsMode::onStart()
{
    addBackdrop();

    RIR::SmartPtr<Label> pTitle = addLabel("Saloon Settings", 0, 56, "Theme::DialogTitle");
    pTitle->setPos((SCREEN_WIDTH - pTitle->getWidth()) / 2, 56);
    RIR::SmartPtr<Image> pRule = getApp()->getTheme()->getLongSeparator();
    addSprite(new Sprite(pRule, (SCREEN_WIDTH - pRule->getWidth()) / 2, 102, 2));

    // Text entries on the theme's field picture.
    RIR::SmartPtr<Image> pField = getImage("editbox_back");
    addLabel("Your name:", CAPTION_X, 132, "Theme::Default");
    m_pName = new EditBox(WIDGET_X, 127, 3, pField, true);
    m_pName->setId(ID_NAME);
    m_pName->setMaxLength(24);
    addControl(m_pName.get());
    addLabel("Safe code (digits):", CAPTION_X, 182, "Theme::Default");
    m_pCode = new EditBox(WIDGET_X, 177, 3, pField, true);
    m_pCode->setId(ID_CODE);
    m_pCode->setMask("*");
    m_pCode->setAllowedChars("0123456789");
    m_pCode->setMaxLength(6);
    addControl(m_pCode.get());

    // One choice of three; the screen keeps one checked.
    addLabel("Difficulty:", CAPTION_X, 231, "Theme::Default");
    struct Option
    {
        const char* pszText;
        int nId;
    };
    int x = WIDGET_X;
    for (const Option& option : {Option{"Greenhorn", ID_GREENHORN}, Option{"Cowhand", ID_COWHAND},
                                 Option{"Gunslinger", ID_GUNSLINGER}})
    {
        RIR::SmartPtr<RadioButton> pOption = new RadioButton(this, option.pszText, option.nId);
        pOption->setZOrder(2);
        pOption->setPos(x, 230);
        int w = 0;
        pOption->getSize(&w, nullptr);
        x += w + 18;
        m_choices.append(pOption);
    }
    m_nChoice = ID_COWHAND;
    m_choices.select(m_nChoice);

    // Volumes 0 .. 255 with their share in per cent beside them.
    addLabel("Sound volume:", CAPTION_X, 290, "Theme::Default");
    m_pSound = new HSlider(ID_SOUND, 0, 255, 96);
    m_pSound->setZOrder(3);
    m_pSound->setPos(WIDGET_X, 292);
    addControl(m_pSound.get());
    m_pSoundValue = addLabel("", WIDGET_X + m_pSound->getWidth() + 16, 290, "Theme::Default");
    addLabel("Music volume:", CAPTION_X, 340, "Theme::Default");
    m_pMusic = new HSlider(ID_MUSIC, 0, 255, 200);
    m_pMusic->setZOrder(3);
    m_pMusic->setPos(WIDGET_X, 342);
    addControl(m_pMusic.get());
    m_pMusicValue = addLabel("", WIDGET_X + m_pMusic->getWidth() + 16, 340, "Theme::Default");
    showVolume(ID_SOUND);
    showVolume(ID_MUSIC);

    // A wrapped paragraph and the line that reports the last change.
    RIR::SmartPtr<Label> pNote = addLabel(
        "Howdy, stranger! Write your name in the book, pick how rough the night should be and "
        "set the piano as loud as your ears can stand. Dolly keeps the rest.",
        CAPTION_X, 392, "Theme::Default");
    pNote->setWidth(PANEL_W - 2 * (CAPTION_X - PANEL_X), true);
    m_pStatus = addLabel("Click a field and type; drag a slider.", CAPTION_X, 490, "Dolly::Stats");

    if (getFrameLimit() > 0)
        addScript();
}

void WidgetsMode::addBackdrop()
{
    // Dark wood around a panel of the theme's parchment tile with a thin dark rim.
    RIR::SmartPtr<Image> pWall = getApp()->createImage(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    pWall->fill(Color(78, 48, 26, 255));
    addSprite(new Sprite(pWall, 0, 0, 0));
    RIR::SmartPtr<Image> pRim = getApp()->createImage(PANEL_W + 6, PANEL_H + 6, false);
    pRim->fill(Color(40, 24, 12, 255));
    addSprite(new Sprite(pRim, PANEL_X - 3, PANEL_Y - 3, 0));
    RIR::SmartPtr<Image> pTile = getImage("frame_back");
    RIR::SmartPtr<Image> pPanel = getApp()->createImage(PANEL_W, PANEL_H, false);
    for (int y = 0; y < PANEL_H; y += pTile->getHeight())
        for (int x = 0; x < PANEL_W; x += pTile->getWidth())
            pPanel->copyImage(pTile.get(), x, y);
    addSprite(new Sprite(pPanel, PANEL_X, PANEL_Y, 1));
}

RIR::SmartPtr<Label> WidgetsMode::addLabel(const char* pszText, int nX, int nY, const char* pszFont)
{
    RIR::SmartPtr<Label> pLabel = new Label(pszText, nX, nY, 2);
    pLabel->setFontByName(pszFont);
    addSprite(pLabel.get());
    return pLabel;
}

void WidgetsMode::showVolume(int nId)
{
    HSlider* pSlider = nId == ID_SOUND ? m_pSound.get() : m_pMusic.get();
    Label* pValue = nId == ID_SOUND ? m_pSoundValue.get() : m_pMusicValue.get();
    if (!pSlider || !pValue)
        return;
    char acText[16];
    std::snprintf(acText, sizeof(acText), "%d%%", pSlider->getValue() * 100 / 255);
    pValue->setText(acText);
}

void WidgetsMode::onCallback(int nId, int /*nParam*/)
{
    std::string sStatus;
    switch (nId)
    {
    case ID_NAME:
        sStatus = std::string("Name: ") + m_pName->getText().c_str();
        break;
    case ID_CODE:
        sStatus = "Safe code: " + std::to_string(m_pCode->getText().utf8Length()) + " digits";
        break;
    case ID_SOUND:
    case ID_MUSIC:
        showVolume(nId);
        sStatus = std::string(nId == ID_SOUND ? "Sound" : "Music") +
                  " volume: " + std::to_string((nId == ID_SOUND ? m_pSound : m_pMusic)->getValue());
        break;
    case ID_GREENHORN:
    case ID_COWHAND:
    case ID_GUNSLINGER:
        // A click on the checked option unchecks it: the choice stays all the same.
        m_nChoice = nId;
        m_choices.select(nId);
        sStatus = std::string("Difficulty: ") + (nId == ID_GREENHORN ? "Greenhorn"
                                                 : nId == ID_COWHAND ? "Cowhand"
                                                                     : "Gunslinger");
        break;
    default:
        return;
    }
    if (m_pStatus)
        m_pStatus->setText(sStatus.c_str());
}

std::string WidgetsMode::describe() const
{
    return std::string("name=") + m_pName->getText().c_str() +
           " code=" + m_pCode->getText().c_str() + " choice=" + std::to_string(m_nChoice) +
           " sound=" + std::to_string(m_pSound->getValue()) +
           " music=" + std::to_string(m_pMusic->getValue());
}

void WidgetsMode::addScript()
{
    const Point name = centreOf(*m_pName);
    const Point code = centreOf(*m_pCode);
    int f = 4;
    auto at = [this, &f](int nAfter, std::function<void()> action)
    {
        f += nAfter;
        m_script.push_back(Step{f, action});
    };
    // The name box: click, then type; Ctrl+A and Shift+Return bring control characters, which
    // the box refuses.
    at(0, [name] { warpTo((int)name.x, (int)name.y); });
    at(2,
       [name]
       {
           pushButton(true, (int)name.x, (int)name.y);
           pushButton(false, (int)name.x, (int)name.y);
       });
    for (char c : std::string("Dolly"))
        at(1, [c] { pushChar(c); });
    at(1, [] { pushKey(SDLK_a, KMOD_LCTRL, 0x01); });
    at(1, [] { pushKey(SDLK_RETURN, KMOD_LSHIFT, '\r'); });
    for (char c : std::string(" Mae"))
        at(1, [c] { pushChar(c); });
    // The code box takes digits only.
    at(2, [code] { warpTo((int)code.x, (int)code.y); });
    at(2,
       [code]
       {
           pushButton(true, (int)code.x, (int)code.y);
           pushButton(false, (int)code.x, (int)code.y);
       });
    for (char c : std::string("1x2y34"))
        at(1, [c] { pushChar(c); });
    // The sound slider: grab the thumb a little right of its centre and drag it 90 pixels to
    // the right; the grip stays where the thumb was taken.
    const Point thumb = m_pSound->getThumb()->getPosPoint();
    const int nGripX = (int)thumb.x + 4;
    const int nGripY = (int)thumb.y;
    at(2, [=] { warpTo(nGripX, nGripY); });
    at(2, [=] { pushButton(true, nGripX, nGripY); });
    for (int i = 1; i <= 3; ++i)
        at(2, [=] { warpTo(nGripX + 30 * i, nGripY); });
    at(2, [=] { pushButton(false, nGripX + 90, nGripY); });
    // The music slider's body a third along its track: its thumb jumps there.
    const int nMusicX = m_pMusic->getX() + m_pMusic->getTrackStart() +
                        m_pMusic->getThumb()->getWidth() / 2 +
                        (m_pMusic->getTrackEnd() - m_pMusic->getTrackStart()) / 3;
    const int nMusicY = m_pMusic->getY() + m_pMusic->getHeight() / 2;
    at(2, [=] { warpTo(nMusicX, nMusicY); });
    at(2,
       [=]
       {
           pushButton(true, nMusicX, nMusicY);
           pushButton(false, nMusicX, nMusicY);
       });
    // The last difficulty, by its text.
    const Point option = centreOf(*m_choices.get(2)->getTextButton());
    at(2, [=] { warpTo((int)option.x, (int)option.y); });
    at(2,
       [=]
       {
           pushButton(true, (int)option.x, (int)option.y);
           pushButton(false, (int)option.x, (int)option.y);
       });
    // Back into the name box: the caret goes to the end; Home, then five times Right puts it
    // after "Dolly", where the last picture shows it.
    at(2, [name] { warpTo((int)name.x, (int)name.y); });
    at(2,
       [name]
       {
           pushButton(true, (int)name.x, (int)name.y);
           pushButton(false, (int)name.x, (int)name.y);
       });
    at(1, [] { pushKey(SDLK_HOME, KMOD_NONE, 0); });
    for (int i = 0; i < 5; ++i)
        at(1, [] { pushKey(SDLK_RIGHT, KMOD_NONE, 0); });
}

void WidgetsMode::update(float /*fDt*/)
{
    countFrame();
    for (const Step& step : m_script)
        if (step.nFrame == getFrames())
            step.action();
    endAtFrameLimit();
}
