// myQQuickView: the macro library slots.
#include "myqquickview.h"

bool myQQuickView::loadMacroFile(QVariant, QVariant) { return false; }
void myQQuickView::saveMacroFile(QVariant, QVariant) {}
bool myQQuickView::createMacroIni(QVariant, QVariant) { return false; }
bool myQQuickView::updataNameList(QVariant, QVariantList, QVariant) { return false; }
bool myQQuickView::modifyMacroName(QVariant, QVariant, QVariant) { return false; }
void myQQuickView::deleteMacroUpdateProfile(QVariant) {}
bool myQQuickView::deleteMacroIni(QVariant, QVariant) { return false; }
QVariantList myQQuickView::getNameList(QVariant, QVariant) { return {}; }
bool myQQuickView::saveMacroIni(QVariant, QVariantList, QVariant, QVariant, QVariant, QVariant) { return false; }
QVariantList myQQuickView::loadMacroIni(QVariant, QVariant) { return {}; }
