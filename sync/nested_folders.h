#pragma once
// Where the folder a pass copies into lies inside the folder it scans. A pair
// such as Documents <-> Documents\Backup would otherwise copy Documents'
// files into Backup, then, at the next run, Backup's copies into
// Backup\Backup, one level deeper at every run. The scan of the outer folder
// therefore leaves the inner one out.
//
// "Inside" is told by the paths the file system gives the two folders, every
// link, junction and substituted drive followed, not by the text the user
// typed: letter case, a junction or a mapped drive can name the same folder,
// on either side. Where those paths cannot be read (some network file
// systems), the target and each folder above it are compared with the source
// by identity (volume and file index) until one matches. A target that does
// not exist yet is in no listing of the source, so it needs no leaving out.

#include <optional>
#include <string>

#include "platform/folders.h"

namespace varnholt {

struct TargetInSource {
    // The two are one folder under two names: the pass copies nothing.
    bool same = false;
    // The target as a path below the source folder, spelt as the scan of
    // the source spells its folders (the source as given, a backslash, the
    // rest of the target's path), which that scan leaves out; empty when the
    // target does not lie inside the source.
    std::wstring leftOut;
    // The target's identity, when it exists: a link inside the source can
    // lead into it under yet another name.
    std::optional<FolderIdentity> identity;
};

// Where `target` lies relative to `source` (folder paths, `source` as the
// scan is given it). Folders of which neither the identity nor the final
// path can be read count as unrelated.
TargetInSource LocateTargetInSource(const std::wstring& source, const std::wstring& target);

} // namespace varnholt
