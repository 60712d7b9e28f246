#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

// Xvfb on a display it picks itself, for the length of one test: a screen of
// the given size, black where no window is, and no window manager.
class VirtualDisplay {
  public:
    explicit VirtualDisplay(QSize screen = QSize(1024, 768));
    ~VirtualDisplay();

    // ":N", or empty when Xvfb did not start.
    QString name() const { return name_; }
    // The environment of a Qt program that shows its windows there.
    QProcessEnvironment environment() const;
    // What the screen shows now, or a null image when it cannot be read.
    QImage grab() const;
    // A click of the left mouse button at point of the screen, as a person's;
    // false when it could not be sent.
    bool click(QPoint point) const;

  private:
    QProcess server_;
    QString name_;
};
