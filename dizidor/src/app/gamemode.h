// GameMode: one screen of the game, and its place on the application's mode stack.
//
// Every screen is a mode: the menus, a saloon level, a story scene, each dialog, the splash and
// credits screens derive from GameMode and override its hooks. The application keeps the modes on
// a stack (GameApp::pushMode, index 0 the top), updates and draws them from the top down as far as
// their flags allow and offers them input (GameApp::dispatch*). A mode is also what its screen
// contains: the sprites it draws in layers by z order, the controls the pointer can reach, the
// control under the pointer (hover) and the one that gets the keys (focus), the sprites whose
// controllers run each frame, and tooltips. Its widgets report to it (ICallbackTarget), and its
// sprites call back into it through SpriteOwner.
//
// Life:
//     GameMode* pMode = new MenuMode();   // MS_NEW, flags MF_ACTIVE | MF_VISIBLE
//     pApp->pushMode(pMode);              // onStart once, MS_RUNNING, activate when on top
//     ...                                 // updated, drawn, given input; deactivated while covered
//     pMode->endMode();                   // only the top mode: onEnd, MS_ENDED, popped, onEnded;
//                                         // the application deletes it at the end of the frame
// or suspendMode(): MS_SUSPENDED, popped and kept by its owner; pushing it again skips onStart.
// MS_ENDED is final: an ended mode is never pushed again.
//
// Contents. The three layered lists (sprite, control and update layers) are lists of layers, one
// layer per z order, sorted by ascending z; within a layer the sprite inserted last stands first.
// The renderer draws the sprite layers from the lowest z to the highest, each layer from its
// front, so of two sprites with the same z the later one is drawn beneath; controlAt walks the
// control layers from the highest z down, each layer from its front, so of two controls with the
// same z the later one is found first. Each sprite keeps its place in each list (SpriteLayerRef),
// so that removal costs the same whatever the number of sprites. A sprite belongs to at most one
// mode and is added once; adding it again is an assertion failure.
//
// Ending and deleting. The default onEnd clears the contents: the mode lets go of its sprites and
// controls, and each sprite forgets the mode and its tooltip, so nothing held elsewhere reaches
// the mode afterwards. The destructor removes the tooltips, clears the contents and deletes the
// transition.
//
// Failures: endMode and suspendMode on a mode that is not the top raise FatalErrorException and
// change nothing; a null transition, adding a sprite twice and removing a sprite of another mode
// are assertion failures. Main thread only; nothing is locked.
#ifndef DIZIDOR_APP_GAMEMODE_H
#define DIZIDOR_APP_GAMEMODE_H

#include "app/icallbacktarget.h"
#include "gfx/image.h"
#include "gfx/point.h"
#include "gfx/rect.h"
#include "gfx/sprite.h"
#include "gfx/spriteowner.h"
#include "ui/control.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class GameApp;
class Particle;
class Font;
class Sample;
class TransitionMode;

// The flag word of a mode.
enum ModeFlags
{
    MF_ACTIVE = 0x01,         // updated, given input, asked about quit requests
    MF_VISIBLE = 0x02,        // drawn (only together with MF_ACTIVE)
    MF_SEE_THROUGH = 0x04,    // the mode below is drawn as well
    MF_UPDATE_THROUGH = 0x08, // the mode below is updated as well
    MF_INPUT_THROUGH = 0x10,  // input this mode does not consume goes on to the mode below
    MF_CLEAR_SCREEN = 0x20    // the screen is cleared to opaque black before the mode is drawn
};

// The state of a mode.
enum ModeState
{
    MS_NEW = 0,       // constructed, never pushed
    MS_RUNNING = 1,   // on the stack
    MS_SUSPENDED = 2, // taken off by suspendMode; its owner keeps it
    MS_ENDED = 3      // taken off by endMode; deleted by the application at the end of the frame
};

// A tooltip of a mode: a screen area and the sprite that shows its text next to the pointer. The
// mode owns the records; the sprite that set the tooltip keeps the handle (TooltipHandle).
class Tooltip
{
public:
    explicit Tooltip(const Rect& area) : m_area(area), m_bEnabled(true) {}

