#pragma once

#include <QPointer>
#include <QWidget>

// A turning indicator over a view, with an optional label in a dark box. While
// it shows, the covered area takes no mouse, touch or keyboard input.
class ProgressOverlay : public QWidget {
    Q_OBJECT
  public:
    enum class Box { Dimmed, Transparent };

    // Covers target (its whole area) with the label; Dimmed draws the box at
    // opacity 0.6, Transparent shows only the indicator.
    static ProgressOverlay* showOver(QWidget* target, const QString& label, Box box);
    // Removes the overlay.
    void hideOverlay();

    QString label() const { return label_; }
    Box box() const { return box_; }

  protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    ProgressOverlay(QWidget* target, const QString& label, Box box);
    void turn();

    QString label_;
    Box box_;
    int angle_ = 0;
    bool shown_ = true;
};

// The overlay of the main window that startIndicator / stopIndicator show and
// hide; the main window is set once at launch.
class WindowIndicator {
  public:
    static void setMainWindow(QWidget* window);
    static QWidget* mainWindow();
    static void start(const QString& label);
    static void stop();
    // The overlay now shown over the main window, if any.
    static ProgressOverlay* current();
};
