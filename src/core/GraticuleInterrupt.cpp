#include "core/GraticuleInterrupt.h"
