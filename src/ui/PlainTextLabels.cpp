#include "ui/PlainTextLabels.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace {

// Turns each label to plain text when Qt polishes it, which happens before
// its size is first asked for or it is first shown.
class PlainTextPolicy : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish)
            if (auto* label = qobject_cast<QLabel*>(watched);
                label && label->textFormat() == Qt::AutoText)
                label->setTextFormat(Qt::PlainText);
        return false;
    }
};

} // namespace

void showLabelsAsPlainText() {
    static QPointer<PlainTextPolicy> policy;
    if (policy || !QCoreApplication::instance()) return;
    policy = new PlainTextPolicy;
    policy->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(policy);
}
