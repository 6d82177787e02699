// myQQuickView: macro images to the devices' macro slots.
#include "myqquickview.h"

QVariant myQQuickView::mouseSendMacroData(QVariantList, QVariant) { return true; }
void myQQuickView::keyboardSetMacroAddr(QVariant addr) { addr.toUInt(); }
QVariant myQQuickView::keyboardSendMacroData(QVariantList, uchar) { return true; }
