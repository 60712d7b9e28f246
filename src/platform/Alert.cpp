#include "platform/Alert.h"

QStringList Alert::buttonTitles() const {
    QStringList titles;
    if (cancelTitle) titles << *cancelTitle;
    return titles + otherTitles;
}
