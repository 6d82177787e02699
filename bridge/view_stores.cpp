// myQQuickView: the generic accessors of the settings stores.
#include "myqquickview.h"

#include "platform/logging.h"
#include "platform/stored_list.h"

#include <QSettings>

namespace {
constexpr int kDefaultSensitivity = 4;

// A stored list reads back as a list; any other value is no list (so that
// "2A" does not pass for a (kind, data) pair).
QVariantList listAt(const QVariant &value, const QString &key)
{
    if (!isStoredList(value) && value.isValid())
        qCWarning(lcBridge) << key << "holds no list - read as an empty list";
    return storedList(value);
}
} // namespace

QVariant myQQuickView::getData(QVariant key, bool isRecovery)
{
    QSettings *store = isRecovery ? defaultsStore : currentProfileStore();
    return store->value(key.toString());
}

QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return listAt(getData(key, isRecovery), key.toString());
}

void myQQuickView::setData(QVariant key, QVariant data) { currentProfileStore()->setValue(key.toString(), data); }

void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    currentProfileStore()->setValue(key.toString(), datalist);
}

QVariant myQQuickView::getGlobalData(QVariant key) { return globalValue(key.toString()); }

void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata) { globalStore->setValue(key.toString(), tmpdata); }

void myQQuickView::setCurrentProfile(int profile)
{
    if (!isProfileNumber(profile)) {
        qCWarning(lcBridge) << "no profile" << profile << "- the current profile stays" << currentProfile;
        return;
    }
    currentProfile = profile;
}

QVariant myQQuickView::getXYSensitive(QVariant index)
{
    return currentProfileStore()->value(QStringLiteral("XYSensitive/") + index.toString(), kDefaultSensitivity);
}

void myQQuickView::setXYSensitive(QVariant index, QVariant xyData)
{
    currentProfileStore()->setValue(QStringLiteral("XYSensitive/") + index.toString(), xyData);
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant index, bool isRecovery)
{
    QSettings *store = isRecovery ? defaultsStore : currentProfileStore();
    const QString key = QStringLiteral("mouseKeyMatrix/") + index.toString();
    return listAt(store->value(key), key);
}
