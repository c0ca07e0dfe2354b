#include "platform/sdl/appeventtarget.h"

AppEventTarget::~AppEventTarget() {}
