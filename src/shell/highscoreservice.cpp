// The address of the online high-score service (see highscoreservice.h).
#include "shell/highscoreservice.h"

#include "shell/appstore.h"
#include "shell/highscoreupload.h"

#include "rir2/calltrace.h"

RIR::String getHighScoreServiceAddress()
{
    RIR_TRACE("getHighScoreServiceAddress");
    return getStoredValue("HighscoreURL").trim();
}

RIR::String buildHighScoreExchangeRequest()
{
    RIR_TRACE("buildHighScoreExchangeRequest");
    const RIR::String sAddress = getHighScoreServiceAddress();
    if (sAddress.length() == 0)
        return RIR::String();
    return buildHighScoreRequest(sAddress.c_str());
}
