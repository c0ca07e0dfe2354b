#include "shell/dollycreditsmode.h"

#include "shell/dbdapp.h"
#include "shell/textformat.h"

#include "app/gameapp.h"
#include "app/iaudiodriver.h"
#include "ui/label.h"
#include "ui/table.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

const int SECTION_GAP = 20;

struct Section
{
    const char* pszHeading;
    const char* pszText;
};

const Section SECTIONS[] = {{"cred_design", "CredDesign"},
                            {"cred_programming", "CredProgramming"},
                            {"cred_graphics", "CredGraphics"},
                            {"cred_musicsound", "CredMusicSound"},
                            {"cred_testers", "CredTesters"}};

bool isMusicPlaying(GameApp* pApp)
{
    IAudioDriver* pAudio = pApp->getAudioDriver();
    return pAudio && pAudio->isMusicPlaying();
}

} // namespace

DollyCreditsMode::DollyCreditsMode()
    : m_bLoopStarted(false), m_fEndCheck(END_CHECK_SECONDS), m_bNearEnd(false),
      m_bEndMusicStarted(false)
{
    RIR_TRACE("DollyCreditsMode::DollyCreditsMode");
    GameApp* pApp = GameApp::getInstance();
    setBackground("tapa");
    setCloseWhenDone(false);
    if (pApp->getCurrentMusic() != "st_end_loop")
        pApp->stopMusic();

    addImageByName("logo", true);
    addText(formatText(pApp->getString("CredVerFmt"),
                       {DBD_VERSION_MAJOR, DBD_VERSION_MINOR, DBD_VERSION_BUILD})
                .c_str(),
            true);
    addSpace(SECTION_GAP);
    for (const Section& section : SECTIONS)
    {
        RIR_TRACE_LINE();
        addImageByName(section.pszHeading, true);
        addText(section.pszText, true);
        addSpace(SECTION_GAP);
    }

    addImageByName("cred_cast", true);
    pApp->getImage("spacer60x1");
    addCastPair("p_dolly", "CredDolly", "p_hank", "CredHank");
    addCastPair("p_ladron", "CredThief", "p_sheriff", "CredSheriff");
    addCastPair("p_mariachi", "CredMariachi", "p_perro", "CredDog");
    addCastPair("p_funebre", "CredUndertaker", "p_pianista", "CredPianist");

    addImageByName("p_pinkie", true);
    addText("CredPink", true);
    addSpace(10);
    addSpace(SECTION_GAP);
    addImageByName("cred_ack", true);
    addText("CredLibraries", true);
}

DollyCreditsMode::~DollyCreditsMode()
{
}

void DollyCreditsMode::addCastPair(const char* pszPortraitA, const char* pszTextA,
                                   const char* pszPortraitB, const char* pszTextB)
{
    RIR_TRACE("DollyCreditsMode::addCastPair");
    RIR::SmartPtr<Table> pTable = new Table(this);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addImageByName(pszPortraitA, false).get(), 0x14);
    pTable->newCell(1);
    pTable->add(addImageByName("spacer60x1", false).get(), 9);
    pTable->newCell(1);
    pTable->add(addImageByName(pszPortraitB, false).get(), 0x14);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addText(pszTextA, false).get(), 0x14);
    pTable->newCell(1);
    pTable->add(addImageByName("spacer60x1", false).get(), 9);
    pTable->newCell(1);
    pTable->add(addText(pszTextB, false).get(), 0x14);
    queueItem(pTable.get());
    addSpace(SECTION_GAP);
}

void DollyCreditsMode::onStart()
{
    RIR_TRACE("DollyCreditsMode::onStart");
    CreditsMode::onStart();
    GameApp* pApp = getApp();
    if (pApp->getCurrentMusic() != "st_end_loop")
    {
        pApp->playMusicByName("st_end_start", false);
        m_bLoopStarted = false;
    }
}

bool DollyCreditsMode::updateMusic(float fDt)
{
    RIR_TRACE("DollyCreditsMode::updateMusic");
    GameApp* pApp = getApp();
    if (!isMusicPlaying(pApp))
    {
        if (m_bEndMusicStarted)
        {
            if (isDone())
            {
                endMode();
                return false;
            }
        }
        else if (!m_bLoopStarted)
        {
            m_bLoopStarted = true;
            pApp->playMusicByName("st_end_loop", false);
        }
        else if (m_bNearEnd)
        {
            m_bEndMusicStarted = true;
            pApp->playMusicByName("st_end_end", false);
        }
        else
            pApp->playMusicByName("st_end_loop", false);
    }

    if (!m_bNearEnd && getQueuedItems().isEmpty())
    {
        m_fEndCheck -= fDt;
        if (m_fEndCheck < 0.0f)
        {
            m_fEndCheck = END_CHECK_SECONDS;
            RIR::List<RIR::SmartPtr<IVisualObject>>& lActive = getActiveItems();
            float fTravel = 0.0f;
            if (!lActive.isEmpty())
            {
                RIR::SmartPtr<IVisualObject> pLast = lActive.get(lActive.getLength() - 1);
                int nX = 0;
                int nY = 0;
                int nWidth = 0;
                int nHeight = 0;
                pLast->getPos(&nX, &nY);
                pLast->getSize(&nWidth, &nHeight);
                fTravel = (float)(nY - getTopLine() + nHeight);
            }
            const float fSpeed = getScrollSpeed();
            if (fSpeed <= 0.0f || fTravel / fSpeed <= NEAR_END_SECONDS)
            {
                m_bNearEnd = true;
                m_bEndMusicStarted = false;
            }
        }
    }
    return true;
}

void DollyCreditsMode::update(float fDt)
{
    RIR_TRACE("DollyCreditsMode::update");
    if (!updateMusic(fDt))
        return;
    CreditsMode::update(fDt);
}
