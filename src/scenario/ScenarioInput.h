#pragma once

#include <QPoint>
#include <QString>

class QWidget;

// A finger and a keyboard for scenarios: real input events sent to the real
// widgets, so they run the same handlers as a person's touches would.

// A tap at point (in widget's coordinates) on whatever the widget shows
// there: the press and release reach the deepest child at that point and
// pass up to its parents as long as nobody takes them.
void tapAt(QWidget* widget, QPoint point);
// A tap at the middle of the widget.
void tapCentre(QWidget* widget);
// A tap delivered to the widget itself, not to a child at that point.
void tapOn(QWidget* widget, QPoint point);
// Types text into widget, one key per character, as a keyboard does.
void typeInto(QWidget* widget, const QString& text);
