#include "core/RangeCircle.h"
