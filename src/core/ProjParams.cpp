#include "core/ProjParams.h"
