#pragma once

// Names the running application for the desktop. It sets no display name: the toolkit would
// append one to every window title and box caption ("Confirm — ..."), and the program's captions
// are exactly its own.
void nameApplication();
