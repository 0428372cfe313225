#pragma once

#include <QPoint>
#include <Qt>

class FileListController;
class ListBox;
class Prompt;
class QObject;

// A press on either list: the list takes the focus, and selects what the press decides.
void pressList(ListBox& list, Qt::MouseButton button, QPoint pos);

// Passes the file list's change, press, release and key release on to its controller, each
// inside the error boundary, for as long as `context` lives.
void bindFileList(ListBox& wavs, FileListController& controller, QObject* context, Prompt& prompt);
