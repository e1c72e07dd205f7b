#include <gtest/gtest.h>

#include <chrono>

#include "platform/registry.h"
#include "settings/power_class.h"

namespace varnholt {
namespace {

// A key of its own for every test, below Software (HKLM and HKCU). Under Wine
// these land in the test prefix; natively in the in-process store.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_key = L"Software\\VarnholtTests\\" + std::to_wstring(stamp);
        m_power.m_strRegKeyPath = m_key;
    }
    void TearDown() override {
        for (const auto* name : {L"Text", L"Other", L"Run"}) {
            RegistryDelete(RegistryRoot::LocalMachine, m_key, name);
            RegistryDelete(RegistryRoot::CurrentUser, m_key, name);
        }
    }
    void SetMachine(std::uint32_t type, const std::vector<std::uint8_t>& data) {
        ASSERT_EQ(RegistrySet(RegistryRoot::LocalMachine, m_key, L"Text", type, data),
                  RegistryChange::Done);
    }

    std::wstring m_key;
    PowerClass m_power;
};

TEST_F(RegistryTest, EmptyKeyPathIsReportedByTheResultText) {
    PowerClass power;
    EXPECT_EQ(power.ReadRegistryText(L"Default"), L"Registry key was not found :-( ");
}

TEST_F(RegistryTest, ReadsTextValuesWithoutTheirTerminatingNull) {
    SetMachine(kRegSz, RegistryTextBytes(L"0407"));
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"0407");
    EXPECT_EQ(m_power.ReadRegistryText(L"TEXT"), L"0407"); // names ignore letter case
    EXPECT_EQ(m_power.m_strRegKeyPath, m_key);
    // Stored without a null: every character is kept.
    SetMachine(kRegSz, {'0', 0, '4', 0, '0', 0, '9', 0});
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"0409");
    // An odd last byte is no whole character.
    SetMachine(kRegSz, {'a', 0, 'b'});
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"a");
    SetMachine(kRegSz, {'x', 0});
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"x");
}

TEST_F(RegistryTest, LongValuesAreReadWhole) {
    const std::wstring text(70000, L'7');
    SetMachine(kRegSz, RegistryTextBytes(text));
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), text);
}

TEST_F(RegistryTest, OtherTypesGiveNoRegSz) {
    SetMachine(kRegExpandSz, RegistryTextBytes(L"%SystemRoot%"));
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"No REG_SZ");
    SetMachine(kRegDword, {7, 4, 0, 0});
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"No REG_SZ");
}

TEST_F(RegistryTest, MissingOrEmptyValuesGiveTheEmptyText) {
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L""); // no such key
    SetMachine(kRegSz, {});
    EXPECT_EQ(m_power.ReadRegistryText(L"Text"), L"");
    EXPECT_EQ(m_power.ReadRegistryText(L"Missing"), L"");
}

TEST_F(RegistryTest, WriteSetsTextUnderTheCurrentUser) {
    const std::wstring data = L"\"C:\\Program Files\\Caf\xE9 \x20AC\\Tovrinel.exe\"";
    m_power.WriteRegistryText(L"Run", data);
    const auto value = RegistryQuery(RegistryRoot::CurrentUser, m_key, L"Run");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, kRegSz);
    EXPECT_EQ(value->data, RegistryTextBytes(data));
    EXPECT_EQ(value->data.size(), (data.size() + 1) * 2);
    EXPECT_EQ(RegistryBytesText(value->data), data);
    // The read works under the local machine, where nothing was written.
    EXPECT_EQ(m_power.ReadRegistryText(L"Run"), L"");
    m_power.WriteRegistryText(L"Run", L"");
    EXPECT_EQ(RegistryQuery(RegistryRoot::CurrentUser, m_key, L"Run")->data,
              (std::vector<std::uint8_t>{0, 0}));
}

TEST_F(RegistryTest, DeleteRemovesTheValueAndAMissingOneIsNoError) {
    m_power.WriteRegistryText(L"Run", L"x");
    m_power.WriteRegistryText(L"Other", L"y");
    m_power.DeleteRegistryValue(L"Run");
    EXPECT_FALSE(RegistryQuery(RegistryRoot::CurrentUser, m_key, L"Run").has_value());
    EXPECT_TRUE(RegistryQuery(RegistryRoot::CurrentUser, m_key, L"Other").has_value());
    m_power.DeleteRegistryValue(L"Run"); // no longer there
    PowerClass elsewhere;
    elsewhere.m_strRegKeyPath = m_key + L"\\Missing";
    elsewhere.DeleteRegistryValue(L"Other"); // key does not exist
    EXPECT_TRUE(RegistryQuery(RegistryRoot::CurrentUser, m_key, L"Other").has_value());
}

TEST(RegistryTextTest, CharactersBeyondTheBasicPlaneUseSurrogatePairs) {
    const std::wstring text = L"a\U0001F600b";
    const auto bytes = RegistryTextBytes(text);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 0, 0x3D, 0xD8, 0x00, 0xDE, 'b', 0, 0, 0}));
    EXPECT_EQ(RegistryBytesText(bytes), text);
}

#ifdef _WIN32
TEST(SystemLanguageTest, WinePrefixReportsItsDefaultLanguage) {
    PowerClass power;
    power.m_strRegKeyPath = L"SYSTEM\\CurrentControlSet\\Control\\Nls\\Language";
    const std::wstring value = power.ReadRegistryText(L"Default");
    EXPECT_EQ(value.size(), 4u);
    EXPECT_NE(PowerClass::HexTextToInt(value), 0);
}
#endif

} // namespace
} // namespace varnholt
