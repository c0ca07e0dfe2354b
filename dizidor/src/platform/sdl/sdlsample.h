// SDLSample: a sound effect decoded into an SDL_mixer chunk.
//
// The audio driver's sample loader makes one per sample resource (".ogg", ".wav" or ".voc"); the
// chunk holds its own copy of the decoded sound, so the resource is let go once it is decoded.
// While the mixer is not open (audio off or failed) a sample is made empty: no chunk, no name,
// volume 0.0; playing it sounds nothing.
//
// Loading fails with:
// - AssertFailException "Assertion failed : sName" for a null name;
// - ResourceException "SDLSample::Sample : Resource <name> not found [<SDL error>]" when no
//   resource of that name exists with one of the extensions;
// - AssertFailException "Assertion failed : pResource" when the resource cannot be had;
// - ResourceException "SDLSample::Sample : Can't create RWOps for <name>, size <n> [<SDL error>]"
//   or "SDLSample::Sample : Can't load <name> [<SDL error>]" when it cannot be read or decoded.
//
// Freeing the chunk stops any channel that still plays it; SDL_mixer frees a chunk safely whether
// the mixer is open or not, so a sample may outlive its driver.
#ifndef DIZIDOR_PLATFORM_SDL_SDLSAMPLE_H
#define DIZIDOR_PLATFORM_SDL_SDLSAMPLE_H

#include "app/iaudiodriver.h"

#include "rir2/refcount.h"
#include "rir2/resource.h"

struct Mix_Chunk;

class SDLSample : public Sample
{
public:
    // No chunk, empty name.
    SDLSample();
    // The sample resource pszName with the first of ".ogg", ".wav", ".voc" that exists.
    explicit SDLSample(const char* pszName);
    // The sample decoded from a resource already at hand, named pszName.
    SDLSample(const char* pszName, const RIR::SmartPtr<RIR::Resource>& pResource);
    // Frees the chunk.
    ~SDLSample() override;

    // The chunk's own volume, 0.0 to 1.0; 0.0 without a chunk.
    float getVolume() const override;
    // Sets the chunk's own volume (1.0 is full); nothing without a chunk.
    void setVolume(float fVolume) override;

    // The decoded sound; null for an empty sample.
    Mix_Chunk* getChunk() const { return m_pChunk; }

private:
    SDLSample(const SDLSample&) = delete;
    SDLSample& operator=(const SDLSample&) = delete;

    // Decodes the resource into the chunk.
    void decode(const RIR::SmartPtr<RIR::Resource>& pResource);

    Mix_Chunk* m_pChunk;
};

#endif
