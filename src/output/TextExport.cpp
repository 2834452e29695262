#include "output/TextExport.h"

#include "core/ErrorTrap.h"
#include "core/FileExists.h"
#include "core/ScopeExit.h"
#include "output/AlignedTextSave.h"

FileDialogRequest TextExport::dialogRequest() {
    return {QStringLiteral("Save"),
            {QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*.*)")}};
}

void TextExport::PushButton4_Click() {
    ErrorTrap trap = trapAt(saveAsTextLocation);
    QString fileName;
    trap.step(114, [&] { fileName = platform_.saveFileName(dialogRequest()); }); // 106-116
    if (fileName.isEmpty())                                                      // 118
        return;
    MessageAnswer answer = MessageAnswer::Yes; // 124: a new file needs no question
    trap.step(120, [&] {
        if (fileExists(fileName))
            answer = platform_.showMessage(QStringLiteral("Are you sure you wish to overwrite ") +
                                               fileName + QStringLiteral(" ?"),
                                           MessageButtons::YesNo, MessageIcon::None,
                                           state_.applicationTitle); // 122
    });
    if (answer != MessageAnswer::Yes) // 126: the existing file stays untouched
        return;
    trap.step(128, [&] { state_.pointer.set(MousePointer::Hourglass); });
    bool written = false;
    {
        // Whatever ends the save, the pointer goes back to the arrow (132).
        const ScopeExit resetPointer([this] { state_.pointer.set(MousePointer::Default); });
        trap.step(130, [&] {
            written = AlignedTextSave(platform_, &state_.progress)
                          .SaveListviewProperlySpaced(state_.results, fileName);
        });
    }
    if (written) // a save that failed was reported; it does not claim "Done."
        trap.step(134, [&] { tell(QStringLiteral("Done.")); });
}
