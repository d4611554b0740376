#pragma once

#include <string>
#include <vector>

#include "services/folder_listing.h"

namespace pellwise::folder_listing_platform {

// The entries of `folder` (which ends in a separator) that the platform
// offers for `mask`, in the order the listing keeps. The platform may offer
// more than the mask matches; FolderListing tests every entry itself.
std::vector<FolderEntry> Enumerate(const std::string& folder, const std::string& mask);

}  // namespace pellwise::folder_listing_platform
