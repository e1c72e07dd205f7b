#include "sync/nested_folders.h"

namespace varnholt {

namespace {

// "C:" alone would name the current folder of drive C, not its root.
std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) {
    FolderIdentity identity;
    if (!QueryFolderIdentity(folder.back() == L':' ? folder + L'\\' : folder, identity)) {
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

} // namespace

TargetInSource LocateTargetInSource(const std::wstring& sourceFolder,
                                    const std::wstring& targetFolder) {
    TargetInSource found;
    const std::wstring source = WithoutTrailingBackslash(sourceFolder);
    const std::wstring target = WithoutTrailingBackslash(targetFolder);
    if (source.empty() || target.empty()) {
        return found;
    }
    const std::optional<FolderIdentity> sourceIdentity = IdentityOf(source);
    if (!sourceIdentity) {
        return found;
    }
    // A target that is not there yet holds nothing the scan could list:
    // there is nothing to leave out (and a share that does not answer is
    // asked once, not once per folder above the target).
    found.identity = IdentityOf(target);
    if (!found.identity) {
        return found;
    }
    std::wstring folder = target;
    std::optional<FolderIdentity> identity = found.identity;
    while (!folder.empty()) {
        if (identity == sourceIdentity) {
            found.same = folder.size() == target.size();
            if (!found.same) {
                found.leftOut = source + target.substr(folder.size());
            }
            return found;
        }
        folder = Parent(folder);
        if (!folder.empty()) {
            identity = IdentityOf(folder);
        }
    }
    return found;
}

} // namespace varnholt
