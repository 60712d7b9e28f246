#pragma once

class QEvent;

// Whether event is input from the user: mouse, keyboard, touch, wheel,
// tablet, hover, context menu, shortcut or input method.
bool isUserInput(const QEvent* event);

// Drops the user input the window system queued while the main thread was
// blocked, so that a click made during a blocking fetch never presses what
// lies under the pointer once it is over. Call on the main thread the moment
// the block ends: what was queued by then is delivered at once with its user
// input swallowed; input that comes later is untouched.
void dropInputQueuedMeanwhile();
