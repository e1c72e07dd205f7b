#include "framework/win_app.h"

#include <vector>

namespace varnholt {

namespace {

CWinApp* g_app = nullptr;

std::wstring ProgramBaseName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            auto slash = path.find_last_of(L"\\/");
            std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
            auto dot = name.rfind(L'.');
            if (dot != std::wstring::npos && dot > 0) {
                name.erase(dot);
            }
            return name;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

CWinApp::CWinApp() {
    if (g_app == nullptr) {
        g_app = this;
    }
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

bool CWinApp::InitInstance() {
    return false;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_app != nullptr && g_app->m_hInstance != nullptr) {
        return g_app->m_hInstance;
    }
    return ::GetModuleHandleW(nullptr);
}

std::wstring AfxGetAppName() {
    if (g_app != nullptr && !g_app->m_pszAppName.empty()) {
        return g_app->m_pszAppName;
    }
    return ProgramBaseName();
}

} // namespace varnholt
