#pragma once

#include <QPoint>
#include <QPushButton>
#include <QWidget>

// A phone-sized window, shown, with one button that counts its clicks.
struct ButtonWindow {
    ButtonWindow();
    // Clicks the button through the window system, as a person does.
    void click();

    // A point on the button, in the window's coordinates.
    static constexpr QPoint kOnButton{160, 220};
    QWidget widget;
    QPushButton* button;
    int clicks = 0;
};
