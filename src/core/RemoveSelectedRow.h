#pragma once
// Removes a list's selected row on a double-click or the Delete key, unless a long
// command shows the hourglass, the list is empty or no row is selected.

class MousePointer;
class TextListModel;

// The key code of the Delete key, as the list views' key-down handlers receive it.
inline constexpr int deleteKeyCode = 46;

void removeSelectedRow(TextListModel& list, const MousePointer& pointer);
