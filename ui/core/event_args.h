// The events a control receives: what the window host turns Win32 input into, and what
// widgets raise themselves (click, select, unselect).
//
//  - A handler receives the event and returns whether delivery goes on: false ends it, so
//     later handlers and the control's built-in handling do not run.
//  - Handlers of one kind run in the order they were attached; then the handlers attached
//     for every kind (kEventAll) run, in their order.
//  - Handlers run only on the control that is the event's sender; an event that bubbles to
//     a parent runs the parent's built-in handling only (control.h).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace ui {

class Control;

enum EventType {
  kEventNone = 0,
  kEventAll,  // attach key only: a handler for every kind

  kEventKeyBegin,
  kEventKeyDown,
  kEventKeyUp,
  kEventChar,
  kEventKeyEnd,

  kEventMouseBegin,
  kEventMouseEnter,
  kEventMouseLeave,
  kEventMouseMove,
  kEventMouseHover,
  kEventMouseWheel,
  kEventMouseButtonDown,
  kEventMouseButtonUp,
  kEventMouseDoubleClick,
  kEventMouseRightButtonDown,
  kEventMouseRightButtonUp,
  kEventMouseEnd,

  kEventSetFocus,
  kEventKillFocus,
  kEventSetCursor,
  kEventImeStartComposition,
  kEventImeEndComposition,
  kEventWindowSize,
  kEventWindowClose,
  kEventResize,  // the control's own position changed (SetPos)

  kEventClick,
  kEventSelect,
  kEventUnSelect,

  kEventLast,
};

inline bool IsMouseEvent(EventType type) {
  return type > kEventMouseBegin && type < kEventMouseEnd;
}
inline bool IsKeyEvent(EventType type) { return type > kEventKeyBegin && type < kEventKeyEnd; }

struct EventArgs {
  EventType type = kEventNone;
  Control* sender = nullptr;
  POINT mouse_pos = {0, 0};  // window client coordinates
  wchar_t key = 0;           // virtual key (key events) or character (kEventChar)
  WPARAM w_param = 0;
  LPARAM l_param = 0;
  DWORD timestamp = 0;  // GetTickCount() when raised
};

// An event raised now (timestamp GetTickCount()).
EventArgs MakeEventArgs(EventType type, Control* sender, POINT mouse_pos, WPARAM w_param = 0,
                        LPARAM l_param = 0, wchar_t key = 0);

// Returns false to end the delivery.
using EventCallback = std::function<bool(const EventArgs&)>;
using EventCallbackList = std::vector<EventCallback>;
using EventMap = std::map<EventType, EventCallbackList>;

}  // namespace ui