    Rect m_area;                     // screen pixels
    RIR::SmartPtr<Sprite> m_pSprite; // shows the rendered text; hidden unless current
    bool m_bEnabled;                 // a disabled tooltip is never chosen
};

// Makes the picture of a tooltip text in a button style (pszStyle may be ""). The theme draws it
// (its button image of the text, state normal, natural width); see GameMode::setTooltipRenderer.
typedef RIR::SmartPtr<Image> (*TooltipRenderer)(const char* pszText, const char* pszStyle);

class GameMode : public ICallbackTarget, public SpriteOwner
{
public:
    // ---- life ----------------------------------------------------------------------------------

    // The application is GameApp::getInstance; flags MF_ACTIVE | MF_VISIBLE (the video driver,
    // when there is one, is asked to redraw), state MS_NEW, every button accepted, empty
    // contents, tooltip delay 0.25 s at offset (25, 25).
    GameMode();
    // Removes the tooltips and their sprites, clears the contents, deletes the transition.
    ~GameMode() override;

    GameMode(const GameMode&) = delete;
    GameMode& operator=(const GameMode&) = delete;

    // ---- hooks, in slot order ------------------------------------------------------------------

    // A widget of the mode fired; nothing here.
    void onCallback(int nId, int nParam) override;
    virtual GameApp* getApp() { return m_pApp; }
    // Ends the top mode until this mode is the top. This mode must be on the stack.
    virtual void endModesAbove();
    // The first push; nothing here.
    virtual void onStart();
    // endMode, before the pop: clears the contents here.
    virtual void onEnd();
    // endMode, after the pop; nothing here.
    virtual void onEnded();
    // suspendMode, before the pop; nothing here.
    virtual void onSuspend();
    // The mode became the top mode (its push, or the pop of the mode above); nothing here.
    virtual void onActivate();
    // pNewTop was pushed over this mode; nothing here.
    virtual void onDeactivate(GameMode* pNewTop);
    // A window close or Alt+F4; true takes it. False here.
    virtual bool onQuitRequest();
    // The application is exiting; nothing here.
    virtual void onAppExit();
    // The application window became active or inactive; nothing here.
    virtual void onAppActivated();
    virtual void onAppDeactivated();
    // The mode's own step of the frame, dt in seconds; nothing here.
    virtual void update(float fDt);
    // Input; true means consumed. False here. Keys and modifiers are the platform's key symbols
    // and modifier bits; button masks 1 left, 2 middle, 4 right, 8 wheel up, 16 wheel down.
    virtual bool keyDown(int nKey, int nModifiers);
    virtual bool keyUp(int nKey, int nModifiers);
    virtual bool charTyped(int nCharacter);
    virtual bool mouseMove(int nX, int nY);
    virtual bool mouseUp(int nButtonMask, int nX, int nY);
    virtual bool mouseDown(int nButtonMask, int nX, int nY);

    // ---- flags, state, place on the stack ------------------------------------------------------

    int getFlags() const { return m_nFlags; }
    // Stores the word; a change of the bits 0x07 asks the video driver to redraw everything.
    void setFlags(int nFlags);
    void addFlags(int nBits);
    void removeFlags(int nBits);
    bool isActive() const { return (m_nFlags & MF_ACTIVE) != 0; }
    bool isVisible() const { return (m_nFlags & MF_VISIBLE) != 0; }
    int getState() const { return m_nState; }
    void setState(int nState) { m_nState = nState; }
    // The buttons this mode receives: a button event reaches it only when this mask shares a bit
    // with the button's. -1 accepts every button.
    int getMouseButtonMask() const { return m_nMouseButtonMask; }
    void setMouseButtonMask(int nMask) { m_nMouseButtonMask = nMask; }

