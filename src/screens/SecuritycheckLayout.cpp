#include "screens/SecuritycheckLayout.h"

namespace {

// One row per device: note label, top button, centre view, bottom button,
// result square, result banner, note font size, result font size.
// clang-format off
constexpr SecuritycheckLayout kPhone{
    {15, 10, 290, 115}, {50, 132, 220, 165}, {135, 300, 50, 30}, {50, 332, 220, 165},
    {130, 50, 60, 60}, {15, 50, 290, 60}, 15, 16};
constexpr SecuritycheckLayout kSmallPhone{
    {15, 4, 290, 100}, {70, 112, 180, 135}, {140, 250, 40, 24}, {70, 277, 180, 135},
    {130, 41, 60, 60}, {15, 41, 290, 60}, 13, 16};
constexpr SecuritycheckLayout kTablet{
    {84, 20, 600, 190}, {184, 230, 400, 300}, {334, 545, 100, 60}, {184, 620, 400, 300},
    {334, 85, 100, 90}, {84, 85, 600, 90}, 24, 26};
// clang-format on

} // namespace

SecuritycheckLayout securitycheckLayoutFor(bool tablet, bool is3Inch5) {
    if (tablet) return kTablet;
    return is3Inch5 ? kSmallPhone : kPhone;
}
