// The application log: one plain-text file of what happened in a run.
//
// There is one global log, opened once at start-up (`initLogFile` or `openLog`) and closed as
// the very last action of the program (`closeLog`). Every write opens the file in append mode,
// writes and closes it again, so the text on disk is complete up to the last line even when the
// process dies. Lines written while no log is open are lost silently; logging never throws.
//
// Line convention: the writer adds nothing. A line is a one-letter tag, ": ", the text and "\n",
// and may be written in pieces by several calls:
//     logPrintf("G: Init platform : ");
//     logPrintf("%s", pszName);   // a name or message is an argument, never the format
//     logPrintf("\n");
// Tags: G application core, U utilities, M main and crash handlers, W the game, A audio back-end,
// D Direct3D driver, V video-mode choice, S platform shutdown. Untagged: the blank line that
// marks the start and end of a run, and diagnostic dumps.
//
// The log report uploads the current run's part of the log (from the last line holding
// "== STARTUP ==") compressed and encoded through a web link. It is complete but disarmed until
// `setLogReport(true, url)`; nothing in the game arms it.
//
// Main thread only: formatting shares String's static buffer.
#ifndef DIZIDOR_APP_LOG_H
#define DIZIDOR_APP_LOG_H

#include "rir2/rirstring.h"

namespace RIR
{
class LogFile;
}

// Closes any open log and makes pszPath the log; the file is not touched until the first write.
// Does nothing once disableLogging has been called.
void openLog(const char* pszPath);
// Closes the log (if any); later lines are lost until the next open.
void closeLog();
// openLog on getDataFolder(pszSubFolder) followed by pszPrefix and ".log".
void initLogFile(const char* pszPrefix, const char* pszSubFolder);
// Formats printf-style (at most 4095 characters per call; longer output is cut) and appends the
// text to the log. Nothing when no log is open. Never throws; a file that cannot be opened loses
// the text.
void logPrintf(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));
// The open log, or null.
RIR::LogFile* getLogFile();
// The path of the open log, or "dummy.log" when none is open.
RIR::String getLogFileName();
// From now on openLog does nothing; an open log stays open.
void disableLogging();
// Shows pszText under pszCaption with one OK button and returns 1 (OK) once it is dismissed.
// Without a windowing message box the text goes to standard error and into the log.
int showMessageBox(const char* pszCaption, const char* pszText);

// Arms (bEnabled) or disarms the log report. Arming needs an address: a null pszUrl then raises
// AssertFailException "Assertion failed : sURL" and changes nothing. Disarming keeps the address.
void setLogReport(bool bEnabled, const char* pszUrl);
// When armed: disarms (one report per run), reads the current run's lines of the log, deletes
// the log file (the next line starts a new one), and opens the report address with "rpt="
// followed by the encoded, compressed text with openURL (app/weblinks.h); returns true. A log that
// cannot be read is reported as "(unable to read log)". Returns false at once when not armed.
bool sendLogReport();

#endif
