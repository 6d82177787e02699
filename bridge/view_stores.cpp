// myQQuickView: the generic accessors of the settings stores.
#include "myqquickview.h"

#include <QSettings>

QVariant myQQuickView::getXYSensitive(QVariant) { return {}; }
void myQQuickView::setXYSensitive(QVariant, QVariant) {}
void myQQuickView::setCurrentProfile(int) {}
QVariantList myQQuickView::mouseGetKeydefine(QVariant, bool) { return {}; }
QVariant myQQuickView::getData(QVariant, bool) { return {}; }
QVariant myQQuickView::getGlobalData(QVariant) { return {}; }
QVariantList myQQuickView::getDataList(QVariant, bool) { return {}; }
void myQQuickView::setData(QVariant, QVariant) {}
void myQQuickView::setGlobalData(QVariant, QVariant) {}
void myQQuickView::setDataList(QVariant, QVariantList) {}
