#pragma once

#include "counter/walk/Listing.h"
#include "counter/walk/Place.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm::counter {

// Counts a file: the folder it is in (open as `folder`), that folder's path, its name, and
// whether it is a symbolic link.
using VisitFile = std::function<void(int folder, const std::string& folderPath, const char* name, bool link)>;

// Walks the subfolders of a listed folder (open as `top`, at `topPlace`) depth first on this
// thread, with one folder open at a time besides `top`: a folder's own files go to `visit`
// while it is open, and the walk returns to a parent through "..", checked to be the folder
// it came from. Time and descriptors stay bounded however deep or wide the tree is. What
// cannot be read is said in `warnings`.
void walkDeep(int top, const std::shared_ptr<const Place>& topPlace, Listing& topListing, const RootIds& roots,
              const VisitFile& visit, std::vector<std::string>& warnings);

} // namespace qm::counter