    // The top mode ends itself: onEnd, MS_ENDED, GameApp::popMode, onEnded. The object stays
    // valid until the end of the frame. With a transition set, the transition is pushed instead
    // (it leads on from this mode) and this mode stays where it is. Raises FatalErrorException
    // "Only the topmost mode can call endMode() [this = 0x%08X, topmost = 0x%08X]" when this is
    // not the top mode.
    void endMode();
    // The top mode leaves the stack without ending: onSuspend, MS_SUSPENDED, GameApp::popMode.
    // Its owner keeps it. Raises like endMode ("... suspendMode() ...").
    void suspendMode();
    // The mode pushed in this mode's place when it ends; owned. Deletes the one set before.
    void setTransition(TransitionMode* pTransition);
    TransitionMode* getTransition() const { return m_pTransition; }
    // The transition leads on from this ending mode, then is pushed. Assertion failure for null.
    void startTransition(TransitionMode* pTransition);
    // Called by the application only: hide the tooltips, then onActivate / onDeactivate.
    void activate();
    void deactivate(GameMode* pNewTop);
    // Passes the value to the video driver's setParameter.
    void setVideoParameter(int nValue);

    // ---- contents (gamemode_contents.cpp) ------------------------------------------------------

    // Inserts the sprite into the sprite layers, makes this mode its owner (Sprite::setMode), and
    // enters it into the update layers when it already has controllers. Returns the sprite.
    // Assertion failure for null or for a sprite that is already in a mode's sprite layers.
    RIR::SmartPtr<Sprite> addSprite(RIR::SmartPtr<Sprite> pSprite);
    // Takes the sprite out of the sprite layers, the control layers (removeControl) and the
    // update layers, each when it is there, then Sprite::removeFromMode. Null does nothing;
    // assertion failure for a sprite owned by another mode.
    void removeObject(RIR::SmartPtr<Sprite> pSprite) override;
    // removeObject for each sprite of the list.
    void removeObjects(const RIR::List<RIR::SmartPtr<Sprite>>& lSprites);
    // Adds the control as a sprite unless it is one already, then to the control layers unless it
    // is there already, then GameApp::refreshHover. Returns the control.
    RIR::SmartPtr<Control> addControl(RIR::SmartPtr<Control> pControl);
    // Takes the control out of the control layers (it stays drawn). A hover control hears
    // onMouseLeave and then loses the hover; a focus control then hears onFocusLost and then
    // loses the focus; then GameApp::refreshHover. Each hook runs while the control still holds
    // its role, and once: a hook that removes the control again, refreshes the hover or drops
    // the focus does not make it hear the hook a second time. Null does nothing.
    void removeControl(RIR::SmartPtr<Control> pControl);
    // The sprite's z order changed: it moves to the front of the layer of its new z in the
    // sprite and control layers, in each when it is there. The update layers keep its old place.
    void reorderObject(RIR::SmartPtr<Sprite> pSprite) override;
    // Enters the sprite into the update layers when it is not there; returns it.
    RIR::SmartPtr<Sprite> addUpdatable(RIR::SmartPtr<Sprite> pSprite) override;
    void removeUpdatable(RIR::SmartPtr<Sprite> pSprite);
    // Whether the sprite is in the sprite layers of a mode.
    static bool isAdded(const RIR::SmartPtr<Sprite>& pSprite);

    // The topmost control whose hit test accepts the point (visibility and the enabled state are
    // the hit test's business), or null.
    RIR::SmartPtr<Control> controlAt(int nX, int nY);
    // Of the sprites of the list that contain the point in their physical bounds (and, with
    // bPixelTest, pass the pixel test at the threshold), the one with the highest z order; among
    // equal z the earlier in the list. Null when none.
    static RIR::SmartPtr<Sprite> spriteAt(const Point& point,
                                          const RIR::List<RIR::SmartPtr<Sprite>>& lSprites,
                                          bool bPixelTest, int nThreshold);

    RIR::SmartPtr<Control> getHover() const { return m_pHover; }
    // Only stores; the input dispatch calls the enter and leave hooks itself (changeHover).
    void setHover(RIR::SmartPtr<Control> pControl) { m_pHover = pControl; }
    // The input dispatch found pUnder (possibly null) under the pointer: when it is not the hover
    // control, the old hover control hears onMouseLeave, then pUnder onMouseEnter, then the
    // hover becomes pUnder (setHover), or none when a hook took pUnder out of this mode's
    // controls. A change asked for while the hooks of a change or of a removal of the hover run
    // (a hook that refreshes the hover) is ignored: the change under way decides, and the
    // hooks are heard once each.
    void changeHover(RIR::SmartPtr<Control> pUnder);
    RIR::SmartPtr<Control> getFocus() const { return m_pFocus; }
    // Nothing when the control has the focus already. Otherwise the focus moves to pControl (null:
    // none); the new control hears onFocusGained first, then the old one onFocusLost.
    void setFocus(RIR::SmartPtr<Control> pControl);

