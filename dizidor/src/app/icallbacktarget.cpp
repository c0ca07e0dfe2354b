#include "app/icallbacktarget.h"

ICallbackTarget::~ICallbackTarget() {}
