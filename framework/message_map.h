#pragma once
// Typed message maps. A dialog class T derived from CDialogImpl<T> declares
//     static const MessageMap<T> kMessageMap;
// and defines it as a list of rows, each made from a member-function pointer:
//     const MessageMap<CMyDlg> CMyDlg::kMessageMap{
//         OnTimerMsg<&CMyDlg::OnTimer>(),
//         OnCommand<&CMyDlg::OnExit>(32773),
//         OnControlNotify<&CMyDlg::OnIntervalChange>(1005, EN_CHANGE),
//     };
// Each row checks the handler's exact signature at compile time and decodes
// wParam/lParam into its typed arguments. The dispatcher walks the rows in
// order; the first row that matches handles the message.

#include <windows.h>

#include <span>
#include <type_traits>
#include <vector>

#include "framework/cmd_ui.h"
#include "framework/menu.h"

namespace varnholt {

class CDialog;

enum class MessageMapRowKind {
    Message,         // a window message by number
    Command,         // WM_COMMAND with an id from a menu, accelerator or control (code 0)
    ControlNotify,   // WM_COMMAND with an id and a notification code
    Notify,          // WM_NOTIFY with an id and a code
    UpdateCommandUI, // command-update handler of an id (not a message)
};

struct MessageMapRow {
    MessageMapRowKind kind = MessageMapRowKind::Message;
    UINT message = 0; // for Message rows
    UINT id = 0;
    UINT code = 0;
    LRESULT (*handle)(CDialog& self, WPARAM wParam, LPARAM lParam) = nullptr;
    void (*update)(CDialog& self, CCmdUI* ui) = nullptr;
};

// A row together with the class whose member handles it.
template <class Owner> struct TypedMessageMapRow {
    using OwnerClass = Owner;
    MessageMapRow row;
};

// Walks `rows` in order; true (with `result` set) when a row handled the message.
bool DispatchMessageMapRows(std::span<const MessageMapRow> rows, CDialog& self, UINT message,
                            WPARAM wParam, LPARAM lParam, LRESULT& result);
// Runs the update handler of `id`; true when there is one.
bool RouteMessageMapUpdate(std::span<const MessageMapRow> rows, CDialog& self, UINT id, CCmdUI* ui);

template <class T> class MessageMap {
public:
    template <class... Owners>
    MessageMap(TypedMessageMapRow<Owners>... rows) : m_rows{rows.row...} {
        static_assert((std::is_base_of_v<Owners, T> && ...),
                      "a message map row names a member of another class");
    }

    std::span<const MessageMapRow> Rows() const noexcept { return m_rows; }

private:
    std::vector<MessageMapRow> m_rows;
};

namespace message_map_detail {

template <class M> struct Member;
template <class C, class R, class... A> struct Member<R (C::*)(A...)> {
    using Class = C;
    using Signature = R(A...);
};
template <class C, class R, class... A>
struct Member<R (C::*)(A...) noexcept> : Member<R (C::*)(A...)> {};

template <auto F> using Owner = typename Member<decltype(F)>::Class;

template <auto F, class Signature>
concept HandlerOf = std::is_same_v<typename Member<decltype(F)>::Signature, Signature>;

template <auto F> Owner<F>& Self(CDialog& self) {
    return static_cast<Owner<F>&>(self);
}

template <auto F>
TypedMessageMapRow<Owner<F>> Row(MessageMapRowKind kind, UINT message, UINT id, UINT code,
                                 LRESULT (*handle)(CDialog&, WPARAM, LPARAM)) {
    return {MessageMapRow{kind, message, id, code, handle, nullptr}};
}

template <auto F> LRESULT CallVoid(CDialog& self, WPARAM, LPARAM) {
    (Self<F>(self).*F)();
    return 0;
}

} // namespace message_map_detail

// void F(): WM_COMMAND with this id from a menu, an accelerator or a control
// sending code 0 (a button click).
template <auto F>
requires message_map_detail::HandlerOf<F, void()>
auto OnCommand(UINT id) {
    return message_map_detail::Row<F>(MessageMapRowKind::Command, WM_COMMAND, id, 0,
                                      &message_map_detail::CallVoid<F>);
}

// void F(): WM_COMMAND from control `id` with notification `code` (EN_CHANGE...).
template <auto F>
requires message_map_detail::HandlerOf<F, void()>
auto OnControlNotify(UINT id, UINT code) {
    return message_map_detail::Row<F>(MessageMapRowKind::ControlNotify, WM_COMMAND, id, code,
                                      &message_map_detail::CallVoid<F>);
}

// void F(): BN_CLICKED of button `id`.
template <auto F>
requires message_map_detail::HandlerOf<F, void()>
auto OnClicked(UINT id) {
    return OnControlNotify<F>(id, BN_CLICKED);
}

// void F(NMHDR*, LRESULT*): WM_NOTIFY from control `id` with `code`. The
// result starts at 0.
template <auto F>
requires message_map_detail::HandlerOf<F, void(NMHDR*, LRESULT*)>
auto OnNotify(UINT id, UINT code) {
    return message_map_detail::Row<F>(
        MessageMapRowKind::Notify, WM_NOTIFY, id, code, [](CDialog& self, WPARAM, LPARAM lParam) {
            LRESULT result = 0;
            (message_map_detail::Self<F>(self).*F)(reinterpret_cast<NMHDR*>(lParam), &result);
            return result;
        });
}

// void F(CCmdUI*): the command-update handler of `id` (see RouteCommandUpdate).
template <auto F>
requires message_map_detail::HandlerOf<F, void(CCmdUI*)>
auto OnUpdateCommandUI(UINT id) {
    TypedMessageMapRow<message_map_detail::Owner<F>> row{};
    row.row.kind = MessageMapRowKind::UpdateCommandUI;
    row.row.id = id;
    row.row.update = [](CDialog& self, CCmdUI* ui) { (message_map_detail::Self<F>(self).*F)(ui); };
    return row;
}

// LRESULT F(WPARAM, LPARAM): any message, raw.
template <auto F>
requires message_map_detail::HandlerOf<F, LRESULT(WPARAM, LPARAM)>
auto OnMessage(UINT message) {
    return message_map_detail::Row<F>(
        MessageMapRowKind::Message, message, 0, 0, [](CDialog& self, WPARAM wParam, LPARAM lParam) {
            return (message_map_detail::Self<F>(self).*F)(wParam, lParam);
        });
}

// void F(UINT nID, LPARAM): WM_SYSCOMMAND.
template <auto F>
requires message_map_detail::HandlerOf<F, void(UINT, LPARAM)>
auto OnSysCommandMsg() {
    return message_map_detail::Row<F>(MessageMapRowKind::Message, WM_SYSCOMMAND, 0, 0,
                                      [](CDialog& self, WPARAM wParam, LPARAM lParam) {
                                          (message_map_detail::Self<F>(self).*
                                           F)(static_cast<UINT>(wParam), lParam);
                                          return LRESULT{0};
                                      });
}

// void F(): WM_PAINT.
template <auto F>
requires message_map_detail::HandlerOf<F, void()>
auto OnPaintMsg() {
    return message_map_detail::Row<F>(MessageMapRowKind::Message, WM_PAINT, 0, 0,
                                      &message_map_detail::CallVoid<F>);
}

// HCURSOR F(): WM_QUERYDRAGICON.
template <auto F>
requires message_map_detail::HandlerOf<F, HCURSOR()>
auto OnQueryDragIconMsg() {
    return message_map_detail::Row<F>(
        MessageMapRowKind::Message, WM_QUERYDRAGICON, 0, 0, [](CDialog& self, WPARAM, LPARAM) {
            return reinterpret_cast<LRESULT>((message_map_detail::Self<F>(self).*F)());
        });
}

// void F(UINT_PTR id): WM_TIMER.
template <auto F>
requires message_map_detail::HandlerOf<F, void(UINT_PTR)>
auto OnTimerMsg() {
    return message_map_detail::Row<F>(
        MessageMapRowKind::Message, WM_TIMER, 0, 0, [](CDialog& self, WPARAM wParam, LPARAM) {
            (message_map_detail::Self<F>(self).*F)(static_cast<UINT_PTR>(wParam));
            return LRESULT{0};
        });
}

// BOOL F(HELPINFO*): WM_HELP.
template <auto F>
requires message_map_detail::HandlerOf<F, BOOL(HELPINFO*)>
auto OnHelpInfoMsg() {
    return message_map_detail::Row<F>(
        MessageMapRowKind::Message, WM_HELP, 0, 0, [](CDialog& self, WPARAM, LPARAM lParam) {
            return static_cast<LRESULT>(
                (message_map_detail::Self<F>(self).*F)(reinterpret_cast<HELPINFO*>(lParam)));
        });
}

// void F(CMenu popup, UINT index, BOOL sysMenu): WM_INITMENUPOPUP.
template <auto F>
requires message_map_detail::HandlerOf<F, void(CMenu, UINT, BOOL)>
auto OnInitMenuPopupMsg() {
    return message_map_detail::Row<F>(MessageMapRowKind::Message, WM_INITMENUPOPUP, 0, 0,
                                      [](CDialog& self, WPARAM wParam, LPARAM lParam) {
                                          (message_map_detail::Self<F>(self).*
                                           F)(CMenu(reinterpret_cast<HMENU>(wParam)),
                                              static_cast<UINT>(LOWORD(lParam)),
                                              static_cast<BOOL>(HIWORD(lParam)));
                                          return LRESULT{0};
                                      });
}

} // namespace varnholt
