#include "platform/base/Regional.h"

namespace base {

Regional& regional()
{
    static Regional settings;
    return settings;
}

}  // namespace base
