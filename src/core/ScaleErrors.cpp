#include "core/ScaleErrors.h"
