#include "sync/nested_folders.h"

namespace varnholt {

namespace {

// "C:" alone would name the current folder of drive C, not its root.
std::wstring AsFolder(const std::wstring& folder) {
    return folder.back() == L':' ? folder + L'\\' : folder;
}

std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) {
    FolderIdentity identity;
    if (!QueryFolderIdentity(AsFolder(folder), identity)) {
        return std::nullopt;
    }
    return identity;
}

// The folder above `path`, or empty at a drive root and at "\\server" (which
// is no folder, and a slow question on a network).
std::wstring Parent(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) {
        return {};
    }
    const std::wstring parent = path.substr(0, slash);
    if (parent.rfind(L"\\\\", 0) == 0 && parent.find(L'\\', 2) == std::wstring::npos) {
        return {};
    }
    return parent;
}

std::wstring WithoutTrailingBackslash(std::wstring path) {
    while (path.size() > 1 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

// The rest of `target` below `source` (both final paths), or nothing when
// it does not lie below it. Compared by name key: the two come from the
// same file system, so only letter case may differ between two spellings.
std::optional<std::wstring> PathBelow(const std::wstring& source, const std::wstring& target) {
    const std::wstring prefix = source.back() == L'\\' ? source : source + L'\\';
    if (target.size() <= prefix.size() ||
        FileNameKey(target.substr(0, prefix.size())) != FileNameKey(prefix)) {
        return std::nullopt;
    }
    return target.substr(prefix.size());
}

// The identity walk, for folders whose final paths cannot be read or do not
// show the relation (a folder of this computer named through one of its own
// shares): the target and each folder above it are compared with the
// source. `scanned` is the source as the scan spells it.
void WalkUpToSource(const std::wstring& scanned, const std::wstring& target,
                    const FolderIdentity& sourceIdentity, TargetInSource& found) {
    std::wstring folder = Parent(target);
    while (!folder.empty()) {
        if (IdentityOf(folder) == sourceIdentity) {
            found.leftOut = scanned + target.substr(folder.size());
            return;
        }
        folder = Parent(folder);
    }
}

} // namespace

TargetInSource LocateTargetInSource(const std::wstring& sourceFolder,
                                    const std::wstring& targetFolder) {
    TargetInSource found;
    const std::wstring source = WithoutTrailingBackslash(sourceFolder);
    const std::wstring target = WithoutTrailingBackslash(targetFolder);
    if (source.empty() || target.empty()) {
        return found;
    }
    // A target that is not there yet holds nothing the scan could list:
    // there is nothing to leave out (and a share that does not answer is
    // asked once, not once per folder above the target).
    found.identity = IdentityOf(target);
    std::wstring targetFinal;
    const bool targetFinalKnown = QueryFinalFolderPath(AsFolder(target), targetFinal);
    if (!found.identity && !targetFinalKnown) {
        return found;
    }
    const std::optional<FolderIdentity> sourceIdentity = IdentityOf(source);
    const bool identitiesKnown = found.identity && sourceIdentity;
    if (identitiesKnown && found.identity == sourceIdentity) {
        found.same = true;
        return found;
    }
    // Final paths see through links, junctions and substituted drives on
    // either side: a target named through a link outside the source, or
    // the folder a link inside the source leads to. The scan spells its
    // folders from the source as given ("C:\" for a drive's root gives
    // "C:\\Backup"), and so does the path left out.
    std::wstring sourceFinal;
    if (targetFinalKnown && QueryFinalFolderPath(AsFolder(source), sourceFinal)) {
        if (const std::optional<std::wstring> below = PathBelow(sourceFinal, targetFinal)) {
            found.leftOut = sourceFolder + L'\\' + *below;
            return found;
        }
        // Two known identities that differ are two folders, whatever the
        // names (folders told apart by letter case alone).
        if (!identitiesKnown && FileNameKey(targetFinal) == FileNameKey(sourceFinal)) {
            found.same = true;
            return found;
        }
    }
    if (identitiesKnown) {
        WalkUpToSource(sourceFolder, target, *sourceIdentity, found);
    }
    return found;
}

} // namespace varnholt
