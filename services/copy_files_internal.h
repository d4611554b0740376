#pragma once

#include <string>

#include "services/file_system.h"

namespace pellwise::copy_files_internal {

// The program's own copy (copy_files.cpp), behind CopyFiles on every platform.
bool CopyTree(const std::string& sources, const std::string& destination, MessageService& messages,
              const CopyOptions& options);

// Per platform:
// Creates one folder; true when it exists afterwards.
bool CreateFolder(const std::string& path);
// Whether the existing path `inner` is `outer` itself or lies inside it.
bool SameOrInside(const std::string& inner, const std::string& outer);

}  // namespace pellwise::copy_files_internal
