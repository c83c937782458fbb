#include "core/SmallCircle.h"
