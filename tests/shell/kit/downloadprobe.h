// Stand-ins for the two sides a DownloadTransfer talks to, recording what reaches them in one
// shared event list: the waiting dialog (result, done flag, status line; id 0 shows
// "DownloadError") and its owner, which may act on its callback (the high-score screen parses
// the dialog's result there). pumpTransfer runs frames until a condition holds.
#ifndef DBD_TESTS_SHELL_KIT_DOWNLOADPROBE_H
#define DBD_TESTS_SHELL_KIT_DOWNLOADPROBE_H

#include "shell/downloadtransfer.h"

#include <functional>
#include <string>
#include <vector>

// Events: "result:<text>", "done", "dialog:<id>,<param>", "owner:<id>,<param>".
using DownloadEvents = std::vector<std::string>;

class ProbeDownloadDialog : public IDownloadReceiver
{
public:
    explicit ProbeDownloadDialog(DownloadEvents& events) : m_events(events) {}

    void setDownloadResult(const RIR::String& sResult) override;
    void setDownloadDone() override;
    void onCallback(int nId, int nParam) override;

    std::string m_sResult;
    bool m_bDone = false;
    std::string m_sStatus = "Connecting";

private:
    DownloadEvents& m_events;
};

class ProbeOwner : public ICallbackTarget
{
public:
    explicit ProbeOwner(DownloadEvents& events) : m_events(events) {}

    void onCallback(int nId, int nParam) override;

    // Runs after the event is recorded.
    std::function<void(int nId)> m_onCallback;

private:
    DownloadEvents& m_events;
};

// Calls transfer.update every 2 ms until done() is true or nTimeoutMs have passed (a guard
// against a hang, not a measurement); returns done().
bool pumpTransfer(DownloadTransfer& transfer, const std::function<bool()>& done,
                  int nTimeoutMs = 10000);

#endif
