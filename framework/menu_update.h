#pragma once
// Command-update routing for popup menus: before a popup opens, each of its
// items is offered to the window's command-update handler of its id (see
// OnUpdateCommandUI in message_map.h), which may change its text, check mark
// or enabled state. Items without a handler stay exactly as they are; nothing
// is ever disabled for lack of a handler.

#include <windows.h>

#include "framework/menu.h"

namespace varnholt {

class CDialog;

// The parent of a popup that is about to open in `window`: the popup itself
// when it is the shortcut menu being tracked, the menu bar when it is one of
// the bar's drop-downs, else an empty menu.
CMenu FindPopupParent(HWND window, CMenu popup);

// Routes every item of `popup` to `window`'s update handlers, in position
// order:
//  - separators (id 0) are skipped;
//  - an item that opens a submenu is routed with the id of the submenu's
//    first item, unless that first item is a separator or a submenu itself;
//  - when a handler removes items, the position steps back by the number
//    removed and past the items carrying the routed id, so no item is skipped
//    or offered twice.
void RouteMenuPopupUpdates(CDialog& window, CMenu popup);

} // namespace varnholt
