#include "framework/message_map.h"

namespace varnholt {

namespace {

bool Matches(const MessageMapRow& row, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (row.kind) {
    case MessageMapRowKind::Message:
        return message == row.message;
    case MessageMapRowKind::Command:
        // Menus and accelerators come without a control window (an
        // accelerator's code is 1); controls send code 0 for a click.
        return message == WM_COMMAND && LOWORD(wParam) == row.id &&
               (lParam == 0 || HIWORD(wParam) == 0);
    case MessageMapRowKind::ControlNotify:
        return message == WM_COMMAND && LOWORD(wParam) == row.id && HIWORD(wParam) == row.code;
    case MessageMapRowKind::Notify: {
        if (message != WM_NOTIFY || lParam == 0) {
            return false;
        }
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header->idFrom == row.id && header->code == row.code;
    }
    case MessageMapRowKind::UpdateCommandUI:
        return false;
    }
    return false;
}

} // namespace

bool DispatchMessageMapRows(std::span<const MessageMapRow> rows, CDialog& self, UINT message,
                            WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (const MessageMapRow& row : rows) {
        if (Matches(row, message, wParam, lParam)) {
            result = row.handle(self, wParam, lParam);
            return true;
        }
    }
    return false;
}

bool RouteMessageMapUpdate(std::span<const MessageMapRow> rows, CDialog& self, UINT id,
                           CCmdUI* ui) {
    for (const MessageMapRow& row : rows) {
        if (row.kind == MessageMapRowKind::UpdateCommandUI && row.id == id) {
            row.update(self, ui);
            return true;
        }
    }
    return false;
}

} // namespace varnholt
