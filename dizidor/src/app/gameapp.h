// GameApp: the one application object.
//
// GameApp owns the platform (which owns the video and audio drivers), the mode stack, the
// resource providers and caches, the string table, the settings store and the current theme, and
// runs the single-threaded frame loop. Every other part reaches it through GameApp::getInstance.
// It is a coordinator: the work is done by the platform and its drivers, the modes, the caches
// and the settings file; GameApp wires them together and keeps the order of things. Its
// implementation is split by concern:
//     gameapp.cpp           life: construction, start-up (init), shutdown, emergency exit
//     gameapp_loop.cpp      the main loop, one frame, frame timing
//     gameapp_video.cpp     the video facade (full screen, cursor, caption, screen size)
//     gameapp_audio.cpp     the audio facade (volumes, music by name, stopping sound)
//     gameapp_input.cpp     input dispatch, quit requests, activation, input-state queries
//     gameapp_settings.cpp  the settings store and the settings file (app/settingsfile.h)
//     gameapp_resources.cpp resource lookup: providers, aliases, built-in resources, languages
//     gameapp_caches.cpp    the picture, sample and music caches (app/rescache.h)
//     gameapp_strings.cpp   the string table, filled from text tables (app/stringtable.h)
//     gameapp_imageenv.cpp  the application as the images' environment (gfx/imageenv.h)
//     gameapp_modes.cpp     the mode stack: push, pop, modal run, update walk, deletion
//     gameapp_animations.cpp the animation cache and step-wise preloading (gfx/animationloader.h)
//     gameapp_fonts.cpp     the bitmap font factories registered at start-up, the built-in glyphs
//     gameapp_theme.cpp     the current theme, theme loading and the cursor it brings
//
// The game derives its application class from GameApp, constructs one, hands it the command-line
// words and calls run. Its onInit loads the settings, adds its resources, creates the platform
// and its drivers, installs the platform with setPlatform, calls init and pushes its first modes:
//
//     void DBDApp::onInit()
//     {
//         loadConfig();
//         ...
//         setPlatform(pPlatform);
//         init(800, 600, nFlags, pIcon);
//         pushMode(new SplashMode());
//     }
//     ...
//     DBDApp* pApp = new DBDApp();
//     int nExit = pApp->run();   // returns the code of the last quit
//     delete pApp;
//
// Life: constructed (no platform) -> platform installed -> initialised (drivers running,
// settings applied) -> running -> quitting (the loop ends before the next frame) -> exited
// (onExit done, screen black) -> destroyed. quit may be called in any state; the last call's
// exit code wins.
//
// Failure contract: init raises FatalErrorException "No platform specified" or "No video driver
// specified"; run raises AssertFailException "Assertion failed : getPlatform() != NULL" when
// onInit installed no platform. Nothing here catches: the game's main reports what reaches it. A
// missing or failing audio driver never stops the program: the silent driver stands in.
//
// Main thread only; nothing here is guarded.
#ifndef DIZIDOR_APP_GAMEAPP_H
#define DIZIDOR_APP_GAMEAPP_H

#include "app/iappservices.h"
#include "app/iaudiodriver.h"
#include "app/rescache.h"
#include "app/videoflags.h"
#include "gfx/animationloader.h"
#include "gfx/image.h"
#include "gfx/imageenv.h"
#include "gfx/point.h"

#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/rirstring.h"

#include <cstdint>

class IPlatform;
class IVideoDriver;
class GameMode;
class TransitionMode;
class Theme;
class ImageFactory;
class SimpleFontCore;
class Animation;

// What a frame longer than the longest frame time does (GameApp::setMaxFrameTime); any other
// value sets no limit.
enum FrameTimePolicy
{
    FTP_SKIP = 1, // the modes are not updated in that frame
    FTP_CLAMP = 2 // the modes get the longest frame time instead
};

// Flags of GameApp::loadImage.
enum ImageLoadFlags
{
    ILF_CONVERT = 0x01 // convert the picture to the video driver's format
};

