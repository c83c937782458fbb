#include "core/Utm.h"
