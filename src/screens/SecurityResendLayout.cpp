#include "screens/SecurityResendLayout.h"

#include "platform/Platform.h"
#include "store/PublicVars.h"

namespace {

// One row per device: ground, the buttons' font and height, the placeholder's
// font; the row's height and margin, the tick box, the time's font and colour,
// the case's font, the badge's font and size, the disclosure mark's font,
// width and colour.
// clang-format off
constexpr SecurityResendLayout kPhone{
    qRgb(0xef, 0xef, 0xf4), 15, 36, 17,
    64, 8, 28, 13, qRgb(0x60, 0x60, 0x60), 16, 14, {52, 26}, 24, 20, qRgb(0xc0, 0xc0, 0xc0)};
// The 3.5-inch phone is as wide as the phone; its list shows fewer rows.
constexpr SecurityResendLayout kSmallPhone = kPhone;
constexpr SecurityResendLayout kTablet{
    qRgb(0xef, 0xef, 0xf4), 20, 48, 22,
    88, 16, 36, 17, qRgb(0x60, 0x60, 0x60), 22, 18, {72, 34}, 30, 28, qRgb(0xc0, 0xc0, 0xc0)};
// clang-format on

} // namespace

const SecurityResendLayout& securityResendLayoutFor(bool tablet, bool is3Inch5) {
    if (tablet) return kTablet;
    return is3Inch5 ? kSmallPhone : kPhone;
}

const SecurityResendLayout& securityResendLayout() {
    return securityResendLayoutFor(platform().device->isTablet(),
                                   PublicVars::sharedInstance().is3Inch5());
}
