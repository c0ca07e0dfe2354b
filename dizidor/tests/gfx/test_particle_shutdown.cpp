// The particle definition cache belongs to the running application: it is emptied when the
// application shuts down, while the drivers that made its pictures still exist, not at the exit
// of the process.
#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/particleemitter.h"

#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/resource.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

TEST(ParticleShutdown, TheApplicationEmptiesTheDefinitionCache)
{
    TempFolder folder;
    openLog(folder.at("test.log").c_str());
    {
        std::unique_ptr<GameApp> pApp(new GameApp());
        RIR::MemoryResourceProvider* pProvider = new RIR::MemoryResourceProvider();
        const char* pszText = "emissionrate 3\nlifetimerange 1 2\n";
        char* pData = new char[std::strlen(pszText)];
        std::memcpy(pData, pszText, std::strlen(pszText));
        pProvider->add("glow.particles", new RIR::Resource((int)std::strlen(pszText), pData, true));
        pApp->addProvider(pProvider, false);

        RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(nullptr);
        pEmitter->load("glow.particles");
        EXPECT_FLOAT_EQ(3.0f, pEmitter->getEmissionRate());
        EXPECT_TRUE(ParticleEmitter::isDefinitionCached("glow.particles"));
    }
    EXPECT_FALSE(ParticleEmitter::isDefinitionCached("glow.particles"));
    closeLog();
}
