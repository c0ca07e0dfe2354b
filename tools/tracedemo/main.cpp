// tracedemo: shows what the call trace records when an exception leaves three nested calls.
//
// main is start-up code and opens no trace entry, like the game's own main. It catches the
// exception and prints the report the game writes to its log for an exception that leaves the
// application: the error line and the call trace, outermost call first, between banner lines.
// Here the report goes to standard output.
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>

namespace
{

// Every text that comes from the exception or the trace is written as text, never as a format.
void writeText(const char* pszText)
{
    fputs(pszText, stdout);
}

// Writes a snapshot with one "M" line per entry, from the outermost call (the highest number)
// to the innermost (00); a note, when there is one, follows the line after " - ".
void dumpCallTrace(const RIR::CallStackSnapshot* pSnapshot)
{
    if (!pSnapshot)
    {
        writeText("M: ----- Stack trace not available -----\n");
        return;
    }
    writeText("M: ----- Stack trace -----\n");
    const int nCount = pSnapshot->getCount();
    for (int i = 0; i < nCount; ++i)
    {
        writeText("M: ");
        printf("[%02d] ", nCount - 1 - i);
        writeText(pSnapshot->getEntryName(i));
        writeText(" [");
        writeText(pSnapshot->getEntryFile(i));
        printf(" %d]", pSnapshot->getEntryLine(i));
        const char* pszNote = pSnapshot->getEntryNote(i);
        if (pszNote[0])
        {
            writeText(" - ");
            writeText(pszNote);
        }
        writeText("\n");
    }
}

void readTile(int nTile, const char* pszScene)
{
    RIR_TRACE("TraceDemo::readTile");
    char szNote[64];
    snprintf(szNote, sizeof(szNote), "tile %d of ", nTile);
    RIR::setTraceParams(szNote);
    RIR::appendTraceParams(pszScene);
    char szMessage[128];
    snprintf(szMessage, sizeof(szMessage), "Tile %d of '%s' is 100%% broken", nTile, pszScene);
    RIR_THROW(FatalErrorException, szMessage);
}

void loadScene(const char* pszScene)
{
    RIR_TRACE("TraceDemo::loadScene");
    RIR_TRACE_LINE();
    readTile(7, pszScene);
}

void loadLevel(int nLevel)
{
    RIR_TRACE("TraceDemo::loadLevel");
    char szNote[32];
    snprintf(szNote, sizeof(szNote), "level %d", nLevel);
    RIR::setTraceParams(szNote);
    RIR_TRACE_LINE();
    // A scene name with a "%" in it shows that notes and messages are never formats.
    loadScene("saloon%d");
}

} // namespace

int main()
{
    try
    {
        loadLevel(3);
    }
    catch (const RIR::Exception& e)
    {
        char szError[1024];
        snprintf(szError, sizeof(szError), "Error : %s [%s:%d]\n", e.getMessage(), e.getFile(),
                 e.getLine());
        const RIR::CallStackSnapshot snapshot(e.getSnapshot());
        writeText("\n");
        writeText("M: ******************** EXCEPTION ********************\n");
        writeText("M:\n");
        writeText("M: ");
        writeText(szError);
        writeText("M:\n");
        dumpCallTrace(&snapshot);
        writeText("M:\n");
        writeText("M: ***************************************************\n");
    }
    // The handler runs outside every traced call, so nothing is left on the trace.
    printf("M: depth %d\n", RIR::getTraceDepth());
    writeText("M: == END ==\n");
    writeText("\n");
    return 0;
}
