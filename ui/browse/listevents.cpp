#include "ui/browse/listevents.h"

#include "base/errorboundary.h"
#include "browse/filelistcontroller.h"
#include "ui/browse/listbox.h"

void pressList(ListBox& list, Qt::MouseButton button, QPoint pos) {
    list.setFocus(Qt::MouseFocusReason);
    const int row = rowSelectedByPress(button, list.rowAt(pos));
    if (row >= 0)
        list.selectRow(row);
}

void bindFileList(ListBox& wavs, FileListController& controller, QObject* context, Prompt& prompt) {
    const auto guarded = [&prompt](auto handler) {
        return errorboundary::guarded(prompt, handler);
    };
    QObject::connect(&wavs, &ListBox::changed, context,
                     guarded([&controller] { controller.playSelectedWav(); }));
    QObject::connect(&wavs, &ListBox::mouseDown, context,
                     guarded([&wavs](Qt::MouseButton b, Qt::KeyboardModifiers, QPoint p) {
                         pressList(wavs, b, p);
                     }));
    QObject::connect(&wavs, &ListBox::mouseUp, context,
                     guarded([&controller](Qt::MouseButton b, Qt::KeyboardModifiers m) {
                         controller.handleMouseRelease(b, m);
                     }));
    QObject::connect(&wavs, &ListBox::keyUp, context,
                     guarded([&controller](int key) { controller.handleKeyRelease(key); }));
}
