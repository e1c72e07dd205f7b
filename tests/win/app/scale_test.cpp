// The main window at 100 % and 150 % screen scale, in every shipped
// language: the program is per-monitor DPI aware, the banner and the footer
// cover the window's whole width on screen (checked by the pixels shown at
// their right end), the list's columns scale from 280 pixels, and no caption
// is wider than its control. The window is measured by a probe program
// (probe/scale_probe.cpp) started with Wine's scale set for it.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/latin1_lines.h"
#include "framework/dpi.h"
#include "i18n/language_list.h"
#include "platform/handles.h"
#include "resource.h"
#include "tests/support/program_folder.h"
#include "tests/support/pump.h"
#include "tests/win/app/main_window.h"

namespace varnholt::test {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Sets Wine's screen scale (LogPixels) for the processes started meanwhile
// and puts the old setting back.
class ScreenScale {
public:
    explicit ScreenScale(DWORD dpi) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, m_key.put(), nullptr);
        DWORD old = 0;
        DWORD size = sizeof old;
        if (RegQueryValueExW(m_key.get(), L"LogPixels", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&old), &size) == ERROR_SUCCESS) {
            m_old = old;
        }
        RegSetValueExW(m_key.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    ~ScreenScale() {
        if (m_old) {
            RegSetValueExW(m_key.get(), L"LogPixels", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&*m_old), sizeof *m_old);
        } else {
            RegDeleteValueW(m_key.get(), L"LogPixels");
        }
    }
    ScreenScale(const ScreenScale&) = delete;
    ScreenScale& operator=(const ScreenScale&) = delete;

private:
    UniqueKey m_key;
    std::optional<DWORD> m_old;
};

std::vector<std::wstring> ShippedMarkers() {
    const CStringArray list =
        ReadLanguageList(DecodeLatin1Lines(ReadFileBytes(ShippedFile(L"Varnholttrl.ini"))));
    std::vector<std::wstring> markers;
    for (std::size_t i = 0; i < list.GetSize(); i += 2) {
        markers.push_back(list[i]);
    }
    return markers;
}

// The probe's report, one line per fact.
std::vector<std::string> Probe(DWORD dpi, const std::vector<std::wstring>& markers) {
    const ScreenScale scale(dpi);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring report =
        std::wstring(temp) + L"varnholt-scale-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    std::wstring command = L"\"" + std::wstring(VARNHOLT_SCALE_PROBE) + L"\" \"" + report + L"\"";
    for (const auto& marker : markers) {
        command += L" " + marker;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        ADD_FAILURE() << "cannot start the probe, error " << GetLastError();
        return {};
    }
    const UniqueKernelObject thread(started.hThread);
    const UniqueKernelObject process(started.hProcess);
    EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(report));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    DeleteFileW(report.c_str());
    return lines;
}

struct WindowFacts {
    unsigned dpi = 0;
    int awareness = 0;
    int clientWidth = 0;
    int column = 0;
};

WindowFacts ReadWindowLine(const std::string& line) {
    WindowFacts facts;
    char marker[16] = {};
    int height = 0;
    std::sscanf(line.c_str(), "window %15s dpi=%u awareness=%d client=%dx%d column=%d", marker,
                &facts.dpi, &facts.awareness, &facts.clientWidth, &height, &facts.column);
    return facts;
}

struct PictureFacts {
    int left = 0, top = 0, right = 0, bottom = 0;
    unsigned red = 0, green = 0, blue = 0;
};

PictureFacts ReadPictureLine(const std::string& line) {
    PictureFacts p;
    char marker[16] = {};
    unsigned rgb = 0;
    std::sscanf(line.c_str(), "picture %15s %d %d %d %d %x", marker, &p.left, &p.top, &p.right,
                &p.bottom, &rgb);
    p.red = (rgb >> 16) & 0xFF;
    p.green = (rgb >> 8) & 0xFF;
    p.blue = rgb & 0xFF;
    return p;
}

void CheckScale(DWORD dpi) {
    const auto markers = ShippedMarkers();
    ASSERT_GE(markers.size(), 11u);
    const auto lines = Probe(dpi, markers);
    int windows = 0;
    int pictures = 0;
    int clientWidth = 0;
    for (const auto& line : lines) {
        SCOPED_TRACE(line);
        if (line.rfind("window ", 0) == 0) {
            const WindowFacts facts = ReadWindowLine(line);
            ++windows;
            EXPECT_EQ(facts.dpi, dpi);
            EXPECT_EQ(facts.awareness, 2); // DPI_AWARENESS_PER_MONITOR_AWARE
            EXPECT_EQ(facts.column, ScaleForDpi(280, dpi));
            clientWidth = facts.clientWidth;
        } else if (line.rfind("picture ", 0) == 0) {
            const PictureFacts picture = ReadPictureLine(line);
            ++pictures;
            EXPECT_EQ(picture.left, 0);
            EXPECT_EQ(picture.right, clientWidth);
            // Both pictures are blue at their right end, never the grey of
            // the window behind them.
            EXPECT_GT(picture.blue, picture.red + 20);
        } else {
            ADD_FAILURE() << "a caption does not fit its control";
        }
    }
    EXPECT_EQ(windows, static_cast<int>(markers.size()));
    EXPECT_EQ(pictures, 2 * windows);
}

TEST(ScaleTest, AtOneHundredPercentPicturesSpanTheWindowAndEveryCaptionFits) {
    CheckScale(96);
}

TEST(ScaleTest, AtOneHundredFiftyPercentPicturesSpanTheWindowAndEveryCaptionFits) {
    CheckScale(144);
}

TEST(ScaleTest, MovingToA150PercentMonitorScalesTheColumnsAsTheUserLeftThem) {
    ProgramFolder folder;
    MainWindow window;
    HWND list = GetDlgItem(window.Handle(), IDC_PAIR_LIST);
    ListView_SetColumnWidth(list, 0, 300); // dragged wider by the user

    RECT suggested{};
    GetWindowRect(window.Handle(), &suggested);
    suggested.right += (suggested.right - suggested.left) / 2;
    suggested.bottom += (suggested.bottom - suggested.top) / 2;
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpPending();

    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 450);
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 420);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
            RECT place{};
            GetWindowRect(child, &place);
            EXPECT_EQ(place.right - place.left, client.right);
        }
    }
}

} // namespace
} // namespace varnholt::test
