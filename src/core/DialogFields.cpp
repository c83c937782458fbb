#include "core/DialogFields.h"

namespace tlrx {

namespace {
DialogFields* g_open = nullptr;
}

DialogFields* OpenDialogFields() { return g_open; }

void SetOpenDialogFields(DialogFields* fields) { g_open = fields; }

}  // namespace tlrx
