#include "core/UtmGrid.h"
