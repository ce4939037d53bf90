#include "platform/uikit/UIDevice.hpp"

UIDevice& UIDevice::currentDevice()
{
    static UIDevice device;
    return device;
}
