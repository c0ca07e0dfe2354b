#include "shell/downloaddlg.h"

#include "shell/appstore.h"
#include "shell/dbdapp.h"

#include "app/gameapp.h"
#include "gfx/alignflags.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/table.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{
const int STATUS_WIDTH = 400;
}

DownloadDlg::DownloadDlg(ICallbackTarget* pOwner, int nDoneCommand, const char* pszTitle,
                         const char* pszURL, const char* pszExtra)
    : DBDDialog(true), m_sTitle(pszTitle ? pszTitle : ""), m_sURL(pszURL ? pszURL : ""),
      m_sExtra(pszExtra ? pszExtra : ""), m_bHasExtra(pszExtra != nullptr),
      m_nDoneCommand(nDoneCommand), m_pOwner(pOwner), m_bDone(false), m_bEnded(false)
{
}

DownloadDlg::~DownloadDlg()
{
    // Stops the worker before the dialog it reports to goes.
    m_pTransfer.reset();
}

RIR::String DownloadDlg::getStatusText() const
{
    return m_pStatusLabel ? m_pStatusLabel->getText() : RIR::String();
}

RIR::String DownloadDlg::getError() const
{
    return m_pTransfer ? m_pTransfer->getError() : RIR::String();
}

void DownloadDlg::onStart()
{
    RIR_TRACE("DownloadDlg::onStart");
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Table> pTable = getTable();
    pTable->newRow();
    pTable->newCell(1);
    addLabel(m_sTitle.c_str(), 0x24);
    pTable->newRow();
    pTable->newCell(1);
    m_pStatusLabel = addLabel(getText("Connecting").c_str(), 0x24);
    m_pStatusLabel->setWidth(STATUS_WIDTH, false);
    m_pStatusLabel->setAlignment(ALIGN_HCENTER | ALIGN_VCENTER);
    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("separator", 0x24);
    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Button> pCancel = new Button("cancel", ID_CANCEL);
    addControl(pCancel);
    pTable->add(pCancel, 0x24);
    pApp->showCursor(true);
    layout(true);

    DBDApp* pDBDApp = DBDApp::getInstance();
    RIR_ASSERT(pDBDApp);
    m_pClient = pDBDApp->getHttpClient();
    m_pTransfer.reset(new DownloadTransfer(*m_pClient, *this, m_pOwner,
                                           m_nDoneCommand));
    m_pTransfer->start(m_sURL, m_bHasExtra ? m_sExtra.c_str() : nullptr);
}

void DownloadDlg::update(float fDt)
{
    RIR_TRACE("DownloadDlg::update");
    RIR::setTraceParams("1");
    DBDDialog::update(fDt);
    if (m_pTransfer && !m_bEnded)
        m_pTransfer->update();
    if (!m_bDone)
        RIR::appendTraceParams("2");
    if (m_sPendingStatus.length() > 0)
    {
        if (m_pStatusLabel)
            m_pStatusLabel->setText(m_sPendingStatus.c_str());
        m_sPendingStatus = "";
    }
    if (m_bDone && !m_bEnded)
    {
        m_bEnded = true;
        endMode();
    }
}

void DownloadDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("DownloadDlg::onCallback");
    (void)nParam;
    if (nId == ID_FAILED)
    {
        // The raw key: the line is the same in every language.
        if (m_pStatusLabel)
            m_pStatusLabel->setText("DownloadError");
    }
    else if (nId == ID_CANCEL && !m_bEnded)
    {
        if (m_pTransfer)
            m_pTransfer->cancel();
        m_bEnded = true;
        endMode();
    }
}

void DownloadDlg::setDownloadResult(const RIR::String& sResult)
{
    m_sResult = sResult;
}

void DownloadDlg::setDownloadDone()
{
    m_bDone = true;
}
