#include "report/ui/RLComponentFactory.h"

TRLCreateComponentHook RLCreateComponentHook;