class GameApp
{
public:
    typedef RIR::List<RIR::ResourceProvider*>::Node ProviderNode;

    // ---- life ----------------------------------------------------------------------------------

    // Becomes the instance. Opens "dizidor.log" when no log is open yet, and logs the library
    // version, the operating system and the memory.
    GameApp();
    // Shutdown: deletes the modes still on the stack (no mode operation is called), the resource
    // providers, the platform with its drivers and the silent driver when it made one.
    virtual ~GameApp();

    // The application, or null before construction and after destruction.
    static GameApp* getInstance();

    // Installs the platform; GameApp owns it from now on. Called before init.
    void setPlatform(IPlatform* pPlatform);
    // Starts the platform, the video mode (width x height, a VF_* word or VF_FROM_SETTINGS) and
    // the audio, then applies the settings and the frame timing. The settings must be loaded.
    void init(int nWidth, int nHeight, int nFlags, RIR::SmartPtr<Image> pIcon);
    // onInit, the frames until a quit, onExit, a black screen; returns the exit code.
    int run();
    // Asks the loop to end before the next frame with this exit code.
    void quit(int nExitCode);
    // One frame: wait, update, events, draw, delete ended modes. *pnLastTime and *pnNextTime are
    // the loop's tick counters; a modal frame keeps the ended modes for the outer loop.
    void stepFrame(int* pnLastTime, int* pnNextTime, bool bModal);

    // ---- hooks, in slot order after the destructor ------------------------------------------

    // The application's start-up; empty here. First thing run calls.
    virtual void onInit();
    // Tells the modes and saves the settings.
    virtual void onExit();
    // A window close that no mode handled: quits with 1, or asks for confirmation.
    virtual void onQuit();
    // The fallback for keys that no control or mode took; false here.
    virtual bool onUnhandledKeyDown(int nKey, int nModifiers);
    virtual void onUnhandledKeyUp(int nKey, int nModifiers);
    // After every full-screen change and iconify; empty here.
    virtual void onVideoModeChanged();
    virtual void onAppActivated();
    virtual void onAppDeactivated();
    virtual void onMouseFocusGained();
    virtual void onMouseFocusLost();
    // Empty here; the game shows its exit confirmation.
    virtual void askQuitConfirmation();
    // The video driver's toggleFullscreen, then onVideoModeChanged.
    virtual void toggleFullscreen();
    // Writes the library's defaults: "Fullscreen" "TRUE", "SoundVolume" "255", "MusicVolume"
    // "255", "CustomCursor" "YES".
    virtual void setDefaultSettings();

    // ---- drivers and timing ------------------------------------------------------------------

    IPlatform* getPlatform() const { return m_pPlatform; }
    // The platform's video driver, or null without a platform.
    IVideoDriver* getVideoDriver() const;
    // The audio driver in use: the platform's, or the silent one.
    IAudioDriver* getAudioDriver() const { return m_pAudioDriver; }
    // Whether the platform's audio driver started.
    bool isAudioOK() const { return m_bAudioOK; }
    // The platform's clock in milliseconds.
    int getTicks() const;
    // Frames per second; the frame delay becomes 1000 / fps ms, 0 (no waiting) for fps <= 0.
    void setFPS(int nFPS);
    int getFPS() const { return m_nFPS; }
    // The longest frame time the modes are given, and what a longer frame does (FrameTimePolicy).
    void setMaxFrameTime(float fSeconds, int nPolicy);
    // Grows by two per frame; a stamp to compare with other stamps, not a number of frames.
    int getFrameCount() const { return m_nFrameCount; }
    bool isLoadingAnimations() const { return m_bAnimsPending; }
    void setRenderEnabled(bool bRender) { m_bRender = bRender; }
    void setSkipNextUpdate(bool bSkip) { m_bSkipUpdate = bSkip; }
    // Physical memory in MiB; 0 when unknown.
    int getTotalMemoryMB() const;
    int getAvailableMemoryMB() const;
    // A hook for what was looked up and not found: a font or cursor of the theme ("[font] name",
    // "[cursor] name") or a key of the string table ("[string] KEY", once per key); empty here.
    virtual void reportMissingResource(const char* pszText);

