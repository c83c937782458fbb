#include "core/Graticule.h"
