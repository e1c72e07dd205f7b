#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/string_array.h"

namespace varnholt {
namespace {

TEST(FileErrorTest, MissingFileNamesTheFullPath) {
    FileError e(FileFault::Missing, L"C:\\Program Files\\Varnholt\\config.ini");
    EXPECT_EQ(e.Message(), L"C:\\Program Files\\Varnholt\\config.ini was not found.");
    EXPECT_EQ(e.Path(), L"C:\\Program Files\\Varnholt\\config.ini");
    EXPECT_EQ(e.Fault(), FileFault::Missing);
}

TEST(FileErrorTest, EveryCauseNamesThePath) {
    for (auto cause :
         {FileFault::BadPath, FileFault::AccessDenied, FileFault::InUse, FileFault::DiskFull,
          FileFault::ReadFailed, FileFault::WriteFailed, FileFault::Other}) {
        FileError e(cause, L"D:\\x.ini");
        EXPECT_NE(e.Message().find(L"D:\\x.ini"), std::wstring::npos);
        EXPECT_EQ(e.Message().find(L"%1"), std::wstring::npos);
    }
}

TEST(CStringArrayTest, IndexOutsideTheListRaisesInvalidArgument) {
    CStringArray list;
    EXPECT_THROW(list.GetAt(0), InvalidArgumentError);
    list.Add(L"a");
    list.Add(L"b");
    EXPECT_EQ(list.GetAt(1), L"b");
    EXPECT_THROW(list.RemoveAt(2), InvalidArgumentError);
    EXPECT_THROW(list.SetAt(5, L"x"), InvalidArgumentError);
    list.RemoveAt(0);
    ASSERT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(list[0], L"b");
    try {
        list.GetAt(1);
        FAIL();
    } catch (const InvalidArgumentError& e) {
        EXPECT_EQ(e.Message(), L"An invalid argument was encountered.");
    }
}

} // namespace
} // namespace varnholt
