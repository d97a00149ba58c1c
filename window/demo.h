// A beam typed in and calculated without a person at the keyboard: used by
// tools/screenshot.sh (kovel --demo --screenshot FILE) to picture page 1 after a
// calculation. Messages go to standard output instead of boxes.
#pragma once

#include "window/dialogs.h"

#include <memory>

class MainWindow;

// Dialogs that print every text and answer Yes.
std::unique_ptr<Dialogs> consoleDialogs();

// Types a two-span-load beam into page 1 and presses the calculate image; for a tab
// page of 2 to 4 it also stores the result and shows that page.
void typeDemoBeam(MainWindow &window, int page = 1);

// Puts a value wider than its box into the read-outs a screenshot should check: a long
// registered member name, six-digit values in every column of the member grid and a
// twelve-digit result of the pocket calculator (in memory only: no file is written).
void showWideValues(MainWindow &window);

// Types a registered member named `name` into page 4 and presses the store image, as a
// user would; page 4 is shown.
void storeDemoMember(MainWindow &window, const QString &name);
