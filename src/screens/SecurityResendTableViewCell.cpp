#include "screens/SecurityResendTableViewCell.h"

#include "screens/SecurityResendLayout.h"
#include "screens/SecurityResendViewController.h"
#include "store/CaseRecord.h"
#include "store/StoreKeys.h"
#include "ui/ElidedLabel.h"
#include "util/PublicFunction.h"
#include "util/SystemFont.h"
#include "widgets/CheckBoxButton.h"
#include "widgets/CustomCheckBoxVariants.h"

#include <QLabel>
#include <QLineEdit>

CaseStateLook caseStateLook(const QString& state) {
    if (state == QLatin1String(CaseState::waiting))
        return {QStringLiteral("待傳"), QStringLiteral("f9b233ff"), true};
    if (state == QLatin1String(CaseState::sent))
        return {QStringLiteral("已傳"), QStringLiteral("2e9868ff"), true};
    return {QStringLiteral("逾期"), QStringLiteral("a52a2aff"), false};
}

namespace {

QLabel* plainLabel(QLabel* label, int fontSize, const QColor& colour) {
    // Case texts come from QR codes and files: never markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(systemFont(fontSize));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

SecurityResendTableViewCell::SecurityResendTableViewCell(const SecurityResendLayout& layout)
    : layout_(layout) {
    setObjectName(QString::fromLatin1(reuseIdentifier));
    setAttribute(Qt::WA_DontShowOnScreen);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    const int box = layout.checkBox;
    chk_true = new CustomRedCheckBox(QRect(0, 0, box, box), this);
    chk_true->setObjectName(QStringLiteral("chk_true"));
    chk_true->setDelegate(this);
    line1 = plainLabel(new QLabel(this), layout.timeFontSize, QColor::fromRgb(layout.timeColour));
    // A long equipment number is shortened in its middle: the type stays readable.
    line2 = plainLabel(new ElidedLabel(this, Qt::ElideMiddle), layout.caseFontSize, Qt::black);
    txtState = new QLineEdit(this);
    txtState->setReadOnly(true);
    txtState->setFrame(false);
    txtState->setAlignment(Qt::AlignCenter);
    txtState->setFont(systemFont(layout.stateFontSize));
    disclosure = plainLabel(new QLabel(this), layout.disclosureFontSize,
                            QColor::fromRgb(layout.disclosureColour));
    disclosure->setText(QStringLiteral("›"));
    disclosure->setAlignment(Qt::AlignCenter);
    // Drawn, never shown: the list paints it for each row.
    show();
}

void SecurityResendTableViewCell::showRecord(const CaseRecord& record, int index_, bool ticked,
                                             int width) {
    index = index_;
    line1->setText(record.rcdTime);
    line2->setText(QStringLiteral("%1 %2照片").arg(record.pakeno, record.type));
    const CaseStateLook look = caseStateLook(record.state);
    txtState->setText(look.text);
    txtState->setStyleSheet(
        QStringLiteral("QLineEdit { background: %1; color: white; "
                       "border-radius: 6px; }")
            .arg(PublicFunction::colorWithHexString(look.colour).name(QColor::HexArgb)));
    disclosure->setVisible(look.opens);
    chk_true->setIsSelected(ticked);
    if (CheckBoxButton* button = chk_true->checkboxButton()) button->setSelected(ticked);
    layoutSubviews(width);
}

void SecurityResendTableViewCell::layoutSubviews(int width) {
    const int height = layout_.rowHeight;
    resize(width, height);
    const int margin = layout_.rowMargin;
    const QSize box = chk_true->size();
    chk_true->move(margin, (height - box.height()) / 2);
    const int markWidth = layout_.disclosureWidth;
    disclosure->setGeometry(width - markWidth - 4, 0, markWidth, height);
    const QSize badge = layout_.stateBadge;
    txtState->setGeometry(width - markWidth - 8 - badge.width(), (height - badge.height()) / 2,
                          badge.width(), badge.height());
    const int textLeft = margin * 2 + box.width();
    const int textWidth = txtState->x() - 8 - textLeft;
    const int half = height / 2;
    line1->setGeometry(textLeft, 4, textWidth, half - 4);
    line2->setGeometry(textLeft, half, textWidth, half - 4);
}

QRect SecurityResendTableViewCell::checkBoxArea() const {
    // The whole strip left of the texts, so that a finger need not hit the
    // box itself.
    return QRect(0, 0, line1->x() - 4, height());
}

void SecurityResendTableViewCell::didPressedCheckboxIsSelected(CustomCheckBox* box,
                                                               bool isSelected) {
    if (!isSelected) {
        chk_true->setIsSelected(false);
        if (CheckBoxButton* button = chk_true->checkboxButton()) button->setSelected(false);
        if (target) target->setIndexWithTag(index, QString(""));
        return;
    }
    if (box != chk_true) return;
    if (target) target->setIndexWithTag(index, QStringLiteral("1"));
}
