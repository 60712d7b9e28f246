#include "screens/CasePhotoLayout.h"
#include "screens/RecordsFixture.h"
#include "screens/SecurityResendLayout.h"
#include "screens/SecurityResendTableViewCell.h"
#include "util/SystemFont.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace {

// The three device classes: whether a tablet, whether a 3.5-inch phone, and
// the screen's width in points.
struct DeviceClass {
    const char* name;
    bool tablet;
    bool is3Inch5;
    int width;
};
constexpr DeviceClass kDevices[] = {
    {"phone", false, false, 320}, {"phone35", false, true, 320}, {"tablet", true, false, 768}};

// A part of a row must lie inside it, and its text must have the height its
// font needs.
void expectInside(const QWidget* part, const QRect& row) {
    EXPECT_TRUE(row.contains(part->geometry())) << part->metaObject()->className();
    EXPECT_GE(part->height(), QFontMetrics(part->font()).height() - 2)
        << part->metaObject()->className();
}

// On every device the records row keeps its tick box, its two lines, its badge
// and its mark side by side, each inside the row and tall enough for its font.
using RecordsRow = RecordsFixture;

TEST_F(RecordsRow, KeepsItsPartsApartOnEveryDevice) {
    for (const DeviceClass& device : kDevices) {
        SCOPED_TRACE(device.name);
        const SecurityResendLayout& layout =
            securityResendLayoutFor(device.tablet, device.is3Inch5);
        SecurityResendTableViewCell cell(layout);
        cell.showRecord(*makeCase("ABCDEFGHIJKLMNOPQRSTUVWX"), 0, false, device.width);
        const QRect row(0, 0, device.width, layout.rowHeight);
        EXPECT_EQ(cell.size(), row.size());
        EXPECT_TRUE(row.contains(cell.chk_true->geometry()));
        const QWidget* parts[] = {cell.line1, cell.line2, cell.txtState, cell.disclosure};
        for (const QWidget* part : parts)
            expectInside(part, row);
        EXPECT_LT(cell.chk_true->geometry().right(), cell.line1->x());
        EXPECT_LT(cell.line1->geometry().bottom(), cell.line2->y());
        EXPECT_LE(cell.line2->geometry().right(), cell.txtState->x());
        EXPECT_LT(cell.txtState->geometry().right(), cell.disclosure->x());
    }
}

// On every device the photo screen's two lists stand side by side, each wide
// enough for a row's whole photo, and a photo's time has the height its font
// needs.
TEST(ScreenLayout, ThePhotoListsShowTheirPhotosWholeSideBySideOnEveryDevice) {
    for (const DeviceClass& device : kDevices) {
        SCOPED_TRACE(device.name);
        const CasePhotoLayout& layout = casePhotoLayoutFor(device.tablet, device.is3Inch5);
        const int lists = device.width - layout.margins.left() - layout.margins.right();
        EXPECT_LE(2 * layout.rowPicture.width(), lists);
        EXPECT_LE(layout.personPicture.width(), lists / 2);
        EXPECT_LE(QFontMetrics(systemFont(layout.rowTimeFontSize)).height(), layout.rowTimeHeight);
    }
}

} // namespace
