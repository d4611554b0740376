#include "installer/engine/virtual_store.h"

namespace pellwise {

// Only Windows redirects writes of old programs.
VirtualStoreFolders SystemVirtualStoreFolders() { return {}; }

}  // namespace pellwise
