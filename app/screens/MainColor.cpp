#include "app/screens/MainColor.h"

namespace qm {

QColor mainColor(bool dark)
{
    return dark ? QColor(0x73, 0x63, 0xEE) : QColor(0x5B, 0x4B, 0xDB);
}

} // namespace qm
