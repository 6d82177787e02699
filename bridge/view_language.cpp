// myQQuickView: language strings.
#include "myqquickview.h"

QStringList myQQuickView::getLangStrings(QVariant, QVariant) { return {}; }
