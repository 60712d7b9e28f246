#include "screens/CasePhotoFacts.h"

#include "screens/CasePhotoLayout.h"
#include "ui/ElidedLabel.h"
#include "util/SystemFont.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* valueLabel(QLabel* label, const QString& name, int size) {
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(systemFont(size));
    return label;
}

QLabel* wrappedValueLabel(QWidget* parent, const QString& name, int size) {
    QLabel* label = valueLabel(new QLabel(parent), name, size);
    label->setWordWrap(true);
    return label;
}

} // namespace

QVBoxLayout* casePhotoFactsColumn(QWidget* parent, const CasePhotoLayout& look,
                                  CasePhotoFacts& facts) {
    const int text = look.textFontSize;
    facts.type_lab = wrappedValueLabel(parent, QStringLiteral("type_lab"), text);
    facts.time_lab = wrappedValueLabel(parent, QStringLiteral("time_lab"), text);
    // A code does not break into lines: a long one is shortened with "…".
    facts.pakeno_lab = valueLabel(new ElidedLabel(parent), QStringLiteral("pakeno_lab"), text);
    facts.Chkno_lab = valueLabel(new ElidedLabel(parent), QStringLiteral("Chkno_lab"), text);
    auto* form = new QFormLayout;
    form->setSpacing(4);
    const auto addFact = [&](const QString& caption, QLabel* value) {
        QLabel* name = wrappedValueLabel(parent, {}, text);
        name->setText(caption);
        form->addRow(name, value);
    };
    addFact(QStringLiteral("類別"), facts.type_lab);
    addFact(QStringLiteral("時間"), facts.time_lab);
    addFact(QStringLiteral("設備編號"), facts.pakeno_lab);
    addFact(QStringLiteral("檢查編號"), facts.Chkno_lab);
    facts.noFixMark = valueLabel(new QLabel(QStringLiteral("尚未定位"), parent),
                                 QStringLiteral("noFixMark"), look.noFixFontSize);
    facts.noFixMark->setStyleSheet(QStringLiteral("QLabel { background: #f9b233; color: black; "
                                                  "border-radius: 4px; padding: 1px 6px; }"));
    auto* column = new QVBoxLayout;
    column->addLayout(form);
    column->addWidget(facts.noFixMark, 0, Qt::AlignLeft);
    column->addStretch(1);
    return column;
}