    // The layered lists, for the renderer and the theme change; read only.
    SpriteLayerList& getSpriteLayers() { return m_lSpriteLayers; }
    SpriteLayerList& getControlLayers() { return m_lControlLayers; }
    // New flat lists of the sprite layers or of the update layers, in layer order.
    RIR::List<RIR::SmartPtr<Sprite>> getSprites();
    RIR::List<RIR::SmartPtr<Sprite>> getUpdatables();

    // A black sprite over the whole screen (with a margin) at z order -1000 and opacity fAlpha,
    // added to the mode and returned: the dimmed background of dialogs.
    RIR::SmartPtr<Sprite> addDimmer(float fAlpha);
    // Drops every sprite and control and the hover and focus controls, calling no hook; each
    // dropped sprite forgets this mode and its tooltip handle (Sprite::dropMode). The tooltip
    // records stay.
    void clearContents();

    // The frame step of an active mode: update, the sprites' controllers, the free particles, the
    // tooltip timer.
    void frameUpdate(float fDt);
    // Runs the controllers of every sprite of the update layers, over a snapshot taken first (a
    // sprite removed during the step is still updated in it); a sprite left without controllers
    // leaves the update layers.
    void updateUpdatables(float fDt);

    // Lookups through the application.
    const char* getString(const char* pszKey);
    RIR::SmartPtr<Image> getImage(const char* pszName);
    RIR::SmartPtr<Image> createImage(int nWidth, int nHeight, bool bAlpha);
    RIR::SmartPtr<Sample> getSample(const char* pszName);
    // Theme look-ups (gamemode_theme.cpp): a copy of the current theme's font of that name (the
    // theme falls back to its default font), and its cursor of that name. AssertFailException
    // while the application has no theme.
    RIR::SmartPtr<Font> getFont(const char* pszName);
    RIR::SmartPtr<Image> getCursor(const char* pszName);
    // The theme font of that name at the largest size, from its own down to 6, at which the text
    // wrapped to nMaxWidth is narrower than nMaxWidth and lower than nMaxHeight; its lines joined
    // by "\n" go to psWrapped (when not null). A copy of the theme font when no size fits or the
    // font has no size.
    RIR::SmartPtr<Font> fitFont(const char* pszFontName, int nMaxWidth, int nMaxHeight,
                                const char* pszText, RIR::String* psWrapped);

    // ---- free particles (gamemode_particles.cpp) -------------------------------------------------

    // Appends the particle to the mode's free particles, which the frame step updates and drops
    // when they die (the particle controllers hand theirs over here).
    void addParticle(RIR::SmartPtr<Particle> pParticle);
    // Appends every particle of the list.
    void addParticles(const RIR::List<RIR::SmartPtr<Particle>>& lParticles);
    RIR::List<RIR::SmartPtr<Particle>>& getParticles();
    // The particle step of the frame: updateParticles over the free particles.
    void advanceParticles(float fDt);
    // Drops every free particle (their sprites leave the mode); the destructor calls it first.
    void clearParticles();

    // ---- tooltips (gamemode_tooltips.cpp) ------------------------------------------------------

