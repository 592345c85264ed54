#include "txtextcontrol.h"
