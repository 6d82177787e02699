#pragma once

class Widget;

// A start with --hidden (the login entry) keeps the window in the tray. At
// login the program may come before the panel that holds the tray: it waits
// for one a while, and shows the window where none comes, since nothing else
// could bring it back.
void stayHiddenInTray(Widget &window);
