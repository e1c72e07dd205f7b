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

// The identity walk for folders whose final paths cannot be read: the
// target and each folder above it are compared with the source.
void WalkUpToSource(const std::wstring& source, const std::wstring& target,
                    const FolderIdentity& sourceIdentity, TargetInSource& found) {
    std::wstring folder = target;
    std::optional<FolderIdentity> identity = found.identity;
    while (!folder.empty()) {
        if (identity == sourceIdentity) {
            found.same = folder.size() == target.size();
            if (!found.same) {
                found.leftOut = source + target.substr(folder.size());
            }
            return;
        }
        folder = Parent(folder);
        if (!folder.empty()) {
            identity = IdentityOf(folder);
        }
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
    std::wstring targetFinal;
    if (!QueryFinalFolderPath(AsFolder(target), targetFinal)) {
        return found;
    }
    found.identity = IdentityOf(target);
    const std::optional<FolderIdentity> sourceIdentity = IdentityOf(source);
    if (found.identity && found.identity == sourceIdentity) {
        found.same = true;
        return found;
    }
    // Final paths see through links, junctions and substituted drives on
    // either side: a target named through a link outside the source, or
    // the folder a link inside the source leads to.
    std::wstring sourceFinal;
    if (QueryFinalFolderPath(AsFolder(source), sourceFinal)) {
        found.same = FileNameKey(targetFinal) == FileNameKey(sourceFinal);
        if (const std::optional<std::wstring> below = PathBelow(sourceFinal, targetFinal)) {
            found.leftOut = source + L'\\' + *below;
        }
    } else if (found.identity && sourceIdentity) {
        WalkUpToSource(source, target, *sourceIdentity, found);
    }
    return found;
}

} // namespace varnholt
