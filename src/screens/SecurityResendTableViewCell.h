#pragma once

#include "widgets/CustomCheckBox.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class SecurityResendViewController;
struct CaseRecord;
struct SecurityResendLayout;

// How a case's state shows in its row, and whether the case can be opened.
struct CaseStateLook {
    QString text;   // the badge's text
    QString colour; // the badge's colour string
    bool opens;     // the row shows the disclosure mark and opens the editing screen
};
// "0" waiting, "1" sent; every other value shows as overdue.
CaseStateLook caseStateLook(const QString& state);

// One row of the records list: the tick box, the time the case was kept, its
// registration number and check type, the state badge and the disclosure
// mark. The list draws every row with one cell, shown for that row just
// before it is drawn or pressed.
class SecurityResendTableViewCell : public QWidget, public CustomCheckBoxPressDelegate {
    Q_OBJECT
  public:
    static constexpr char reuseIdentifier[] = "SecurityResendTableViewCell";

    // The row's sizes come from the device's records screen layout.
    explicit SecurityResendTableViewCell(const SecurityResendLayout& layout);

    // Shows record as the row at position index, ticked or not, width wide.
    void showRecord(const CaseRecord& record, int index, bool ticked, int width);
    // The tick box's area within the row.
    QRect checkBoxArea() const;

    // Tells target of the tick: "1" for a tick, "" for an untick.
    void didPressedCheckboxIsSelected(CustomCheckBox* box, bool isSelected) override;

    CustomCheckBox* chk_true = nullptr;
    QPointer<SecurityResendViewController> target;
    int index = 0;
    QLabel* line1 = nullptr;
    QLabel* line2 = nullptr;
    QLineEdit* txtState = nullptr;
    QLabel* disclosure = nullptr;

  private:
    void layoutSubviews(int width);
    const SecurityResendLayout& layout_;
};