    // ---- video facade (each through getVideoDriver) ------------------------------------------

    // Without a platform nothing happens; else the driver's setFullscreen, then
    // onVideoModeChanged.
    void setFullscreen(bool bFullscreen);
    // False without a platform.
    bool isFullscreen() const;
    void iconify();
    // When an application exists: leaves full screen (remembering it for the next activation)
    // and iconifies.
    static void minimize();
    void rememberFullscreen() { m_bWasFullscreen = true; }
    // The logical screen size (800 x 600 in the game).
    int getScreenWidth() const;
    int getScreenHeight() const;
    void getScreenSize(int* pnWidth, int* pnHeight) const;
    void setCaption(const char* pszText);
    void showCursor(bool bShow);
    bool isCursorShown() const;
    // Asks the driver for the software cursor and stores what it gave in "CustomCursor" ("YES" or
    // "NO"): a driver that refuses stores "NO".
    void setCustomCursor(bool bOn);
    // "CustomCursor" is anything but exactly "NO" (a missing setting counts as on).
    bool isCustomCursorSetting() const;
    // VF_FULLSCREEN when isFullscreenSetting, with the depth code of the setting "BPP".
    int flagsFromSettings() const;

    // ---- audio facade (each on getAudioDriver) -----------------------------------------------

    // 0 to 255 as stored (not clamped); the driver gets v / 255.
    void setSoundVolume(int nVolume);
    void setMusicVolume(int nVolume);
    int getSoundVolume() const { return m_nSoundVolume; }
    int getMusicVolume() const { return m_nMusicVolume; }
    void playMusicByName(const char* pszName, bool bLoop);
    RIR::String getCurrentMusic() const;
    // The music stops at once and the playlist is emptied.
    void stopMusic();
    // Every sound channel stops at once.
    void stopAllSounds();
    // stopAllSounds, then stopMusic.
    void stopAllAudio();

    // ---- mode stack ----------------------------------------------------------------------------

    // Puts the mode on top; the application deletes it once it has ended.
    void pushMode(GameMode* pMode);
    // Removes the top mode; called by GameMode::endMode and GameMode::suspendMode.
    void popMode();
    void pushModeWithTransition(GameMode* pMode, TransitionMode* pTransition);
    // Pushes the mode and runs frames while it is on top.
    void runModal(GameMode* pMode);
    // The top mode, or null for an empty stack.
    GameMode* getTopMode() const;
    // The mode at nIndex (0 = top); the list's error outside the stack.
    GameMode* getMode(int nIndex) const;
    int getModeCount() const;
    // The first mode from the top that is not see-through (the last index when all are; -1 for
    // an empty stack).
    int getFirstDrawnModeIndex() const;
    // Updates the modes from the top down while they let updates through.
    void updateModes(float fDt);

    // ---- input dispatch (called by the platform's event pump) ----------------------------------

    bool dispatchKeyDown(int nKey, int nModifiers);
    void dispatchChar(int nUnicode);
    void dispatchKeyUp(int nKey, int nModifiers);
    void dispatchMouseMove(int nX, int nY, bool bCallModes);
    void dispatchMouseDown(int nMask, int nX, int nY);
    void dispatchMouseUp(int nMask, int nX, int nY);
    void dispatchQuitRequest();
    // F12 and Alt+Return toggle full screen; true when the key was taken.
    bool handleSystemKey(int nKey, int nModifiers);
    // Runs the pointer-move dispatch for the current position without the modes' own handler.
    void refreshHover();
    void setConfirmQuit(bool bConfirm) { m_bConfirmQuit = bConfirm; }
    bool getConfirmQuit() const { return m_bConfirmQuit; }
    // The exit confirmation closed.
    void endQuitConfirm() { m_bAskingQuit = false; }
    // The input state, from the platform.
    void getMousePosition(int* pnX, int* pnY) const;
    Point getMousePoint() const;
    void setMousePosition(int nX, int nY);
    // nButton: 1 left, 2 middle, 3 right.
    bool isMouseButtonDown(int nButton) const;
    bool isKeyDown(int nKey) const;
    int getKeyModifiers() const;
    int getNumJoysticks() const;
    RIR::String getJoystickName(int nJoystick) const;
    int getJoystickNumAxes(int nJoystick) const;
    int getJoystickNumButtons(int nJoystick) const;
    float getJoystickAxis(int nAxis, int nJoystick) const;
    bool isJoystickButtonDown(int nButton, int nJoystick) const;

