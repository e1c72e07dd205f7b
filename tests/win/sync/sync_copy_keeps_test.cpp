// What a copy keeps besides the content: the alternate streams of the source
// (the mark of a downloaded file above all) and the permissions of the target
// it replaces. Wine has no alternate streams of its own (its listing answers
// as a FAT volume does), so the streams are shown through the stream seam.

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "platform/alternate_streams.h"
#include "platform/handles.h"
#include "sync/safe_copy.h"
#include "tests/support/test_folder.h"

namespace varnholt {
namespace {

const std::string kMark = "[ZoneTransfer]\r\nZoneId=3\r\n";

class StreamAccessScope {
public:
    explicit StreamAccessScope(StreamAccess access) {
        SetStreamAccessForTesting(std::move(access));
    }
    ~StreamAccessScope() { SetStreamAccessForTesting({}); }
    StreamAccessScope(const StreamAccessScope&) = delete;
    StreamAccessScope& operator=(const StreamAccessScope&) = delete;
};

struct StreamCase {
    const char* what;
    StreamListing listing; // of the source
    bool targetTakesStreams;
    std::wstring failing;             // the stream whose copy fails
    FileFault failingWith;            // and why
    FileFault fault;                  // of the copy; None: copied
    std::vector<std::wstring> copied; // the streams copied, in order
};

TEST(SyncCopyKeepsTest, AlternateStreamsOfTheSource) {
    using enum FileFault;
    const StreamListing mainOnly{true, None, {L"::$DATA"}};
    const StreamListing withMark{
        true, None, {L"::$DATA", L":Zone.Identifier:$DATA", L":x:$OBJECT_ID", L":t:$DATA"}};
    const StreamListing noStreams{false, None, {}};
    const StreamListing refused{true, AccessDenied, {}};
    const StreamListing busy{true, InUse, {}};
    const std::vector<std::wstring> both{L":Zone.Identifier", L":t"};
    // A failure that may pass (a full disk, a file in use) fails the copy,
    // so the next run tries again; one that stays leaves that stream out,
    // except the mark, which a copy never drops in silence.
    const StreamCase cases[] = {
        {"main content only", mainOnly, true, L"", None, None, {}},
        {"the named data streams, once", withMark, true, L"", None, None, both},
        {"a volume without streams", noStreams, true, L"", None, None, {}},
        {"onto a volume without: the content alone", withMark, false, L"", None, None, {}},
        {"a listing refused: the content alone", refused, true, L"", None, None, {}},
        {"a listing in use", busy, true, L"", None, InUse, {}},
        {"a stream onto a full disk", withMark, true, L":t", DiskFull, DiskFull, both},
        {"a stream cut short", withMark, true, L":t", Incomplete, Incomplete, both},
        {"a stream the target refuses", withMark, true, L":t", Other, None, both},
        {"the mark the target refuses",
         withMark,
         true,
         L":Zone.Identifier",
         Other,
         Other,
         {L":Zone.Identifier"}},
    };
    for (const StreamCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestFolder from;
        test::TestFolder to;
        from.Write(L"f.txt", "fresh");
        to.Write(L"f.txt", "old");
        std::vector<std::wstring> copied;
        StreamAccess access;
        access.list = [&](const std::wstring& file) {
            EXPECT_EQ(file, from.Path(L"f.txt"));
            return c.listing;
        };
        access.takesStreams = [&](const std::wstring&) { return c.targetTakesStreams; };
        access.copy = [&](const std::wstring& source, const std::wstring& stream) {
            copied.push_back(source.substr(from.Path(L"f.txt").size()));
            // Into the stream of the same name of the temporary file.
            EXPECT_TRUE(stream.ends_with(L".tmp" + copied.back()));
            return copied.back() == c.failing ? c.failingWith : None;
        };
        const StreamAccessScope seam(std::move(access));
        const CopyOutcome outcome = SafeCopyFile(from.Path(L"f.txt"), to.Path(L"f.txt"));
        EXPECT_EQ(outcome.result, c.fault == None ? CopyResult::Copied : CopyResult::Failed);
        EXPECT_EQ(outcome.fault, c.fault);
        EXPECT_EQ(copied, c.copied);
        EXPECT_EQ(to.Read(L"f.txt"), c.fault == None ? "fresh" : "old");
        EXPECT_EQ(to.Names(), std::vector<std::wstring>{L"f.txt"}); // no temporary file left
    }
}

// The system's own copy of a stream, given the listing of a volume with
// streams. (Under Wine "f.txt:Zone.Identifier" is a file of that name, which
// reads and writes as a stream does on Windows.)
TEST(SyncCopyKeepsTest, TheMarkArrivesWithTheContent) {
    test::TestFolder folder;
    folder.Write(L"f.txt", "content");
    folder.Write(L"f.txt:Zone.Identifier", kMark);
    const StreamAccessScope seam(
        {[](const std::wstring&) {
             return StreamListing{true, FileFault::None, {L"::$DATA", L":Zone.Identifier:$DATA"}};
         },
         [](const std::wstring&) { return true; }, nullptr});
    EXPECT_EQ(CopyToNewFile(folder.Path(L"f.txt"), folder.Path(L"g.txt")), FileFault::None);
    EXPECT_EQ(folder.Read(L"g.txt"), "content");
    EXPECT_EQ(folder.Read(L"g.txt:Zone.Identifier"), kMark);
}

// The DACL of a file in its text form; empty when it cannot be read.
std::wstring DaclOf(const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return L"";
    }
    const UniqueLocalMemory descriptorMemory(descriptor);
    wchar_t* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        return L"";
    }
    const UniqueLocalMemory textMemory(text);
    return text;
}

// A target whose permissions differ from those a new file in its folder gets.
// Under Wine a file's DACL stands for its mode bits and never shows as
// protected or inherited, so there the test shows the entries kept, not how
// they inherit.
TEST(SyncCopyKeepsTest, ReplacedTargetKeepsItsPermissions) {
    test::TestFolder from;
    test::TestFolder to;
    from.Write(L"f.txt", "fresh");
    to.Write(L"f.txt", "old");
    to.Write(L"made.txt", "a file made in the folder");
    // Everyone may do everything, and nothing comes from the folder.
    PSECURITY_DESCRIPTOR everyone = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(
        L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &everyone, nullptr));
    const UniqueLocalMemory everyoneMemory(everyone);
    ASSERT_TRUE(SetFileSecurityW(to.Path(L"f.txt").c_str(),
                                 DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                 everyone));
    const std::wstring own = DaclOf(to.Path(L"f.txt"));
    const std::wstring inherited = DaclOf(to.Path(L"made.txt"));
    ASSERT_NE(own, inherited);

    EXPECT_EQ(SafeCopyFile(from.Path(L"f.txt"), to.Path(L"f.txt")).result, CopyResult::Copied);
    EXPECT_EQ(to.Read(L"f.txt"), "fresh");
    EXPECT_EQ(DaclOf(to.Path(L"f.txt")), own);
    // A new file keeps what it inherited.
    EXPECT_EQ(SafeCopyFile(from.Path(L"f.txt"), to.Path(L"g.txt")).result, CopyResult::Copied);
    EXPECT_EQ(DaclOf(to.Path(L"g.txt")), inherited);
}

} // namespace
} // namespace varnholt
