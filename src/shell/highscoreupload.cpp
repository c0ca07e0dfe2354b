// The upload of the online high-score exchange (see highscoreupload.h).
#include "shell/highscoreupload.h"

#include "shell/appstore.h"
#include "shell/highscoreio.h"

#include "app/gameapp.h"
#include "app/linkencoder.h"
#include "app/weblinks.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/zstream.h"

#include <memory>

namespace
{

const int UPLOAD_ZLIB_LEVEL = 2;

void addLine(RIR::String& sText, const RIR::String& sLine)
{
    sText += sLine;
    sText += '\n';
}

} // namespace

RIR::String buildHighScoreUploadText()
{
    RIR_TRACE("buildHighScoreUploadText");
    HighScoreTable table;
    loadHighScores(table);

    RIR::String sText;
    addLine(sText, "DustbowlDollyHighScores");
    addLine(sText, getStoredValue("PlayerName"));
    addLine(sText, getStoredValue("PlayerUID"));
    for (int t = 0; t < HS_TIMES; ++t)
    {
        for (int d = 0; d < HS_DIFFICULTIES; ++d)
        {
            for (int r = 0; r < HS_RANKS; ++r)
            {
                const int i = highScoreIndex(HS_LOCAL, t, d, r);
                addLine(sText, table.sName[i]);
                addLine(sText, RIR::String::format("%d", (int)table.nScore[i]));
                addLine(sText, table.sKey[i]);
            }
            addLine(sText, "---");
        }
        addLine(sText, "===");
    }
    addLine(sText, "***");
    return sText;
}

RIR::String encodeHighScoreUpload(const RIR::String& sText)
{
    RIR_TRACE("encodeHighScoreUpload");
    RIR::MemStream mem;
    {
        RIR::ZStream zip(&mem, UPLOAD_ZLIB_LEVEL);
        if (!zip.writeString(sText.c_str()))
            RIR_THROW(FatalErrorException, "High-score upload could not be packed");
        zip.finish();
    }
    return encode64(mem.getBuffer(), mem.size());
}

RIR::String buildHighScoreUpload()
{
    RIR_TRACE("buildHighScoreUpload");
    return encodeHighScoreUpload(buildHighScoreUploadText());
}

RIR::String buildHighScoreRequest(const char* pszAddress)
{
    RIR_TRACE("buildHighScoreRequest");
    return appendQuerySeparator(pszAddress) + "local=" + buildHighScoreUpload();
}