    // ---- settings store and settings file ----------------------------------------------------

    // The value, or "" when the key is missing (which adds nothing). Keys are case-sensitive.
    RIR::String getSetting(const char* pszKey) const;
    // Stores the value; nothing reaches the file until a save.
    void setSetting(const char* pszKey, const char* pszValue);
    void clearSettings();
    // "Fullscreen", upper-cased, is "TRUE".
    bool isFullscreenSetting() const;
    // Start-up: defaults, then the file, volumes clamped to 0..255, then the file rewritten. A
    // damaged file is kept aside as "<name>.bad"; a file that cannot be written is logged, and
    // the program goes on.
    void loadConfig();
    // saveConfig on the settings-file path.
    void saveSettings();
    // Replaces the file at pszPath by one holding the store; nothing with the no-save flag.
    // Raises when the file cannot be written; the previous file is then unchanged.
    void saveConfig(const char* pszPath);
    // Merges the file at pszPath into the store and sets the config status: 1 read, 2 bad (the
    // file is logged, kept aside and nothing of it is merged), 3 no file.
    void readConfig(const char* pszPath);
    // 0 before any read, then the status of the last readConfig.
    int getConfigStatus() const { return m_nConfigStatus; }
    // The settings-file path of every application; "config.dat" at first.
    static void setConfigPath(const char* pszPath);
    static RIR::String getConfigPath();

    // ---- resource lookup -----------------------------------------------------------------------

    ProviderNode* addProvider(RIR::ResourceProvider* pProvider, bool bFront);
    RIR::ResourceProvider* removeProvider(ProviderNode* pNode);
    ProviderNode* addResourceFile(const char* pszPath, bool bFront);
    ProviderNode* addResourceFolder(const char* pszFolder, bool bFront);
    void readAliases(RIR::ResourceProvider* pProvider);
    void readAliasFile(RIR::Resource* pResource, RIR::Hash<RIR::String, RIR::String>& hAliases);
    // ppszExtensions: a null-terminated list of extensions; null stands for { "" }.
    void findResource(RIR::String& sFullName, const char* pszName,
                      RIR::ResourceProvider** ppResFile, const char* const* ppszExtensions);
    RIR::String resolveResourceName(const char* pszName, const char* const* ppszExtensions);
    bool hasResource(const char* pszName);
    RIR::SmartPtr<RIR::Resource> getResource(const char* pszName);
    RIR::List<RIR::String> getResourceNames();
    void dumpResourceNames();
    void addSystemResources();
    RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>>
    findLanguages(const RIR::List<RIR::String>& lPackBaseNames, const char* pszDefaultLanguage,
                  bool bKeepIncomplete);
    RIR::String chooseLanguage(RIR::Hash<RIR::String, RIR::List<RIR::String>>& hLanguages,
                               const RIR::List<RIR::String>& lPreferred);
    RIR::List<RIR::String> getLanguageFiles(const RIR::List<RIR::String>& lPackBaseNames,
                                            const RIR::List<RIR::String>& lPreferred,
                                            const char* pszDefaultLanguage);
    RIR::String getLanguage(const RIR::List<RIR::String>& lPackBaseNames,
                            const RIR::List<RIR::String>& lPreferred,
                            const char* pszDefaultLanguage);

    // ---- resource caches -----------------------------------------------------------------------

