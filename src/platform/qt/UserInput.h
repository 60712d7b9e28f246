#pragma once

class QEvent;

// Whether event is input from the user: mouse, keyboard, touch, wheel,
// tablet, hover, context menu, shortcut or input method.
bool isUserInput(const QEvent* event);
