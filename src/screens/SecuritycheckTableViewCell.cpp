#include "screens/SecuritycheckTableViewCell.h"

#include "screens/CasePhotoLayout.h"
#include "util/SystemFont.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

SecuritycheckTableViewCell::SecuritycheckTableViewCell(const CasePhotoLayout& layout,
                                                       QWidget* parent)
    : QWidget(parent), separatorHeight_(layout.rowSeparator),
      separatorColour_(QColor::fromRgba(layout.rowSeparatorColour)) {
    setObjectName(QString::fromLatin1(reuseIdentifier));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedHeight(layout.rowHeight());
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, layout.rowMargin, 0, layout.rowMargin + layout.rowSeparator);
    column->setSpacing(0);
    take_img = new QLabel(this);
    take_img->setObjectName(QStringLiteral("take_img"));
    take_img->setAlignment(Qt::AlignCenter);
    take_img->setFixedHeight(layout.rowPicture.height());
    time_lab = new QLabel(this);
    time_lab->setObjectName(QStringLiteral("time_lab"));
    time_lab->setTextFormat(Qt::PlainText);
    time_lab->setAlignment(Qt::AlignCenter);
    time_lab->setFont(systemFont(layout.rowTimeFontSize));
    time_lab->setFixedHeight(layout.rowTimeHeight);
    QPalette text = time_lab->palette();
    text.setColor(QPalette::WindowText, Qt::white); // on the photo screen's dark ground
    time_lab->setPalette(text);
    column->addWidget(take_img);
    column->addWidget(time_lab);
}

void SecuritycheckTableViewCell::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The strip closing the row, across its full width.
    QPainter(this).fillRect(separatorRect(), separatorColour_);
}

QRect SecuritycheckTableViewCell::separatorRect() const {
    return QRect(0, height() - separatorHeight_, width(), separatorHeight_);
}
