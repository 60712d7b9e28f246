#include "ButtonWindow.h"

#include <QTest>

ButtonWindow::ButtonWindow() {
    widget.resize(320, 568);
    button = new QPushButton("menu", &widget);
    button->setGeometry(100, 200, 120, 40);
    QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
    widget.show();
}

void ButtonWindow::click() {
    QTest::mouseClick(widget.windowHandle(), Qt::LeftButton, {}, kOnButton);
}
