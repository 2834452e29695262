#include "core/RemoveSelectedRow.h"

#include "core/MousePointer.h"
#include "core/TextListModel.h"

void removeSelectedRow(TextListModel& list, const MousePointer& pointer) {
    if (pointer.busy() || list.count() == 0)
        return;
    const qsizetype selected = list.selectedRow();
    if (selected < 0 || selected >= list.count())
        return;
    list.removeAt(selected);
}
