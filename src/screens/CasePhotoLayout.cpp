#include "screens/CasePhotoLayout.h"

#include "platform/Platform.h"
#include "store/PublicVars.h"

namespace {

// One row per device: ground, margins, text font, "尚未定位" font, the
// inspector's photo, a row's photo, its time's height and font, the row's
// margin, its strip's height and colour.
// clang-format off
constexpr CasePhotoLayout kPhone{
    qRgb(0x00, 0x57, 0x93), {8, 8, 8, 0}, 13, 11, {136, 102},
    {136, 102}, 20, 12, 4, 3, qRgba(0xff, 0xff, 0xff, 0x33)};
// The 3.5-inch phone is as wide as the phone; its lists are shorter.
constexpr CasePhotoLayout kSmallPhone = kPhone;
constexpr CasePhotoLayout kTablet{
    qRgb(0x00, 0x57, 0x93), {8, 8, 8, 0}, 18, 16, {300, 225},
    {300, 225}, 24, 16, 4, 3, qRgba(0xff, 0xff, 0xff, 0x33)};
// clang-format on

} // namespace

const CasePhotoLayout& casePhotoLayoutFor(bool tablet, bool is3Inch5) {
    if (tablet) return kTablet;
    return is3Inch5 ? kSmallPhone : kPhone;
}

const CasePhotoLayout& casePhotoLayout() {
    return casePhotoLayoutFor(platform().device->isTablet(),
                              PublicVars::sharedInstance().is3Inch5());
}
