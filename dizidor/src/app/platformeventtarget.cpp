#include "app/platformeventtarget.h"

PlatformEventTarget::~PlatformEventTarget() {}
