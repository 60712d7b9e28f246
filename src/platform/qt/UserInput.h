#pragma once

class QEvent;

// Whether event is input from the user: mouse, keyboard, touch, wheel,
// tablet, hover, context menu, shortcut or input method.
bool isUserInput(const QEvent* event);

// Drops the user input that reached the app while its main thread was
// blocked, so that a click made during a blocking fetch never presses what
// lies under the pointer afterwards. Input is dropped from now until 0.1 s
// after the main loop runs again.
void dropInputQueuedMeanwhile();
