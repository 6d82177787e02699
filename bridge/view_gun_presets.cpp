// myQQuickView: the gun preset slots.
#include "myqquickview.h"

void myQQuickView::mouseSaveGundata(QVariant, QVariantList) {}
void myQQuickView::mouseSendGundata(QVariant, QVariantList) {}
void myQQuickView::modifyGundata(QVariant, QVariantList) {}
QVariantList myQQuickView::getGunData(QVariant) { return {}; }
QStringList myQQuickView::getGunDataKey() { return {}; }
