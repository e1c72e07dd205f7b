#include "framework/error_report.h"

#include "base/errors.h"
#include "framework/win_app.h"

namespace varnholt {

namespace {

const wchar_t kUnexpected[] = L"An unexpected error occurred.";

ErrorWordingScope* g_innermostWording = nullptr;

std::wstring Worded(const Error& error) {
    if (g_innermostWording != nullptr) {
        std::wstring text = g_innermostWording->Word(error);
        if (!text.empty()) {
            return text;
        }
    }
    return error.Message();
}

std::wstring Widen(const char* text) {
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

} // namespace

ErrorWordingScope::ErrorWordingScope(Wording wording)
    : m_wording(std::move(wording)), m_outer(g_innermostWording) {
    g_innermostWording = this;
}

ErrorWordingScope::~ErrorWordingScope() {
    // Taken out of the chain wherever it is: scopes of windows need not end
    // in the reverse order of their start.
    for (ErrorWordingScope** link = &g_innermostWording; *link != nullptr;
         link = &(*link)->m_outer) {
        if (*link == this) {
            *link = m_outer;
            break;
        }
    }
}

std::wstring DescribeError(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const Error& e) {
            std::wstring text = Worded(e);
            return text.empty() ? std::wstring(kUnexpected) : text;
        } catch (const std::exception& e) {
            std::wstring text = Widen(e.what());
            return text.empty() ? std::wstring(kUnexpected) : text;
        } catch (...) {
            return kUnexpected;
        }
    } catch (...) {
        // Building the text itself failed (out of memory).
        return {};
    }
}

void ReportError(HWND owner, std::exception_ptr error) noexcept {
    if (owner != nullptr && !::IsWindow(owner)) {
        owner = nullptr;
    }
    std::wstring text = DescribeError(error);
    std::wstring caption;
    try {
        caption = AfxGetAppName();
    } catch (...) {
    }
    ::MessageBoxW(owner, text.empty() ? kUnexpected : text.c_str(), caption.c_str(),
                  MB_ICONSTOP | MB_OK);
}

} // namespace varnholt
