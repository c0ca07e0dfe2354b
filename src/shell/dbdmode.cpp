#include "shell/dbdmode.h"

#include "shell/dbdapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

DBDMode::DBDMode()
{
}

DBDMode::DBDMode(int nFlags)
{
    addFlags(nFlags | MF_ACTIVE | MF_VISIBLE);
}

DBDMode::~DBDMode()
{
}

GameApp* DBDMode::getApp()
{
    return GameApp::getInstance();
}

DBDApp* DBDMode::getDBDApp()
{
    RIR_TRACE("DBDMode::getDBDApp");
    DBDApp* pApp = DBDApp::getInstance();
    RIR_ASSERT(pApp != NULL);
    return pApp;
}
