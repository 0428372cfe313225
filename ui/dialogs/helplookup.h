#pragma once

class HelpService;
class Prompt;
class QWidget;

// The F1 rule shared by the main window and the preferences, copy/move and rename dialogs.
// A control carries its help context as a property; a window answers F1 with the context of its
// focused control, or of that control's parent when the control's own is 0.
namespace helplookup {

inline constexpr char kContextProperty[] = "helpContext";

void setHelpContext(QWidget* widget, int context);
int helpContext(const QWidget* widget); // 0 when the widget carries none

// The context F1 asks for in `window`: the focused control's, else its parent's (one level only,
// even when that is 0). With no control focused, the window's own context.
int contextForF1(const QWidget* window);

// Makes `window` answer F1 like the main window: once per release of the key (auto-repeats are
// ignored), whatever control of the window has the focus, by asking `help` for
// contextForF1(window). The filter lives as long as the window.
void installF1Help(QWidget* window, HelpService& help, Prompt& prompt);

} // namespace helplookup
