#pragma once
#include <QVariant>

// A list as a settings file gives it back: a list of texts, or of values
// where one is in a serialized form. Any other value is no list and gives an
// empty one: QVariant::toList would split a text into its characters, so
// that "4x3" read as the list '4', 'x', '3'.
inline bool isStoredList(const QVariant &value)
{
    const int type = value.metaType().id();
    return type == QMetaType::QVariantList || type == QMetaType::QStringList;
}

inline QVariantList storedList(const QVariant &value) { return isStoredList(value) ? value.toList() : QVariantList(); }
