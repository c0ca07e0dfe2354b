#include "shell/loadingdlg.h"

#include "app/gameapp.h"
#include "ui/label.h"

#include "rir2/calltrace.h"

LoadingDlg::LoadingDlg() : DBDDialog(false), m_bDone(false), m_nFrame(0), m_fFrameTime(0.0f)
{
}

LoadingDlg::~LoadingDlg()
{
}

void LoadingDlg::onStart()
{
    RIR_TRACE("LoadingDlg::onStart");
    // The base adds the dimmed background.
    DBDDialog::onStart();
    // Clones, so that the level's own (centred) clock pictures keep their insertion points.
    for (int n = 0; n < FRAME_COUNT; ++n)
    {
        m_apFrames[n] = getImage(RIR::String::format("clock_%d", n).c_str())->clone(false);
        m_apFrames[n]->setInsPoint(0, 0);
    }
    RIR::SmartPtr<Table> pTable = getTable();
    pTable->newRow();
    pTable->newCell(1);
    m_pHand = new Sprite(m_apFrames[0], 0, 0, 0);
    addSprite(m_pHand);
    pTable->add(m_pHand.get(), 0x22);
    RIR::SmartPtr<Image> pFace = getImage("clock")->clone(false);
    pFace->setInsPoint(0, 0);
    RIR::SmartPtr<Sprite> pFaceSprite = new Sprite(pFace, 0, 0, 0);
    addSprite(pFaceSprite);
    pTable->add(pFaceSprite.get(), 0x22);

    pTable->newCell(1);
    RIR::SmartPtr<Label> pText = new Label(getString("Loading"));
    pText->setFont(getFont("Dolly::UI"));
    addSprite(pText.get());
    pTable->add(pText.get(), 0x24);
    layout(true);
    m_fFrameTime = 0.0f;
}

void LoadingDlg::update(float fDt)
{
    RIR_TRACE("LoadingDlg::update");
    if (m_bDone)
    {
        endMode();
        return;
    }
    m_fFrameTime -= fDt;
    if (m_fFrameTime < 0.0f)
    {
        m_fFrameTime = FRAME_SECONDS;
        m_nFrame = (m_nFrame + 1) % FRAME_COUNT;
        if (m_pHand)
            m_pHand->setImage(m_apFrames[m_nFrame]);
    }
}

void LoadingDlg::done()
{
    RIR_TRACE("LoadingDlg::done");
    m_bDone = true;
    getApp()->showCursor(true);
}
