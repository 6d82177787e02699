#include "model_factory.h"

std::unique_ptr<DeviceModel> makeDeviceModel(const DeviceInfo &, int, bool)
{
    return std::make_unique<EchoModel>();
}
