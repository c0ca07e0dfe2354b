#include "app/log.h"

#include "app/datafolder.h"
#include "app/linkencoder.h"
#include "app/weblinks.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/logfile.h"
#include "rir2/memstream.h"
#include "rir2/zstream.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace
{

// The marker `main` writes at the start of every run; the report starts at its last line.
const char* const STARTUP_MARKER = "== STARTUP ==";

struct LogState
{
    RIR::LogFile* m_pLog = nullptr;
    bool m_bNoLog = false;
    bool m_bReport = false;
    RIR::String m_sReportUrl;
};

// Built on first use, so that code running before main (or during static destruction) finds
// the log closed rather than unconstructed.
LogState& logState()
{
    static LogState* s_pState = new LogState();
    return *s_pState;
}

// The lines of the log's current run: the index of the last line holding the start-up marker,
// then that line and every later one. Raises when the log cannot be read.
void readCurrentRun(const RIR::String& sPath, RIR::String& sText)
{
    RIR_TRACE("readCurrentRun");
    int nStart = 0;
    {
        RIR_TRACE_LINE();
        RIR::File file(sPath.c_str(), RIR::FOM_READ);
        for (int nLine = 0;; ++nLine)
        {
            const RIR::String sLine = file.readLine();
            if (sLine.length() == 0)
                break;
            if (sLine.find(STARTUP_MARKER) >= 0)
                nStart = nLine;
        }
    }
    RIR_TRACE_LINE();
    RIR::File file(sPath.c_str(), RIR::FOM_READ);
    for (int nLine = 0; nLine < nStart; ++nLine)
        file.readLine();
    sText = RIR::String::format("<%d>\n", nStart);
    for (;;)
    {
        const RIR::String sLine = file.readLine();
        if (sLine.length() == 0)
            break;
        sText += sLine;
    }
}

} // namespace

void openLog(const char* pszPath)
{
    RIR_TRACE("openLog");
    LogState& st = logState();
    if (st.m_bNoLog)
        return;
    closeLog();
    st.m_pLog = new RIR::LogFile(pszPath);
}

void closeLog()
{
    RIR_TRACE("closeLog");
    LogState& st = logState();
    delete st.m_pLog;
    st.m_pLog = nullptr;
}

void initLogFile(const char* pszPrefix, const char* pszSubFolder)
{
    RIR_TRACE("initLogFile");
    RIR_TRACE_LINE();
    RIR::String sPath = getDataFolder(pszSubFolder);
    sPath += RIR::String::format("%s.log", pszPrefix ? pszPrefix : "");
    openLog(sPath.c_str());
}

void logPrintf(const char* pszFormat, ...)
{
    RIR_TRACE("logPrintf");
    RIR::LogFile* pLog = logState().m_pLog;
    if (!pLog || !pszFormat)
        return;
    try
    {
        va_list args;
        va_start(args, pszFormat);
        const RIR::String sText = RIR::String::vformat(pszFormat, args);
        va_end(args);
        pLog->writeText(sText.c_str());
    }
    catch (...)
    {
        // A log line is never worth ending the program for.
    }
}

RIR::LogFile* getLogFile()
{
    return logState().m_pLog;
}

RIR::String getLogFileName()
{
    RIR_TRACE("getLogFileName");
    const RIR::LogFile* pLog = logState().m_pLog;
    return pLog ? pLog->getPath() : RIR::String("dummy.log");
}

void disableLogging()
{
    RIR_TRACE("disableLogging");
    logState().m_bNoLog = true;
}

int showMessageBox(const char* pszCaption, const char* pszText)
{
    RIR_TRACE("showMessageBox");
    const char* pszSafeCaption = pszCaption ? pszCaption : "";
    const char* pszSafeText = pszText ? pszText : "";
    std::fprintf(stderr, "%s\n%s\n", pszSafeCaption, pszSafeText);
    std::fflush(stderr);
    logPrintf("U: Message box '%s' : %s\n", pszSafeCaption, pszSafeText);
    return 1; // the OK button
}

void setLogReport(bool bEnabled, const char* pszUrl)
{
    RIR_TRACE("setLogReport");
    LogState& st = logState();
    if (bEnabled && !pszUrl)
        RIR_THROW(AssertFailException, "Assertion failed : sURL");
    st.m_bReport = bEnabled;
    if (bEnabled)
        st.m_sReportUrl = pszUrl;
}

bool sendLogReport()
{
    RIR_TRACE("sendLogReport");
    LogState& st = logState();
    if (!st.m_bReport)
        return false;
    st.m_bReport = false;
    logPrintf("U: Collecting log\n");

    RIR::String sText = "(unable to read log)";
    // Without an open log there is nothing of ours to read or reset: "dummy.log" would be some
    // other program's file in the current folder.
    if (st.m_pLog)
    {
        const RIR::String sPath = getLogFileName();
        try
        {
            readCurrentRun(sPath, sText);
        }
        catch (...)
        {
            // Whatever was read so far is sent; the report still goes out.
        }
        RIR_TRACE_LINE();
        RIR::deleteFile(sPath.c_str());
        logPrintf("U: Log reset\n");
    }

    RIR_TRACE_LINE();
    std::unique_ptr<RIR::MemStream> pPacked(new RIR::MemStream());
    {
        std::unique_ptr<RIR::ZStream> pZip(new RIR::ZStream(pPacked.get(), 2));
        pZip->writeString(sText.c_str());
        pZip->finish();
    }
    RIR::String sUrl = appendQuerySeparator(st.m_sReportUrl.c_str());
    sUrl += "rpt=";
    sUrl += encode64(pPacked->getBuffer(), pPacked->size());

    logPrintf("U: URL size %d\n", sUrl.length());
    RIR_TRACE_LINE();
    openURL(sUrl.c_str());
    logPrintf("U: Log sent\n");
    return true;
}
