#pragma once
#include "hid_backend.h"

// The production backend: hidapi's hidraw implementation.
class HidapiBackend final : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;
    QList<HidInterfaceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    std::unique_ptr<HidDevice> open(const QByteArray &path) override;
};
