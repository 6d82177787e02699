// A system tray on the benches' private X server for as long as this runs,
// so that the program's close button hides the window to the tray as it does
// on a desktop (without a tray it minimises it, which needs a window manager).
#include "tests/app/late_tray.h"

#include <QtGlobal>

#include <unistd.h>

int main()
{
    const LateTray tray(QString::fromLocal8Bit(qgetenv("DISPLAY")));
    if (!tray.isAnnounced())
        return 1;
    pause();  // until the bench ends it
    return 0;
}
