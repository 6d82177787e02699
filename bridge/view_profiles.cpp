// myQQuickView: whole-file operations on the stores.
#include "myqquickview.h"

void myQQuickView::resetApconfig() {}
bool myQQuickView::loadProfile(int) { return false; }
void myQQuickView::saveProfile(int) {}
void myQQuickView::resetProfile(int) {}
void myQQuickView::copyProfile(int, int) {}
