// myQQuickView: language strings.
#include "myqquickview.h"

#include "i18n/language_file.h"

// One section of the language file of langCode; an unusable code or file gives
// an empty list, and the UI keeps its built-in English strings.
QStringList myQQuickView::getLangStrings(QVariant typeStr, QVariant langCode)
{
    return readLanguageSection(typeStr.toString(), langCode.toString());
}
