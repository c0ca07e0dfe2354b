// DownloadDlg: the waiting dialog of an online exchange. It shows its title, a status line
// ("Connecting" at first) and a "cancel" button while its DownloadTransfer carries the request
// over HTTP on a worker thread, so frames go on.
//
// When the reply is in, the transfer makes it the dialog's result, sets the done flag and calls
// the owner's callback with the done command (the owner reads getResult then); the dialog ends at
// its next done check, in the same update. When the transfer fails, the dialog's callback gets
// id 0 and the status line shows "DownloadError"; the dialog then waits for "cancel", which stops
// the transfer (without waiting for a silent server) and ends the dialog.
//
//     m_pDLMode = new DownloadDlg(this, ID_REPLY_IN, getText("SyncingHighscores").c_str(),
//                                 sRequest.c_str(), nullptr);
//     getApp()->pushMode(m_pDLMode);
//
// The HTTP client is the application's (DBDApp::getHttpClient). Commands: 0 the transfer failed,
// 1 cancel.
#ifndef DBD_SHELL_DOWNLOADDLG_H
#define DBD_SHELL_DOWNLOADDLG_H

#include "shell/dbddialog.h"
#include "shell/downloadtransfer.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <memory>

class Label;

class DownloadDlg : public DBDDialog, public IDownloadReceiver
{
public:
    enum
    {
        ID_FAILED = 0,
        ID_CANCEL = 1
    };

    // Copies the texts; pszExtra (may be null) is sent as the body of a POST.
    DownloadDlg(ICallbackTarget* pOwner, int nDoneCommand, const char* pszTitle,
                const char* pszURL, const char* pszExtra);
    ~DownloadDlg() override;

    RIR::String getResult() const { return m_sResult; }
    bool isDone() const { return m_bDone; }
    RIR::String getStatusText() const;
    // Why the transfer failed ("" unless it failed).
    RIR::String getError() const;

    void onStart() override;
    void update(float fDt) override;
    void onCallback(int nId, int nParam) override;

    // IDownloadReceiver
    void setDownloadResult(const RIR::String& sResult) override;
    void setDownloadDone() override;

private:
    RIR::String m_sResult;
    RIR::SmartPtr<Label> m_pStatusLabel;
    RIR::String m_sTitle;
    RIR::String m_sURL;
    RIR::String m_sExtra;
    bool m_bHasExtra;
    int m_nDoneCommand;
    ICallbackTarget* m_pOwner;
    bool m_bDone;
    bool m_bEnded;
    RIR::String m_sPendingStatus;
    // Declared before the transfer, so that it outlives the transfer's worker.
    std::shared_ptr<IHttpClient> m_pClient;
    std::unique_ptr<DownloadTransfer> m_pTransfer;
};

#endif