    RIR::SmartPtr<Image> getImage(const char* pszName);
    RIR::SmartPtr<Image> loadImage(const char* pszName, int nFlags = ILF_CONVERT);
    void addImage(const char* pszName, RIR::SmartPtr<Image> pImage, bool bKeep = false);
    bool removeImage(const char* pszName);
    bool isImageCached(const char* pszName);
    bool canLoadImage(const char* pszName);
    RIR::SmartPtr<Image> createImage(int nWidth, int nHeight, bool bAlpha = false);
    RIR::SmartPtr<Image> createImageFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth,
                                               int nPitch, unsigned nRMask, unsigned nGMask,
                                               unsigned nBMask, unsigned nAMask);
    bool setImageCaching(bool bEnabled);
    RIR::List<RIR::String> getImageNames();
    void purgeImages();
    void removeImagesNotListed(const RIR::List<RIR::String>& lEarlier);
    RIR::SmartPtr<Sample> getSample(const char* pszName);
    bool canLoadSample(const char* pszName);
    bool removeSample(const char* pszName);
    void purgeSamples();
    RIR::SmartPtr<Music> getMusic(const char* pszName);
    bool canLoadMusic(const char* pszName);
    bool removeMusic(const char* pszName);
    void purgeMusic();
    void purgeCaches();
    void dumpCacheStats();
    int playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel);
    void playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop);
    void setPanning(int nChannel, int nPan);
    // The driver's stopChannel with no fade: at once; -1 stops every channel.
    void stopChannel(int nChannel);
    void stopMusicNow();

    // ---- animation cache -----------------------------------------------------------------------

    RIR::SmartPtr<Animation> getAnimation(const char* pszFile, const char* pszKey,
                                          const RIR::List<RIR::String>& lParams);
    RIR::SmartPtr<Animation> getAnimationByName(const char* pszName);
    void preloadAnimation(const char* pszFile, const char* pszKey,
                          const RIR::List<RIR::String>& lParams);
    void preloadAnimationByName(const char* pszName);
    void loadAnimationStep();
    bool containsAnimation(const char* pszKey);
    void removeAnimation(const char* pszKey);
    RIR::List<RIR::String> getAnimationNames();
    void purgeAnimations();

    // ---- string table --------------------------------------------------------------------------

    void loadStrings(const char* pszName);
    // The stored text, valid only until a later load replaces that key or the application goes
    // (a caller that keeps it longer copies it into a String); pszKey itself when it is missing,
    // and the first miss of a key goes to reportMissingResource ("[string] KEY", upper-cased).
    const char* getString(const char* pszKey);
    bool hasString(const char* pszKey);
    RIR::List<RIR::String> getStringNames();
    void dumpStringNames();

    // ---- theme, arguments ----------------------------------------------------------------------

    RIR::SmartPtr<Theme> getTheme();
    void setTheme(RIR::SmartPtr<Theme> pTheme);
    // The glyphs and metrics of the built-in sheet "DiziDor::SystemFont", read from the
    // platform's picture factory on first use and kept while that factory stays in place (the
    // sheet is program data): every theme's default font takes them
    // (SimpleFontCore::shareGlyphs) instead of reading the sheet again. Raises as the sheet's
    // reader does; BadStateException without a picture factory.
    RIR::SmartPtr<SimpleFontCore> getSystemFontGlyphs();
    void loadTheme(const char* pszPath);
    void setCursorImage(RIR::SmartPtr<Image> pImage);
    void setArguments(const RIR::List<RIR::String>& lArguments);
    RIR::List<RIR::String> getArguments() const;
    void setSuppressActivation(bool bSuppress) { m_bSuppressActivation = bSuppress; }

