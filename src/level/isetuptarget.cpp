// ISetupTarget: the interface's out-of-line destructor (level/isetuptarget.h).
#include "level/isetuptarget.h"

ISetupTarget::~ISetupTarget() {}
