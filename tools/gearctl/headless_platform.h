#pragma once

// gearctl runs from scripts and over ssh: without a display it draws its
// view offscreen instead of failing to start. An explicit QT_QPA_PLATFORM
// is left alone. Call before the application object exists.
void useOffscreenWithoutDisplay();
