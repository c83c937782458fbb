#include "core/GreatCircle.h"
