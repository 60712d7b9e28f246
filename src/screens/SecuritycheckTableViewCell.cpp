#include "screens/SecuritycheckTableViewCell.h"

#include "util/PublicFunction.h"
#include "util/SystemFont.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kSeparatorHeight = 3;
constexpr int kTimeHeight = 20;
constexpr int kMargin = 4;

} // namespace

QSize SecuritycheckTableViewCell::pictureSize(bool tablet) {
    return tablet ? QSize(300, 225) : QSize(136, 102);
}

int SecuritycheckTableViewCell::rowHeight(bool tablet) {
    return pictureSize(tablet).height() + kTimeHeight + 2 * kMargin + kSeparatorHeight;
}

SecuritycheckTableViewCell::SecuritycheckTableViewCell(bool tablet, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QString::fromLatin1(reuseIdentifier));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedHeight(rowHeight(tablet));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, kMargin, 0, kMargin + kSeparatorHeight);
    layout->setSpacing(0);
    take_img = new QLabel(this);
    take_img->setObjectName(QStringLiteral("take_img"));
    take_img->setAlignment(Qt::AlignCenter);
    take_img->setFixedHeight(pictureSize(tablet).height());
    time_lab = new QLabel(this);
    time_lab->setObjectName(QStringLiteral("time_lab"));
    time_lab->setTextFormat(Qt::PlainText);
    time_lab->setAlignment(Qt::AlignCenter);
    time_lab->setFont(systemFont(tablet ? 16 : 12));
    time_lab->setFixedHeight(kTimeHeight);
    QPalette text = time_lab->palette();
    text.setColor(QPalette::WindowText, Qt::white); // on the photo screen's dark ground
    time_lab->setPalette(text);
    layout->addWidget(take_img);
    layout->addWidget(time_lab);
}

void SecuritycheckTableViewCell::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The strip closing the row: its full width, 3 points, white at 0.2.
    QPainter(this).fillRect(separatorRect(), PublicFunction::colorWithHexString("FFFFFF33"));
}

QRect SecuritycheckTableViewCell::separatorRect() const {
    return QRect(0, height() - kSeparatorHeight, width(), kSeparatorHeight);
}
