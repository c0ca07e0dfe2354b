// SDLMusic: a piece of music for SDL_mixer, streamed from its resource.
//
// The audio driver's music loader makes one per music resource (".ogg", ".wav" or ".xm"). SDL_mixer
// reads the music from the resource's memory while it plays, so the music keeps the resource and
// the stream over it for its whole life. Its own volume (1.0 after loading) scales the driver's
// music volume; a change takes effect when the music is next started. While the mixer is not open
// a music is made empty and sounds nothing.
//
// Loading fails with:
// - AssertFailException "Assertion failed : sName" for a null name;
// - ResourceException "SDLMusic::Music : Resource <name> not found" when no resource of that name
//   exists with one of the extensions;
// - AssertFailException "Assertion failed : pResource" when the resource cannot be had;
// - ResourceException "SDLMusic::Music : Can't create RWOps for <name>, size <n> [<SDL error>]" or
//   "SDLMusic::Music : Can't load <name> [<SDL error>]" when it cannot be read or decoded.
//
// Freeing a music that plays stops it; one that is fading out is stopped at once rather than
// waited for.
#ifndef DIZIDOR_PLATFORM_SDL_SDLMUSIC_H
#define DIZIDOR_PLATFORM_SDL_SDLMUSIC_H

#include "app/iaudiodriver.h"

#include "rir2/refcount.h"
#include "rir2/resource.h"

struct _Mix_Music;
struct SDL_RWops;

class SDLMusic : public Music
{
public:
    // No music, volume 1.0.
    SDLMusic();
    // The music resource pszName with the first of ".ogg", ".wav", ".xm" that exists.
    explicit SDLMusic(const char* pszName);
    // The music over a resource already at hand, named pszName.
    SDLMusic(const char* pszName, const RIR::SmartPtr<RIR::Resource>& pResource);
    // Frees the music, then the stream, then lets the resource go.
    ~SDLMusic() override;

    float getVolume() const override { return m_fVolume; }
    void setVolume(float fVolume) override;

    // The SDL_mixer music; null for an empty one.
    _Mix_Music* getMixMusic() const { return m_pMusic; }
    // The resource name it was made from; "" for an empty one.
    const RIR::String& getName() const { return m_sName; }
    // Told by the driver when the mixer starts this music: the last music started is the only one
    // that can be playing or fading.
    void markStarted() { s_pLastStarted = this; }

private:
    SDLMusic(const SDLMusic&) = delete;
    SDLMusic& operator=(const SDLMusic&) = delete;

    // Opens the music over the resource and keeps both.
    void open(const RIR::SmartPtr<RIR::Resource>& pResource);

    _Mix_Music* m_pMusic;
    SDL_RWops* m_pStream; // read by SDL_mixer for as long as the music exists
    RIR::SmartPtr<RIR::Resource> m_pResource;
    RIR::String m_sName;
    float m_fVolume;

    static SDLMusic* s_pLastStarted; // not owned; cleared by its destructor
};

#endif
