// myQQuickView: the gun preset slots. The preset file and the device bytes
// live in macros/gun_presets; these bodies check the arguments and log what
// they refuse.
#include "myqquickview.h"

#include "macros/gun_presets.h"
#include "macros/safe_name.h"
#include "platform/logging.h"

namespace {
constexpr int kSavedValues = 6;
constexpr int kChangedValues = 5;
constexpr int kRenameEntries = 7;

bool longEnough(const char *operation, const QVariantList &list, int needed)
{
    if (list.size() >= needed)
        return true;
    qCWarning(lcBridge) << operation << "needs" << needed << "values, got" << list.size();
    return false;
}
} // namespace

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6)
{
    const QString name = index.toString();
    if (!acceptName("mouseSaveGundata", name) || !longEnough("mouseSaveGundata", src6, kSavedValues))
        return;
    GunPresetFile presets;
    if (!presets.exists())
        return;
    // A failed write is reported by the preset file's writer.
    presets.save(name, src6.mid(0, kSavedValues));
}

void myQQuickView::mouseSendGundata(QVariant index, QVariantList values)
{
    if (!isGun)
        return;
    if (!longEnough("mouseSendGundata", values, 3))
        return;
    if (!device) {
        qCWarning(lcBridge) << "mouseSendGundata: no device object";
        return;
    }
    if (!GunData::send(*device, icType, index.toInt(), values, mouseProfileImages, kMouseProfileImages))
        qCWarning(lcBridge) << "mouseSendGundata: no profile image for preset slot" << index;
}

void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6)
{
    GunPresetFile presets;
    switch (modifyType.toInt()) {
    case 0: {
        if (!longEnough("modifyGundata", src6, 1))
            return;
        const QString name = src6.at(0).toString();
        if (acceptName("modifyGundata", name) && presets.exists())
            presets.remove(name);
        return;
    }
    case 1: {
        if (!longEnough("modifyGundata", src6, kRenameEntries))
            return;
        const QString newName = src6.at(0).toString(), oldName = src6.at(kChangedValues + 1).toString();
        if (acceptName("modifyGundata", newName) && acceptName("modifyGundata", oldName) && presets.exists())
            presets.replace(oldName, newName, src6.mid(1, kChangedValues));
        return;
    }
    default:
        qCWarning(lcBridge) << "modifyGundata: no change of type" << modifyType;
    }
}

QVariantList myQQuickView::getGunData(QVariant name)
{
    const QString preset = name.toString();
    if (!acceptName("getGunData", preset))
        return {};
    return GunPresetFile().values(preset);
}

QStringList myQQuickView::getGunDataKey() { return GunPresetFile().names(); }
