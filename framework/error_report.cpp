#include "framework/error_report.h"

#include "base/errors.h"
#include "framework/win_app.h"

namespace varnholt {

namespace {

const wchar_t kUnexpected[] = L"An unexpected error occurred.";

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

std::wstring DescribeError(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const Error& e) {
            return e.Message().empty() ? std::wstring(kUnexpected) : e.Message();
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
