#pragma once

#include <QPoint>
#include <QString>

class QWidget;

// Why an input step could not act yet.
inline const QString kInputRefused = QStringLiteral("the window takes no input");

// A finger and a keyboard for scenarios: real input events sent to the real
// widgets, so they run the same handlers as a person's touches would. Each
// returns whether its first event reached the app: a window that takes no
// input for a while (an input block filtering the whole application) eats
// it, and nothing happened.

// Whether taps and drags are a finger on a touch screen (touch events of a
// touch-screen device, delivered through the widget's window to whatever
// lies at the point) or, as at first, mouse clicks and drags.
void useTouchScreen(bool on);

// Starts noticing which events the app takes; input blocks made after this
// call are noticed. Call once, before the first input.
void watchInput();

// A tap at point (in widget's coordinates) on whatever the widget shows
// there: the press and release reach the deepest child at that point and
// pass up to its parents as long as nobody takes them.
bool tapAt(QWidget* widget, QPoint point);
// A tap at the middle of the widget.
bool tapCentre(QWidget* widget);
// A tap delivered to the widget itself, not to a child at that point (by
// touch, to whatever the window shows there).
bool tapOn(QWidget* widget, QPoint point);
// A finger pressed at from, moved to to in a few steps and lifted there, all
// delivered to the widget itself.
bool dragOn(QWidget* widget, QPoint from, QPoint to);
// Two fingers laid on the widget at centre (in its coordinates), span apart
// side by side, moved apart or together in a few steps until they are
// factor times as far apart, and lifted. Without a touch screen, a
// touchpad's pinch of that factor, as the desktop reports it.
bool pinchOn(QWidget* widget, QPoint centre, int span, double factor);
// Presses and releases key (Return, Escape, Tab ...) on widget, as a keyboard does.
bool pressKey(QWidget* widget, int key);
// Types text into widget, one key per character, as a keyboard does.
bool typeInto(QWidget* widget, const QString& text);
