#include "core/Projection.h"