    // A record over the area with a hidden sprite at the top z order showing the text; returns its
    // handle.
    TooltipHandle addTooltip(const Rect& area, const char* pszText) override;
    // Removes the record's sprite from the mode and deletes the record; it is no longer current.
    void removeTooltip(TooltipHandle hTooltip) override;
    void setTooltipRect(TooltipHandle hTooltip, const Rect& area) override;
    // Renders the text into the tooltip's sprite; its visibility stays as it was.
    void setTooltipText(TooltipHandle hTooltip, const char* pszText) override;
    void setTooltipEnabled(TooltipHandle hTooltip, bool bEnabled) override;
    // Hides every tooltip sprite; the current tooltip stays current.
    void hideTooltips();
    // Chooses the tooltip under the pointer (the current one while the pointer stays in its area,
    // else the first enabled one containing it) and shows it at the pointer plus the offset,
    // kept inside the screen.
    void updateTooltip();
    // Sets the delay and restarts the countdown from it.
    void setTooltipDelay(float fSeconds);
    void setTooltipStyle(const char* pszStyle) { m_sTooltipStyle = pszStyle; }
    void setTooltipOffset(const Point& offset) { m_tooltipOffset = offset; }
    // A pointer move that reached the mode: restarts the countdown, moves a shown tooltip along,
    // then mouseMove.
    bool handleMouseMove(int nX, int nY);
    // The countdown; when it runs out with no tooltip current, one search.
    void advanceTooltipTimer(float fDt);
    // Removes every tooltip and its sprite.
    void clearTooltips();
    Tooltip* getCurrentTooltip() const { return m_pCurrentTooltip; }
    float getTooltipCountdown() const { return m_fTooltipCountdown; }
    const RIR::String& getTooltipStyle() const { return m_sTooltipStyle; }

    // How tooltip texts become pictures, for every mode; null (the state at start) gives
    // tooltips without a picture. The theme installs its button-image renderer.
    static void setTooltipRenderer(TooltipRenderer pRenderer);

private:
    // The "Only the topmost mode can call ..." check of endMode and suspendMode.
    void checkTopmost(const char* pszOperation);
    // Whether the sprite belongs to this mode's lists (or to no mode at all).
    bool isOwnedHere(const RIR::SmartPtr<Sprite>& pSprite) const;

    // Layered-list operations on one list and the sprite's place in it.
    static void insertIntoLayers(SpriteLayerList& lLayers, const RIR::SmartPtr<Sprite>& pSprite,
                                 SpriteLayerRef& ref);
    static void removeFromLayers(SpriteLayerList& lLayers, SpriteLayerRef& ref);
    static void moveInLayers(SpriteLayerList& lLayers, const RIR::SmartPtr<Sprite>& pSprite,
                             SpriteLayerRef& ref);
    // Appends every sprite of the layers to lOut, in layer order.
    static void flatten(SpriteLayerList& lLayers, RIR::List<RIR::SmartPtr<Sprite>>& lOut);
    // clearContents for one list: every member forgets its place (and this mode), then the
    // layers go.
    void dropLayers(SpriteLayerList& lLayers, SpriteLayerRef& (Sprite::*pfnRef)());

    GameApp* m_pApp; // not owned
    int32_t m_nFlags;
    int32_t m_nState;
    SpriteLayerList m_lSpriteLayers;  // layers owned
    SpriteLayerList m_lControlLayers; // layers owned
    SpriteLayerList m_lUpdateLayers;  // layers owned
    RIR::SmartPtr<Control> m_pHover;
    RIR::SmartPtr<Control> m_pFocus;
    bool m_bHoverHooksRunning; // the leave and enter hooks of a hover change or removal run
    Control* m_pFocusLeaving;  // not owned; the control whose removal runs its onFocusLost
    int32_t m_nMouseButtonMask;
    RIR::List<Tooltip*> m_lTooltips; // owned
    Tooltip* m_pCurrentTooltip;      // not owned
    float m_fTooltipCountdown;
    float m_fTooltipDelay;
    RIR::String m_sTooltipStyle;
    Point m_tooltipOffset;
    TransitionMode* m_pTransition; // owned
    // Free particles; a pointer so that this header needs no particle header.
    RIR::List<RIR::SmartPtr<Particle>>* m_plParticles = nullptr; // owned, made on first use

    static TooltipRenderer s_pTooltipRenderer;
};

// A mode that leads from one mode to another: pushed in place of a mode that is being pushed
// (GameApp::pushModeWithTransition) or of a mode that ends (GameMode::setTransition).
class TransitionMode : public GameMode
{
public:
    // Before the transition is pushed: it leads to pTarget (nEnding 0, the target is being
    // pushed) or away from it (nEnding 1, the target is ending). nKind is 1.
    virtual void leadIn(int nKind, GameMode* pTarget, int nEnding) = 0;
};

#endif