private:
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // The application as the drivers see it (app/iappservices.h) and as the images see it
    // (gfx/imageenv.h): registered and installed while the application exists.
    class ServicesLink : public IAppServices, public ImageEnvironment
    {
    public:
        // Installs itself as the image environment.
        explicit ServicesLink(GameApp* pApp);
        IPlatform* getPlatform() override;
        RIR::SmartPtr<Music> getMusic(const char* pszName) override;
        RIR::String resolveResourceName(const char* pszName,
                                        const char* const* ppszExtensions) override;
        bool hasResource(const char* pszName) override;
        RIR::SmartPtr<RIR::Resource> getResource(const char* pszName) override;
        RIR::SmartPtr<Image> getImage(const char* pszName) override;
        // BadStateException while the platform has no image factory.
        ImageFactory* getImageFactory() override;

    private:
        GameApp* m_pApp;
    };

    // Start-up: registerBitmapFontFactory, then registerSimpleFontFactory (gameapp_fonts.cpp).
    void registerFontFactories();
    // Start-up: a theme of the built-in defaults becomes current, and the theme draws the
    // tooltips of every mode (gameapp_theme.cpp).
    void installDefaultTheme();

    // Deletes the modes that ended during the frame, oldest first.
    void deleteEndedModes();
    // Empties the stack and deletes its modes from the top down; no mode operation is called.
    void deleteAllModes();
    // GameMode::onAppExit for every mode of a copy of the stack, from the top down.
    void notifyModesOfExit();

    IPlatform* m_pPlatform; // owned
    IAudioDriver* m_pAudioDriver;
    bool m_bOwnsAudioDriver;
    bool m_bQuit;
    int32_t m_nExitCode;
    RIR::List<GameMode*> m_lModes; // index 0 = top
    RIR::SmartPtr<Theme> m_pTheme; // null only before init
    RIR::SmartPtr<SimpleFontCore> m_pSystemFontGlyphs; // read by getSystemFontGlyphs
    ImageFactory* m_pSystemFontFactory; // the factory m_pSystemFontGlyphs came from
    RIR::List<GameMode*> m_lEndedModes; // owned; deleted at the end of the frame
    bool m_bAudioOK;
    RIR::List<RIR::ResourceProvider*> m_lProviders; // owned
    RIR::Hash<RIR::String, RIR::String> m_hStrings;
    RIR::Hash<RIR::String, RIR::String> m_hMissingStrings; // keys already reported missing
    ResCache<Image> m_imageCache;
    ResCache<Sample> m_sampleCache;
    ResCache<Music> m_musicCache;
    RIR::Hash<RIR::String, RIR::String> m_hImageAliases;
    RIR::Hash<RIR::String, RIR::String> m_hResourceAliases;
    RIR::Hash<RIR::String, RIR::SmartPtr<Animation>> m_hAnimations;
    // Preloads queued by animation key (read, not yet stepped), and the one being stepped.
    RIR::Hash<RIR::String, RIR::SmartPtr<AnimationLoader>> m_hPendingAnimations;
    RIR::SmartPtr<AnimationLoader> m_pAnimLoader;
    RIR::String m_sAnimLoaderKey;
    bool m_bAnimsPending;
    int32_t m_nSoundVolume;
    int32_t m_nMusicVolume;
    bool m_bAskingQuit;
    bool m_bConfirmQuit;
    bool m_bWasFullscreen;
    bool m_bSuppressActivation;
    bool m_bStackChanged;
    int32_t m_nConfigStatus;
    int32_t m_nFPS;
    int32_t m_nFrameDelay;
    int32_t m_nFrameCount;
    bool m_bRender;
    bool m_bSkipUpdate;
    float m_fMaxFrameTime;
    int32_t m_eFrameTimePolicy;
    RIR::List<RIR::String> m_lArguments;
    RIR::Hash<RIR::String, RIR::String> m_hSettings;
    ServicesLink m_servicesLink;

    static GameApp* s_pInstance;
};

// Restores the display and ends the process with status 1; for the crash handler and for a video
// driver that can set no mode. Only the first call shuts the platform down; a second one (a crash
// inside the first) ends the process at once.
[[noreturn]] void emergencyExit();

// The environment variable's value, or "" when it is unset or 1024 bytes long or longer.
RIR::String getEnvVariable(const char* pszName);

// The settings-file path becomes getDataFolder(pszSubFolder) followed by pszPrefix and
// "config.dat". main calls it before the application exists.
void initConfigPath(const char* pszPrefix, const char* pszSubFolder);
// From now on no settings file is written.
void disableSaving();

#endif
