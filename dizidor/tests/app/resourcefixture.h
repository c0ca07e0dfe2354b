// Test fixture of the resource tests: an application with its log in a temporary folder, made
// without a platform; startPlatform installs the fake platform (with an in-memory image factory
// unless told otherwise) and runs init. Helpers make resources in memory, packs on disk and PNG
// pictures, and read back the log.
#ifndef DIZIDOR_TESTS_APP_RESOURCEFIXTURE_H
#define DIZIDOR_TESTS_APP_RESOURCEFIXTURE_H

#include "app/gameapp.h"
#include "app/log.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/testpng.h"

#include "rir2/file.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/memstream.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

typedef std::vector<std::pair<std::string, std::string>> Items;

class ResourceAppTest : public ::testing::Test
{
protected:
    ResourceAppTest()
    {
        openLog(m_folder.at("test.log").c_str());
        m_pApp.reset(new GameApp());
    }
    ~ResourceAppTest() override
    {
        m_pApp.reset();
        closeLog();
    }

    // The fake platform, with a MemImageFactory when bImageFactory, installed and initialised.
    void startPlatform(bool bImageFactory = true)
    {
        m_pPlatform = new FakePlatform();
        if (bImageFactory)
            m_pPlatform->adoptImageFactory(new MemImageFactory());
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
    }

    // An owning resource holding a copy of the bytes.
    static RIR::Resource* bytes(const std::string& sBytes)
    {
        uint8_t* pData = new uint8_t[sBytes.size() + 1];
        std::memcpy(pData, sBytes.data(), sBytes.size());
        return new RIR::Resource((int)sBytes.size(), pData, true);
    }

    // A new memory provider holding the items (name, bytes); the caller adds it to the app.
    static RIR::MemoryResourceProvider* memory(const Items& items)
    {
        RIR::MemoryResourceProvider* pProvider = new RIR::MemoryResourceProvider();
        for (const auto& item : items)
            pProvider->add(item.first.c_str(), bytes(item.second));
        return pProvider;
    }

    // The PNG bytes of a w x h picture of one colour (channels as for encodeTestPng).
    static std::string png(int nWidth, int nHeight, int nChannels = 3, uint8_t nValue = 200)
    {
        const std::vector<uint8_t> abPixels((size_t)nWidth * nHeight * nChannels, nValue);
        const std::vector<uint8_t> abPng =
            encodeTestPng(nWidth, nHeight, nChannels, abPixels.data());
        return std::string(abPng.begin(), abPng.end());
    }

    // Writes a resource pack of the items into the temporary folder; returns its path.
    std::string writePack(const std::string& sName, const Items& items) const
    {
        const std::string sPath = m_folder.at(sName);
        RIR::File* pFile = new RIR::File(sPath.c_str(), RIR::FOM_WRITE);
        RIR::SmartPtr<RIR::Stream> pStream(pFile);
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack(new RIR::ResourceFileCompiler(pStream));
        pPack->begin();
        for (const auto& item : items)
        {
            RIR::MemStream data(item.second.data(), (int)item.second.size());
            pPack->addEntry(&data, item.first.c_str());
        }
        pPack->finish();
        pFile->close();
        return sPath;
    }

    // The log lines starting with pszPrefix, in order.
    std::vector<std::string> logLines(const char* pszPrefix) const
    {
        std::vector<std::string> lines;
        std::istringstream in(TempFolder::readFile(m_folder.at("test.log")));
        std::string sLine;
        while (std::getline(in, sLine))
            if (sLine.compare(0, std::strlen(pszPrefix), pszPrefix) == 0)
                lines.push_back(sLine);
        return lines;
    }

    static std::vector<std::string> toVector(const RIR::List<RIR::String>& lItems)
    {
        std::vector<std::string> items;
        for (int i = 0; i < lItems.getLength(); ++i)
            items.push_back(lItems.get(i).c_str());
        return items;
    }

    TempFolder m_folder;
    std::unique_ptr<GameApp> m_pApp;
    FakePlatform* m_pPlatform = nullptr; // owned by the application
};

#endif
